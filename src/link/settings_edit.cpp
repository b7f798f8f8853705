#include "link/settings_edit.h"

#include <array>

namespace dryer::link {
namespace {

bool valid_row(int row) { return row >= 1 && row <= static_cast<int>(kReplyRowCount); }

const ReplyRow& row_of(int row) { return kReplyRows[static_cast<std::size_t>(row)]; }

bool settings_row(int row) { return valid_row(row) && row_of(row).from == Source::settings; }

// Whether a raised flag still waits for the settings byte at offset.
bool pending(const LinkState& state, std::size_t offset) {
    for (int r = 1; r <= static_cast<int>(kReplyRowCount); ++r) {
        const ReplyRow& row = row_of(r);
        if (row.from == Source::settings && offset >= row.source && offset < row.source + row.n &&
            state.flags.raised(r)) {
            return true;
        }
    }
    return false;
}

void report(LinkState& state, int row, const std::array<std::uint8_t, SettingChange::kMaxBytes>& old_bytes,
            std::string_view source) {
    SettingsSink* sink = state.settings_sink.load(std::memory_order_acquire);
    if (sink == nullptr) return;
    const ReplyRow& r = row_of(row);
    SettingChange change;
    change.row = row;
    change.code = r.code;
    change.offset = r.source;
    change.n = r.n;
    change.old_bytes = old_bytes;
    for (std::size_t k = 0; k < r.n; ++k) change.new_bytes[k] = state.settings.get(r.source + k);
    change.source = source;
    sink->record_setting_change(change);
}

std::array<std::uint8_t, SettingChange::kMaxBytes> reported_bytes(const LinkState& state, int row) {
    std::array<std::uint8_t, SettingChange::kMaxBytes> out{};
    const ReplyRow& r = row_of(row);
    for (std::size_t k = 0; k < r.n && k < out.size(); ++k) out[k] = state.status.get(r.source + k);
    return out;
}

}  // namespace

void begin_edit(LinkState& state, std::size_t offset, std::size_t n) {
    for (std::size_t k = offset; k < offset + n && k < kImageSize; ++k) {
        if (!pending(state, k)) state.settings.set(k, state.status.get(k));
    }
}

void begin_edit_rows(LinkState& state, std::span<const int> rows) {
    for (const int r : rows) {
        if (!settings_row(r) || row_of(r).clear == Clear::one_shot) continue;
        begin_edit(state, row_of(r).source, row_of(r).n);
    }
}

bool commit_row(LinkState& state, int row, std::string_view source) {
    if (!settings_row(row)) return false;
    // The old value is what the controller reported before this commit.
    const auto old_bytes = reported_bytes(state, row);
    state.flags.raise(row);
    report(state, row, old_bytes, source);
    return true;
}

bool commit_bytes(LinkState& state, int row, std::span<const std::uint8_t> bytes, std::string_view source) {
    if (!settings_row(row) || bytes.size() != row_of(row).n) return false;
    // Value first, flag second (release in raise()).
    for (std::size_t k = 0; k < bytes.size(); ++k) state.settings.set(row_of(row).source + k, bytes[k]);
    return commit_row(state, row, source);
}

bool commit_setting(LinkState& state, std::size_t offset, std::span<const std::uint8_t> bytes,
                    std::string_view source) {
    const int row = row_for_setting(offset);
    return row != 0 && commit_bytes(state, row, bytes, source);
}

bool commit_u8(LinkState& state, std::size_t offset, std::uint8_t value, std::string_view source) {
    const std::array<std::uint8_t, 1> b{value};
    return commit_setting(state, offset, b, source);
}

bool commit_u16le(LinkState& state, std::size_t offset, std::uint16_t value, std::string_view source) {
    const std::array<std::uint8_t, 2> b{static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)};
    return commit_setting(state, offset, b, source);
}

bool commit_u16be(LinkState& state, std::size_t offset, std::uint16_t value, std::string_view source) {
    const std::array<std::uint8_t, 2> b{static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value & 0xFF)};
    return commit_setting(state, offset, b, source);
}

bool commit_min_sec(LinkState& state, std::size_t offset, std::uint8_t minutes, std::uint8_t seconds,
                    std::string_view source) {
    const std::array<std::uint8_t, 2> b{minutes, seconds};
    return commit_setting(state, offset, b, source);
}

bool hand_back(LinkState& state, int row) {
    if (!valid_row(row) || row_of(row).from != Source::status) return false;
    state.flags.raise(row);
    return true;
}

bool withdraw(LinkState& state, int row) {
    if (!valid_row(row) || row_of(row).clear != Clear::by_screen) return false;
    state.flags.lower(row);
    return true;
}

bool commit_eligible(int row) {
    if (!settings_row(row)) return false;
    switch (row_of(row).clear) {
    case Clear::echo:
    case Clear::echo_previous:
    case Clear::masked_echo:
        return true;
    default:
        return false;
    }
}

bool settings_differ(const LinkState& state, int row) {
    if (!settings_row(row)) return false;
    const ReplyRow& r = row_of(row);
    for (std::size_t k = r.source; k < r.source + r.n; ++k) {
        std::uint8_t wanted = state.settings.get(k);
        // The controller reports byte 279 without bits 4-6.
        if (r.clear == Clear::masked_echo) wanted &= 0x8F;
        if (state.status.get(k) != wanted) return true;
    }
    return false;
}

std::vector<int> commit_changed(LinkState& state, std::span<const int> rows, std::string_view source) {
    std::vector<int> out;
    for (const int r : rows) {
        if (commit_eligible(r) && settings_differ(state, r) && commit_row(state, r, source)) out.push_back(r);
    }
    return out;
}

std::vector<int> commit_changed(LinkState& state, std::initializer_list<int> rows, std::string_view source) {
    return commit_changed(state, std::span<const int>(rows.begin(), rows.size()), source);
}

}  // namespace dryer::link
