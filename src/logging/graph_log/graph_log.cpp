#include "logging/graph_log/graph_log.h"

#include <algorithm>
#include <system_error>

#include "platform/panel_paths.h"

namespace dryer::logging {

namespace {

constexpr std::string_view kPrefix = "GRAPH_DATA_LOG_24HR";
constexpr std::string_view kFolder = "\\Hard Disk\\GraphDataLog";

int u16(const std::uint8_t* r, std::size_t at) { return r[at] * 256 + r[at + 1]; }
int s16(const std::uint8_t* r, std::size_t at) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(u16(r, at))); }

int field_of(const std::uint8_t* r, GraphTrace trace) {
    switch (trace) {
        case GraphTrace::moisture_in: return u16(r, 4);
        case GraphTrace::grain_temp_in: return s16(r, 2);
        case GraphTrace::moisture_out: return u16(r, 8);
        case GraphTrace::grain_temp_out: return s16(r, 6);
        case GraphTrace::dryer_grain_temp: return u16(r, 0);
        case GraphTrace::meter_roll_speed: return u16(r, 10);
    }
    return 0;
}

bool in_tenths(GraphTrace t) { return t == GraphTrace::grain_temp_in || t == GraphTrace::grain_temp_out; }

int step_for_span(long long span) {
    struct Row {
        long long up_to;
        int step;
    };
    static constexpr Row kSteps[] = {{4, 1},   {8, 2},   {12, 3},   {20, 5},   {40, 10},
                                     {80, 20}, {100, 25}, {120, 30}, {160, 40}, {200, 50}};
    for (const Row& r : kSteps)
        if (span <= r.up_to) return r.step;
    return 100;
}

GraphTime time_of(const std::uint8_t* r) { return {r[13], r[14], r[16], r[17]}; }

}  // namespace

unsigned graph_records_per_point(unsigned scale) { return scale <= 3 ? 1u << scale : 1u; }

int graph_field(const SampleRecord& record, GraphTrace trace) { return field_of(record.data(), trace); }

GraphAxis scale_graph_axis(std::span<const int> values) {
    if (values.empty()) return {};
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    const long long min = *lo;
    const long long max = *hi;
    long long d = step_for_span(max - min + 3);
    // A negative minimum takes the multiple of the step at or below it, so
    // every value lies on or above the base line.
    long long e = min >= 0 ? min / d * d : -((-min + d - 1) / d) * d;
    if (e + 4 * d < max) d += (max - e - 4 * d) / 4;
    return {static_cast<int>(e), static_cast<int>(d)};
}

int graph_point_height(int value, const GraphAxis& axis) {
    const double h = (static_cast<double>(value) - axis.base) * kGraphPlotHeight / (4.0 * axis.step);
    if (!(h > 0)) return 0;
    if (h >= kGraphPlotHeight) return kGraphPlotHeight;
    return static_cast<int>(h);
}

bool GraphLog::Key::operator==(const Key& o) const {
    if (scale != o.scale || offset != o.offset || files.size() != o.files.size()) return false;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto &a = files[i], &b = o.files[i];
        if (a.name != b.name || a.size != b.size || a.modified_ns != b.modified_ns) return false;
    }
    return true;
}

GraphLog::GraphLog() = default;

