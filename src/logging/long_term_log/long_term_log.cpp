#include "platform/file_io.h"
#include "logging/long_term_log/long_term_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "link/fields.h"
#include "platform/panel_paths.h"

namespace dryer::logging {

namespace {

// A torn line is at most this long; a longer run of bytes without a line end
// at the end of the file is not ours and is completed instead of cut.
constexpr std::uint64_t kTornLineScan = 4096;

std::uint16_t u16be(const link::ByteImage& s, std::size_t high, std::size_t low) {
    return static_cast<std::uint16_t>(s.get(high) * 256 + s.get(low));
}

std::optional<std::uint64_t> file_size(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

// Makes the file end in a line end again after a power loss tore its last
// line: the torn line is cut back to the previous line end; a long tail
// without any line end (not a line of ours) is completed with CR LF.
bool mend_tail(int fd, std::uint64_t size) {
    if (size == 0) return true;
    const std::uint64_t scan = size < kTornLineScan ? size : kTornLineScan;
    std::string tail(scan, '\0');
    std::size_t got = 0;
    while (got < scan) {
        const ssize_t n = ::pread(fd, tail.data() + got, scan - got, static_cast<off_t>(size - scan + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    if (tail.back() == '\n') return true;
    const auto lf = tail.rfind('\n');
    if (lf != std::string::npos) {
        const auto keep = size - scan + lf + 1;
        return ::ftruncate(fd, static_cast<off_t>(keep)) == 0 && ::fdatasync(fd) == 0;
    }
    if (size < 2) return ::ftruncate(fd, 0) == 0 && ::fdatasync(fd) == 0;
    return platform::write_all(fd, "\r\n") && ::fdatasync(fd) == 0;
}

}  // namespace

bool dryer_running(const link::ByteImage& status) {
    return (status.get(link::off::status_172) & 0x01) != 0 || (status.get(link::off::status_171) & 0x40) != 0;
}

std::optional<std::uint16_t> grain_column_temperature(const link::ByteImage& status) {
    using namespace link::off;
    switch (status.get(status_184)) {
        case 0: return u16be(status, value_93 + 1, value_93);
        case 1: return u16be(status, value_91 + 1, value_91);
        case 2: return u16be(status, value_89 + 1, value_89);
        default: return std::nullopt;
    }
}

LongTermSample capture_long_term_sample(const link::ByteImage& status, const platform::LocalTime& now,
                                        std::uint16_t previous_grain_column_temp) {
    using namespace link::off;
    LongTermSample s;
    s.grain_column_temp = grain_column_temperature(status).value_or(previous_grain_column_temp);
    s.moisture_in = u16be(status, moisture_191, moisture_191 + 1);
    s.grain_temp_in = u16be(status, value_195, value_195 + 1);
    s.moisture_out = u16be(status, moisture_189, moisture_189 + 1);
    s.grain_temp_out = u16be(status, grain_temp_193, grain_temp_193 + 1);
    s.meter_roll_speed = status.get(meter_roll_speed_pct);
    s.bushels_per_hour = u16be(status, value_173, value_173 + 1);
    s.status_202 = status.get(status_202);
    s.time = now;
    return s;
}

std::string long_term_header() {
    return "\r\nDate,Time,Grain Column Temp,Moist In,Grain Temp In,Moist Out,Grain Temp Out,MR Speed,BPH\r\n";
}

std::string long_term_data_line(const LongTermSample& s) {
    const int hour = s.time.hour;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    const char* half = hour < 12 ? "AM" : "PM";
    char line[160];
    std::snprintf(line, sizeof line, "%04d-%02d-%02d,%02d:%02d:%02d%s,%u,%u.%u,%u.%u,%u.%u,%u.%u,%u,%u\r\n",
                  s.time.year, s.time.month, s.time.day, hour12, s.time.minute, s.time.second, half,
                  unsigned{s.grain_column_temp}, s.moisture_in / 10u, s.moisture_in % 10u, s.grain_temp_in / 10u,
                  s.grain_temp_in % 10u, s.moisture_out / 10u, s.moisture_out % 10u, s.grain_temp_out / 10u,
                  s.grain_temp_out % 10u, unsigned{s.meter_roll_speed}, unsigned{s.bushels_per_hour});
    return line;
}

int long_term_fill_level(std::uint64_t size) {
    const double remaining = static_cast<double>(kLongTermLogLimit) - static_cast<double>(size);
    if (remaining <= 0) return 100;
    // The same arithmetic as the setup screen has always shown: 3,722,444
    // bytes give 70, 3,722,445 give 71.
    const double fill = 100.0 - remaining * (1.0 / static_cast<double>(kLongTermLogLimit)) * 100.0;
    return static_cast<int>(fill);
}

LongTermLog::LongTermLog() : LongTermLog(platform::map_panel_path("\\Hard Disk\\DataLog\\LongTermDataLog.csv")) {}

LongTermLog::LongTermLog(std::filesystem::path file) : file_(std::move(file)) {}

LongTermCode LongTermLog::write_sample_line(const LongTermSample& sample) {
    const platform::UniqueFd fd(platform::open_for_append(file_));
    if (fd.get() < 0) return LongTermCode::cannot_open;
    auto size = file_size(fd.get());
    if (!size) return LongTermCode::cannot_open;
    fill_level_ = long_term_fill_level(*size);
    if (fill_level_ >= 100) return LongTermCode::full;
    if (!running_) return LongTermCode::not_running;
    if (!tail_checked_) {
        if (!mend_tail(fd.get(), *size)) return LongTermCode::write_failed;
        tail_checked_ = true;
        size = file_size(fd.get());
        if (!size) return LongTermCode::write_failed;
    }
    std::string bytes = header_pending_ ? long_term_header() : std::string();
    bytes += long_term_data_line(sample);
    if (!platform::write_all(fd.get(), bytes) || ::fdatasync(fd.get()) != 0) {
        // Leave no partial line behind for the next one to run into.
        if (::ftruncate(fd.get(), static_cast<off_t>(*size)) == 0) ::fdatasync(fd.get());
        return LongTermCode::write_failed;
    }
    header_pending_ = false;
    return LongTermCode::written;
}

LongTermTick LongTermLog::second_tick(const link::ByteImage& status, const platform::LocalTime& now) {
    LongTermTick tick;
    const unsigned taken = countdown_++;
    if (taken < 11) {
        tick.fill_level = fill_level_;
        return tick;
    }
    countdown_ = 0;
    tick.sampled = true;
    const LongTermSample sample = capture_long_term_sample(status, now, grain_column_temp_);
    grain_column_temp_ = sample.grain_column_temp;
    tick.logging_enabled = status.get(link::off::day_logger_289) == 1;
    if (tick.logging_enabled) {
        tick.code = write_sample_line(sample);
        if (fill_level_ > 70 && warning_armed_) {
            warning_armed_ = false;
            tick.size_warning_due = true;
        }
    } else {
        const platform::UniqueFd fd(platform::open_for_append(file_));
        if (fd.get() >= 0) {
            if (const auto size = file_size(fd.get())) fill_level_ = long_term_fill_level(*size);
        }
    }
    tick.fill_level = fill_level_;
    return tick;
}

bool LongTermLog::remove_file() {
    std::error_code ec;
    std::filesystem::remove(file_, ec);
    if (!ec) platform::sync_folder(file_.parent_path());
    return !std::filesystem::exists(file_, ec) && !ec;
}

}  // namespace dryer::logging
