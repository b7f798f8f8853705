// Export of the shutdown history to the USB flash drive as a text file.
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "logging/history/history_db.h"
#include "logging/history/shutdown_store.h"
#include "logging/history/single_byte.h"
#include "platform/time_format.h"

namespace dryer::history {
namespace {

class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool write_all(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

ExportResult message(std::string text) { return {ExportResult::Kind::message, std::move(text)}; }

// The box shown when the history cannot be read.
std::string read_failure_text(int rc) {
    switch (rc & 0xFF) {
    case SQLITE_NOMEM:
        return "NOT ENOUGHT MEMORY!";
    case SQLITE_RANGE:
    case SQLITE_MISUSE:
        return "INVALID PARAMETER!";
    case SQLITE_NOTFOUND:
    case SQLITE_CANTOPEN:
        return "FILE NOT FOUND!";
    default:
        return "ERROR: Handler (" + std::to_string(rc) + ")";
    }
}

}  // namespace

std::string date_text(std::int64_t file_time) {
    return platform::format_picture("MMM dd',' yyy", platform::from_file_time(file_time));
}

std::string time_text(std::int64_t file_time) {
    return platform::format_picture("h':'mm tt", platform::from_file_time(file_time));
}

std::string export_line(const HistoryRecord& r, CodePage page, const WarningTextLookup& text) {
    std::string line = to_single_byte(shown_warning(r, text), page);
    line += ';';
    line += to_single_byte(r.node, page);
    line += ';';
    line += date_text(r.recorded);
    line += ';';
    line += time_text(r.recorded);
    line += ";\n";
    return line;
}

ExportResult ShutdownStore::export_text(std::size_t count, const std::filesystem::path& usb_folder, CodePage page,
                                       const WarningTextLookup& warning_text) {
    const std::filesystem::path out = usb_folder / kExportFileName;
    // Opened without truncating: an earlier export stays whole until the new
    // text is ready to replace it.
    FileHandle fh(::open(out.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    if (fh.get() < 0) return {};

    std::vector<HistoryRecord> rows;
    int open_rc = SQLITE_OK;
    int list_rc = SQLITE_OK;
    int sys_errno = 0;
    {
        std::unique_lock lock(store_mutex_);
        write_queue_locked();
        db::Connection c;
        open_rc = c.open(file_, kScreenBusyMs);
        if (db::is_unsound(open_rc)) {
            c.close();
            if (db::set_aside(file_)) open_rc = c.open(file_, kScreenBusyMs);
        }
        if (open_rc == SQLITE_OK) list_rc = c.list(SortOrder::by_date_time, count, rows);
        sys_errno = c.system_errno();
        lock.unlock();
        drain_queue();
    }
    if (open_rc != SQLITE_OK) {
        const long code = sys_errno != 0 ? sys_errno : open_rc;
        return message("ERROR: CeMountDBVol failed (" + std::to_string(code) + ")");
    }
    if (list_rc != SQLITE_OK) return message(read_failure_text(list_rc));

    std::string text;
    for (const HistoryRecord& r : rows) text += export_line(r, page, warning_text);
    if (::ftruncate(fh.get(), 0) != 0 || !write_all(fh.get(), text) || ::fsync(fh.get()) != 0) return {};
    return {ExportResult::Kind::written, {}};
}

}  // namespace dryer::history