GraphLog::GraphLog(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path GraphLog::folder() const { return folder_ ? *folder_ : platform::map_panel_path(kFolder); }

std::vector<SampleFile> GraphLog::enumerate() { return list_sample_files(folder(), kPrefix, 2, set_aside_); }

bool GraphLog::append(const SampleRecord& record, const platform::LocalTime& now) {
    const auto dir = folder();
    const auto files = enumerate();
    if (!files.empty() && files.back().size < kGraphFileFullSize)
        return append_record_bytes(dir / files.back().name, record.data(), record.size()) == RecordAppend::written;
    if (files.size() == 2) {
        // The newer file is full: the older goes, so the pair keeps 24 to 48
        // hours and no file grows past its size.
        std::error_code ec;
        std::filesystem::remove(dir / files.front().name, ec);
        platform::sync_folder(dir);
    }
    return append_record_bytes(dir / sample_file_name(kPrefix, now), record.data(), record.size()) ==
           RecordAppend::written;
}

bool GraphLog::sampling_step(const SampleRecord& record, const platform::LocalTime& now) {
    if (--countdown_ > 0) return false;
    countdown_ = kGraphSamplePeriod;
    return append(record, now);
}

unsigned GraphLog::hours_available() {
    std::uint64_t records = 0;
    for (const auto& f : enumerate()) records += f.size / kSampleRecordSize;
    return static_cast<unsigned>(std::min<std::uint64_t>(records / kGraphHourRecords, kGraphMaxHoursShown));
}

const GraphWindow& GraphLog::window(unsigned scale, unsigned offset) {
    if (scale > 3) scale = 0;
    const auto dir = folder();
    Key key{list_sample_files(dir, kPrefix, 2, set_aside_), scale, offset};
    if (key_ && *key_ == key) return window_;

    const std::uint64_t k = graph_records_per_point(scale);
    const std::uint64_t wanted = kGraphPoints * k;
    std::uint64_t total = 0;
    for (const auto& f : key.files) total += f.size / kSampleRecordSize;
    const std::uint64_t hours = total / kGraphHourRecords;
    window_.hours_available = static_cast<unsigned>(std::min<std::uint64_t>(hours, kGraphMaxHoursShown));
    window_.max_offset = static_cast<unsigned>(hours > k ? std::min<std::uint64_t>(hours - k, 0xFFFF'FFFFu) : 0);

    // The newest `take` records ending `skip` records before the end of the
    // two files read as one stream, placed at the end of a zero-filled window.
    const std::uint64_t take = std::min(total, wanted);
    const std::uint64_t skip = total < wanted ? 0 : std::min<std::uint64_t>(std::uint64_t{offset} * kGraphHourRecords, total - wanted);
    buffer_.assign(wanted * kSampleRecordSize, 0);
    std::uint64_t from = total - skip - take;  // stream index of the first record read
    std::uint64_t left = take;
    std::uint64_t at = wanted - take;          // window index it goes to
    std::uint64_t file_start = 0;
    bool ok = true;
    for (const auto& f : key.files) {
        const std::uint64_t n = f.size / kSampleRecordSize;
        if (left > 0 && from < file_start + n) {
            const std::uint64_t first = from - file_start;
            const std::uint64_t count = std::min(left, n - first);
            const RecordReader reader(dir / f.name);
            if (!reader.read(first, count, buffer_.data() + at * kSampleRecordSize)) {
                ok = false;
                break;
            }
            from += count;
            left -= count;
            at += count;
        }
        file_start += n;
    }
    if (!ok) {
        key_.reset();
        if (!window_.read_failed) {
            window_.read_failed = true;
            ++window_.generation;
        }
        return window_;
    }

    const std::uint8_t* b = buffer_.data();
    for (std::size_t t = 0; t < kGraphTraceCount; ++t) {
        const auto trace = static_cast<GraphTrace>(t);
        const long long divisor = static_cast<long long>(k) * (in_tenths(trace) ? 10 : 1);
        for (std::size_t i = 0; i < kGraphPoints; ++i) {
            long long sum = 0;
            for (std::uint64_t r = i * k; r < (i + 1) * k; ++r) sum += field_of(b + r * kSampleRecordSize, trace);
            window_.points[t][i] = static_cast<int>(sum / divisor);
        }
        window_.axes[t] = scale_graph_axis(window_.points[t]);
    }
    window_.first = time_of(b);
    window_.middle = time_of(b + kGraphPoints / 2 * k * kSampleRecordSize);
    window_.last = time_of(b + (wanted - 1) * kSampleRecordSize);
    window_.read_failed = false;
    ++window_.generation;
    key_ = std::move(key);
    return window_;
}

}  // namespace dryer::logging
