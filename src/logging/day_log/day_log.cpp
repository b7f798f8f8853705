#include "platform/file_io.h"
#include "logging/day_log/day_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdio.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <system_error>

#include "link/fields.h"
#include "logging/long_term_log/long_term_log.h"
#include "platform/panel_paths.h"

namespace dryer::logging {

namespace {

constexpr std::string_view kPrefix = "DATA_LOG_24HR";
constexpr std::string_view kSuffix = ".DAT";
constexpr std::size_t kNameLength = 34;  // prefix, "yy_MM_dd_HH_mm_ss", suffix

void put_u16(SampleRecord& r, std::size_t at, const link::ByteImage& s, std::size_t high) {
    r[at] = s.get(high);
    r[at + 1] = s.get(high + 1);
}

std::uint16_t get_u16(const SampleRecord& r, std::size_t at) {
    return static_cast<std::uint16_t>(r[at] * 256 + r[at + 1]);
}

bool same_letters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

DayAppend append_record(const std::filesystem::path& file, const SampleRecord& record) {
    const platform::UniqueFd fd(platform::open_for_append(file));
    if (fd.get() < 0) return DayAppend::cannot_open;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return DayAppend::write_failed;
    std::size_t done = 0;
    bool ok = true;
    while (done < record.size()) {
        const ssize_t n = ::write(fd.get(), record.data() + done, record.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (!ok || ::fdatasync(fd.get()) != 0) {
        if (::ftruncate(fd.get(), st.st_size) == 0) ::fdatasync(fd.get());
        return DayAppend::write_failed;
    }
    return DayAppend::written;
}

// Reads w records of a file of n whole records that end k records before its
// newest one, as the table has always paged: all n when n <= w, the first w
// when n <= k + w, else w starting k + w before the end. Positions count from
// the end of the file.
PageStatus read_from(const std::filesystem::path& file, std::size_t w, std::size_t k,
                     std::vector<SampleRecord>& out) {
    if (w == 0) return PageStatus::ok;
    const platform::UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return PageStatus::open_failed;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return PageStatus::open_failed;
    const auto size = static_cast<std::uint64_t>(st.st_size);
    const std::uint64_t n = size / kSampleRecordSize;
    std::uint64_t first = 0;  // index of the first record read, 0 = oldest whole record
    std::uint64_t take = w;
    if (n <= w) {
        take = n;
    } else if (n > std::uint64_t{k} + w) {
        first = n - (std::uint64_t{k} + w);
    }
    const std::uint64_t base = size - n * kSampleRecordSize;  // a torn head stays unread
    std::vector<std::uint8_t> bytes(take * kSampleRecordSize);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t r = ::pread(fd.get(), bytes.data() + got, bytes.size() - got,
                                  static_cast<off_t>(base + first * kSampleRecordSize + got));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return PageStatus::read_failed;
        got += static_cast<std::size_t>(r);
    }
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

std::string day_log_file_name(const platform::LocalTime& made) {
    std::string name(kPrefix);
    name += platform::format_picture("yy'_'MM'_'dd'_'", made);
    name += platform::format_picture("HH'_'mm'_'ss", made);
    name += kSuffix;
    return name;
}

bool day_log_name_matches(std::string_view name) {
    if (name.size() != kNameLength) return false;
    if (!same_letters(name.substr(0, kPrefix.size()), kPrefix)) return false;
    if (!same_letters(name.substr(kNameLength - kSuffix.size()), kSuffix)) return false;
    for (std::size_t i = 0; i < 5; ++i) {
        if (name[kPrefix.size() + 2 + i * 3] != '_') return false;
    }
    return true;
}

std::optional<std::int64_t> day_log_name_time(std::string_view name) {
    if (!day_log_name_matches(name)) return std::nullopt;
    int part[6];
    for (std::size_t i = 0; i < 6; ++i) {
        const char hi = name[kPrefix.size() + i * 3];
        const char lo = name[kPrefix.size() + i * 3 + 1];
        if (!std::isdigit(static_cast<unsigned char>(hi)) || !std::isdigit(static_cast<unsigned char>(lo)))
            return std::nullopt;
        part[i] = (hi - '0') * 10 + (lo - '0');
    }
    if (part[1] < 1 || part[1] > 12 || part[2] < 1 || part[2] > 31 || part[3] > 23 || part[4] > 59 || part[5] > 59)
        return std::nullopt;
    platform::LocalTime t;
    t.year = 2000 + part[0];
    t.month = part[1];
    t.day = part[2];
    t.hour = part[3];
    t.minute = part[4];
    t.second = part[5];
    return platform::to_file_time(t);
}

DayLog::DayLog() = default;

DayLog::DayLog(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path DayLog::folder() const {
    return folder_ ? *folder_ : platform::storage_path("ShortTermDataLog");
}

std::vector<DayLogFile> DayLog::enumerate() {
    const auto dir = folder();
    std::vector<DayLogFile> logs;
    std::vector<std::string> strays;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!day_log_name_matches(name)) continue;
        std::error_code sec;
        const auto st = it->symlink_status(sec);
        if (sec || !std::filesystem::is_regular_file(st)) continue;
        const auto made = day_log_name_time(name);
        if (!made) {
            strays.push_back(name);
            continue;
        }
        const auto size = std::filesystem::file_size(it->path(), sec);
        logs.push_back({name, sec ? 0 : size, *made});
    }
    std::sort(logs.begin(), logs.end(), [](const DayLogFile& a, const DayLogFile& b) {
        return a.made != b.made ? a.made < b.made : a.name < b.name;
    });
    while (logs.size() > 2) {
        strays.push_back(logs.front().name);
        logs.erase(logs.begin());
    }
    bool renamed = false;
    for (const auto& name : strays) {
        const auto from = dir / name;
        for (int i = 0; i < 100; ++i) {
            std::string aside = name;
            aside += ".SET_ASIDE";
            if (i > 0) {
                aside += '.';
                aside += std::to_string(i);
            }
            const auto to = dir / aside;
            std::error_code xec;
            if (std::filesystem::exists(std::filesystem::symlink_status(to, xec))) continue;
            // An existing file of the new name is never replaced.
            int rc = ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
            if (rc != 0 && errno == EEXIST) continue;
            if (rc != 0 && errno == EINVAL) rc = ::rename(from.c_str(), to.c_str());
            if (rc == 0) {
                set_aside_.push_back(to);
                renamed = true;
            }
            break;
        }
    }
    if (renamed) platform::sync_folder(dir);
    return logs;
}

DayAppend DayLog::append_sample(const SampleRecord& record, const platform::LocalTime& now) {
    const auto dir = folder();
    auto logs = enumerate();
    if (!logs.empty() && logs.back().size < kDayLogFullSize) return append_record(dir / logs.back().name, record);
    if (logs.size() == 2) {
        std::error_code ec;
        std::filesystem::remove(dir / logs.front().name, ec);
        platform::sync_folder(dir);
    }
    return append_record(dir / day_log_file_name(now), record);
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
