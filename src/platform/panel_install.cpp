#include "platform/panel_install.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>
#include <vector>

#include "platform/file_io.h"

namespace dryer::platform {

namespace fs = std::filesystem;

namespace {

// What the manifest records of one file: its size and modification time.
struct Stamp {
    unsigned long long size = 0;
    long long mtime_ns = 0;
    bool operator==(const Stamp&) const = default;
};

bool stamp_of(const fs::path& file, Stamp& out, bool& is_regular) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0) return false;
    is_regular = S_ISREG(st.st_mode);
    out.size = static_cast<unsigned long long>(st.st_size);
    out.mtime_ns = static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec;
    return true;
}

// The list of copies. "pending" is set while copies are being made: they are
// not yet known to be on storage, so after a power loss every listed file that
// differs from the template is copied again (nobody edits the state folder
// while the panel prepares it).
struct Manifest {
    std::map<std::string, Stamp> files;
    bool pending = false;
};

constexpr const char* kPendingLine = "pending";

// One line per file: "<size> <mtime in ns> <path relative to the root>",
// and a line "pending" while copies are being made. Other lines are skipped.
Manifest read_manifest(const fs::path& file) {
    Manifest m;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line == kPendingLine) {
            m.pending = true;
            continue;
        }
        std::istringstream fields(line);
        Stamp s;
        if (!(fields >> s.size >> s.mtime_ns)) continue;
        if (fields.get() != ' ') continue;
        std::string rel;
        std::getline(fields, rel);
        if (!rel.empty()) m.files[rel] = s;
    }
    return m;
}

bool write_manifest(const fs::path& file, const Manifest& m) {
    std::string text = m.pending ? std::string(kPendingLine) + '\n' : std::string();
    for (const auto& [rel, s] : m.files) {
        text += std::to_string(s.size) + ' ' + std::to_string(s.mtime_ns) + ' ' + rel + '\n';
    }
    const fs::path temp = file.string() + ".new";
    UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.get() < 0) return false;
    if (!write_all(fd.get(), text) || ::fsync(fd.get()) != 0) return false;
    if (::rename(temp.c_str(), file.c_str()) != 0) return false;
    sync_folder(file.parent_path());
    return true;
}

// Copies src to dst through a temporary file beside dst, giving the copy the
// source's modification time (which is what the manifest compares). The copy
// is not synced here: one syncfs() after all copies is much cheaper than a
// thousand fsync() calls on a flash card.
bool copy_over(const fs::path& src, const fs::path& dst, const Stamp& stamp, std::string& error) {
    std::error_code ec;
    fs::create_directories(dst.parent_path(), ec);
    const fs::path temp = dst.parent_path() / ("." + dst.filename().string() + ".new");
    if (!ec) fs::copy_file(src, temp, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        error = dst.string() + ": " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    const timespec times[2] = {{0, UTIME_OMIT},
                               {static_cast<time_t>(stamp.mtime_ns / 1'000'000'000LL),
                                static_cast<long>(stamp.mtime_ns % 1'000'000'000LL)}};
    if (::utimensat(AT_FDCWD, temp.c_str(), times, 0) != 0 || ::rename(temp.c_str(), dst.c_str()) != 0) {
        error = dst.string() + ": could not write";
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

struct Copy {
    fs::path from;
    std::string rel;
    Stamp stamp;
    bool refresh;
    bool recordable;
};

}  // namespace

fs::path program_dir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

fs::path installed_template(const fs::path& dir) {
    if (const char* env = std::getenv("DRYER_PANEL_TEMPLATE"); env && *env) return fs::path(env);
    if (dir.empty()) return {};
    const fs::path candidate = (dir / kTemplateFromProgram).lexically_normal();
    std::error_code ec;
    return fs::is_directory(candidate, ec) ? candidate : fs::path();
}

PrepareResult prepare_panel_root(const fs::path& templ, const fs::path& root) {
    PrepareResult result;
    auto fail = [&result](const std::string& what) {
        ++result.failed;
        if (result.error.empty()) result.error = what;
    };
    std::error_code ec;
    fs::create_directories(root, ec);
    if (ec) {
        fail(root.string() + ": " + ec.message());
        return result;
    }
    const fs::path manifest_file = root / kTemplateManifest;
    Manifest manifest = read_manifest(manifest_file);

    // What to copy: first the whole plan, then the copies.
    std::vector<Copy> plan;
    fs::recursive_directory_iterator it(templ, fs::directory_options::none, ec);
    if (ec) {
        fail(templ.string() + ": " + ec.message());
        return result;
    }
    for (const fs::recursive_directory_iterator end; it != end; it.increment(ec)) {
        if (ec) {
            fail(templ.string() + ": " + ec.message());
            break;
        }
        Stamp from;
        bool regular = false;
        if (!stamp_of(it->path(), from, regular) || !regular) continue;
        const std::string rel = it->path().lexically_relative(templ).generic_string();
        if (rel == kTemplateManifest) continue;
        // A name the manifest cannot hold on one line is only ever copied when missing.
        const bool recordable = rel.find('\n') == std::string::npos;
        Stamp here;
        bool here_regular = false;
        if (!stamp_of(root / rel, here, here_regular)) {
            plan.push_back({it->path(), rel, from, false, recordable});
            continue;
        }
        const auto known = recordable ? manifest.files.find(rel) : manifest.files.end();
        const bool ours = here_regular && known != manifest.files.end() && (manifest.pending || known->second == here);
        if (ours && !(from == here)) {
            plan.push_back({it->path(), rel, from, true, recordable});
        } else {
            ++result.kept;
        }
    }
    if (plan.empty()) {
        if (manifest.pending) {
            manifest.pending = false;
            write_manifest(manifest_file, manifest);
        }
        return result;
    }

    // The list names every file before it is copied, marked pending, so a
    // power loss in between cannot leave a half copy that looks like a file
    // of the dealer's.
    Manifest before = manifest;
    for (const Copy& c : plan) {
        if (c.recordable) manifest.files[c.rel] = c.stamp;
    }
    manifest.pending = true;
    if (!write_manifest(manifest_file, manifest)) {
        fail(manifest_file.string() + ": could not write");
        return result;
    }
    for (const Copy& c : plan) {
        std::string error;
        if (copy_over(c.from, root / c.rel, c.stamp, error)) {
            ++(c.refresh ? result.refreshed : result.copied);
            continue;
        }
        fail(error);
        // The file is as it was: the list says so too.
        if (const auto old = before.files.find(c.rel); old != before.files.end()) {
            manifest.files[c.rel] = old->second;
        } else {
            manifest.files.erase(c.rel);
        }
    }
    if (UniqueFd fd(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); fd.get() >= 0) ::syncfs(fd.get());
    manifest.pending = false;
    if (!write_manifest(manifest_file, manifest)) fail(manifest_file.string() + ": could not write");
    return result;
}

std::string prepare_installed_root(const fs::path& root) {
    const fs::path templ = installed_template(program_dir());
    if (templ.empty()) return {};
    const PrepareResult r = prepare_panel_root(templ, root);
    std::string note;
    if (r.copied + r.refreshed > 0) note = std::to_string(r.copied + r.refreshed) + " files from " + templ.string();
    if (r.failed > 0) {
        note += (note.empty() ? "" : "; ") + std::to_string(r.failed) + " files not prepared: " + r.error;
    }
    return note;
}

}  // namespace dryer::platform
