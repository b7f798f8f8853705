#include "logging/day_log/day_log.h"

#include <algorithm>
#include <system_error>

#include "link/fields.h"
#include "logging/long_term_log/long_term_log.h"
#include "platform/panel_paths.h"

namespace dryer::logging {

namespace {

constexpr std::string_view kPrefix = "DATA_LOG_24HR";

void put_u16(SampleRecord& r, std::size_t at, const link::ByteImage& s, std::size_t high) {
    r[at] = s.get(high);
    r[at + 1] = s.get(high + 1);
}

std::uint16_t get_u16(const SampleRecord& r, std::size_t at) {
    return static_cast<std::uint16_t>(r[at] * 256 + r[at + 1]);
}

// Reads w records of a file of n whole records that end k records before its
// newest one, as the table has always paged: all n when n <= w, the first w
// when n <= k + w, else w starting k + w before the end. Positions count from
// the end of the file.
PageStatus read_from(const std::filesystem::path& file, std::size_t w, std::size_t k,
                     std::vector<SampleRecord>& out) {
    if (w == 0) return PageStatus::ok;
    const RecordReader reader(file);
    if (!reader.is_open()) return PageStatus::open_failed;
    const std::uint64_t n = reader.count();
    std::uint64_t first = 0;  // index of the first record read, 0 = oldest whole record
    std::uint64_t take = w;
    if (n <= w) {
        take = n;
    } else if (n > std::uint64_t{k} + w) {
        first = n - (std::uint64_t{k} + w);
    }
    std::vector<std::uint8_t> bytes(take * kSampleRecordSize);
    if (!reader.read(first, take, bytes.data())) return PageStatus::read_failed;
    for (std::uint64_t i = 0; i < take; ++i) {
        SampleRecord rec;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(i * kSampleRecordSize), kSampleRecordSize,
                    rec.begin());
        out.push_back(rec);
    }
    return PageStatus::ok;
}

}  // namespace

SampleRecord capture_sample_record(const link::ByteImage& status, const platform::LocalTime& now,
                                   const SampleRecord& previous) {
    using namespace link::off;
    SampleRecord r{};
    if (const auto t = grain_column_temperature(status)) {
        r[0] = static_cast<std::uint8_t>(*t >> 8);
        r[1] = static_cast<std::uint8_t>(*t & 0xFF);
    } else {
        r[0] = previous[0];
        r[1] = previous[1];
    }
    put_u16(r, 2, status, value_195);
    put_u16(r, 4, status, moisture_191);
    put_u16(r, 6, status, grain_temp_193);
    put_u16(r, 8, status, moisture_189);
    r[10] = 0;
    r[11] = status.get(meter_roll_speed_pct);
    r[12] = 0;
    r[13] = static_cast<std::uint8_t>(now.hour);
    r[14] = static_cast<std::uint8_t>(now.minute);
    r[15] = static_cast<std::uint8_t>(now.second);
    r[16] = static_cast<std::uint8_t>(now.month);
    r[17] = static_cast<std::uint8_t>(now.day);
    return r;
}

SampleValues sample_values(const SampleRecord& r) {
    SampleValues v;
    v.grain_column_temp = get_u16(r, 0);
    v.grain_temp_in = get_u16(r, 2);
    v.moisture_in = get_u16(r, 4);
    v.grain_temp_out = get_u16(r, 6);
    v.moisture_out = get_u16(r, 8);
    v.meter_roll_speed = r[11];
    v.hour = r[13];
    v.minute = r[14];
    v.second = r[15];
    v.month = r[16];
    v.day = r[17];
    return v;
}

std::string day_log_file_name(const platform::LocalTime& made) { return sample_file_name(kPrefix, made); }

bool day_log_name_matches(std::string_view name) { return sample_file_name_matches(kPrefix, name); }

std::optional<std::int64_t> day_log_name_time(std::string_view name) { return sample_file_name_time(kPrefix, name); }

DayLog::DayLog() = default;

DayLog::DayLog(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path DayLog::folder() const {
    return folder_ ? *folder_ : platform::storage_path("ShortTermDataLog");
}

std::vector<DayLogFile> DayLog::enumerate() { return list_sample_files(folder(), kPrefix, 2, set_aside_); }

DayAppend DayLog::append_sample(const SampleRecord& record, const platform::LocalTime& now) {
    const auto dir = folder();
    auto logs = enumerate();
    if (!logs.empty() && logs.back().size < kDayLogFullSize) return append_record_bytes(dir / logs.back().name, record.data(), record.size());
    if (logs.size() == 2) {
        std::error_code ec;
        std::filesystem::remove(dir / logs.front().name, ec);
        platform::sync_folder(dir);
    }
    return append_record_bytes(dir / day_log_file_name(now), record.data(), record.size());
}

std::size_t DayLog::record_count() {
    std::uint64_t n = 0;
    for (const auto& f : enumerate()) n += f.size / kSampleRecordSize;
    return static_cast<std::size_t>(std::min<std::uint64_t>(n, kDayLogShownRecords));
}

DayPage DayLog::read_page(std::size_t count, std::size_t skip) {
    DayPage page;
    const auto dir = folder();
    const auto logs = enumerate();
    PageStatus st = PageStatus::ok;
    if (logs.size() == 1) {
        st = read_from(dir / logs[0].name, count, skip, page.records);
    } else if (logs.size() == 2) {
        const auto& older = logs[0];
        const auto& newer = logs[1];
        const std::uint64_t m = newer.size / kSampleRecordSize;
        if (skip >= m) {
            st = read_from(dir / older.name, count, static_cast<std::size_t>(skip - m), page.records);
        } else if (std::uint64_t{skip} + count <= m) {
            st = read_from(dir / newer.name, count, skip, page.records);
        } else {
            st = read_from(dir / older.name, static_cast<std::size_t>(skip + count - m), 0, page.records);
            if (st == PageStatus::ok)
                st = read_from(dir / newer.name, static_cast<std::size_t>(m - skip), skip, page.records);
        }
    }
    if (st != PageStatus::ok) page.records.clear();
    page.status = st;
    return page;
}

bool DayLog::delete_all() {
    const auto dir = folder();
    bool ok = true;
    for (const auto& f : enumerate()) {
        std::error_code ec;
        std::filesystem::remove(dir / f.name, ec);
        if (ec) ok = false;
    }
    platform::sync_folder(dir);
    return ok;
}

DayTick DayLog::sampling_step(const link::ByteImage& status, const SampleRecord& record,
                              const platform::LocalTime& now) {
    using namespace link::off;
    DayTick tick;
    if ((status.get(options_293) & 0x80) != 0) {
        const std::uint8_t state = status.get(status_292);
        const bool due = (state & 0x02) != 0 && status.get(moisture_189 + 1) != 0;
        if (due) {
            if (!sampler_fired_) {
                sampler_fired_ = true;
                tick.append = append_sample(record, now);
                tick.redraw = true;
            }
        } else if ((state & 0x01) != 0) {
            sampler_fired_ = false;
        }
        return tick;
    }
    if (countdown_ <= 0) {
        countdown_ = static_cast<long>(sample_minutes_) * 60;
        tick.append = append_sample(record, now);
        tick.redraw = true;
    } else {
        --countdown_;
    }
    return tick;
}

}  // namespace dryer::logging
