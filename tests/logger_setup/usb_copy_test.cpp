// The verified copy to the USB flash drive against real file systems: tmpfs
// and loop-mounted FAT and ext2 images where this machine lets the test
// mount (as root, in a mount namespace of the test's own), else the folder
// fallback only. Every fault leaves the source as it was and nothing under
// the final name.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/usb_copy.h"
#include "tests/support/temp_root.h"

namespace dryer::platform {
namespace {

namespace fs = std::filesystem;
using test_support::TempRoot;

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void write_file(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

// Bytes of every value, not a repeating block, so a misplaced chunk shows.
std::string sample_bytes(std::size_t n) {
    std::string s(n, '\0');
    std::uint32_t x = 2463534242u;
    for (char& c : s) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x & 0xFF);
    }
    return s;
}

// Mounts made by this test stay inside its own mount namespace, so a test
// that dies leaves nothing mounted on the machine.
bool private_mounts() {
    static const bool ok = ::unshare(CLONE_NEWNS) == 0 &&
                           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return ok;
}

// A file system mounted at a folder for the length of a test.
class Mounted {
public:
    Mounted(const fs::path& at, const char* type, unsigned long flags, const char* options) : at_(at) {
        fs::create_directories(at);
        if (!private_mounts()) {
            why_ = "mounting is not allowed here (no CAP_SYS_ADMIN)";
            return;
        }
        if (::mount(type, at.c_str(), type, flags, options) != 0) {
            why_ = std::string("cannot mount ") + type + ": " + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    // A loop-mounted image made by `mkfs` (e.g. "mkfs.vfat").
    Mounted(const fs::path& at, const fs::path& image, const std::string& type, const std::string& mkfs) : at_(at) {
        fs::create_directories(at);
        if (!private_mounts()) {
            why_ = "mounting is not allowed here (no CAP_SYS_ADMIN)";
            return;
        }
        const std::string program = mkfs.substr(0, mkfs.find(' '));
        if (std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) != 0) {
            why_ = program + " is not installed";
            return;
        }
        std::ofstream(image).close();
        fs::resize_file(image, 4 << 20);
        if (std::system((mkfs + " '" + image.string() + "' >/dev/null 2>&1").c_str()) != 0) {
            why_ = mkfs + " failed";
            return;
        }
        const std::string cmd = "mount -t " + type + " -o loop '" + image.string() + "' '" + at.string() + "' 2>/dev/null";
        if (std::system(cmd.c_str()) != 0) {
            why_ = "this kernel or container cannot loop-mount " + type;
            return;
        }
        mounted_ = true;
    }
    ~Mounted() { unmount(); }
    void unmount() {
        if (mounted_ && ::umount2(at_.c_str(), 0) != 0) ::umount2(at_.c_str(), MNT_DETACH);
        mounted_ = false;
    }
    bool ok() const { return mounted_; }
    const std::string& why() const { return why_; }

private:
    fs::path at_;
    bool mounted_ = false;
    std::string why_;
};

class UsbCopy : public ::testing::Test {
public:
    void SetUp() override {
        source_ = root_.hard_disk() / "LongTermDataLog.csv";
        write_file(source_, bytes_);
    }
    // The source is never changed, whatever happened on the stick (binary
    // bytes: compared whole, not printed).
    void expect_source_intact() { EXPECT_TRUE(!fs::exists(source_) || read_file(source_) == bytes_); }
    fs::path final_path() const { return root_.usb() / kName; }
    UsbTarget stick_target() const {
        UsbTarget t;
        t.folder = root_.usb();
        return t;
    }

    static constexpr const char* kName = "LongTermDataLog26_12_09_14_03_07.CSV";
    TempRoot root_;
    fs::path source_;
    std::string bytes_ = sample_bytes(200 * 1024 + 17);
};

TEST_F(UsbCopy, a_stick_is_a_mounted_folder_never_a_bare_folder_or_a_link) {
    fs::create_directories(root_.usb());
    EXPECT_FALSE(usb_stick_mounted(root_.usb())) << "an empty folder is not a stick";
    EXPECT_FALSE(usb_stick_mounted(root_.path() / "missing"));

    Mounted stick(root_.usb(), "tmpfs", 0, "size=1m");
    if (!stick.ok()) GTEST_SKIP() << stick.why();
    EXPECT_TRUE(usb_stick_mounted(root_.usb()));
    fs::create_directory_symlink(root_.usb(), root_.path() / "link");
    EXPECT_FALSE(usb_stick_mounted(root_.path() / "link")) << "a symlink to a stick is refused";

    // A bind mount of a folder of the same device keeps its st_dev: found in
    // /proc/self/mountinfo, whose paths escape the blank in "Hard Disk".
    fs::create_directories(root_.path() / "Hard Disk" / "from");
    const fs::path bound = root_.path() / "Hard Disk" / "bound";
    fs::create_directories(bound);
    if (::mount((root_.path() / "Hard Disk" / "from").c_str(), bound.c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "bind mounts are not allowed here: " << std::strerror(errno);
    EXPECT_TRUE(usb_stick_mounted(bound));
    ::umount2(bound.c_str(), 0);
    EXPECT_FALSE(usb_stick_mounted(bound));
}

struct FileSystemRow {
    const char* name;
    const char* type;
    const char* mkfs;  // null for tmpfs
};

class UsbCopyOn : public UsbCopy, public ::testing::WithParamInterface<FileSystemRow> {};

// The whole road on a real file system: the bytes arrive, no ".part" stays,
// and a second copy under the same name (two copies in one second) fails
// without touching the first.
TEST_P(UsbCopyOn, copies_verified_and_never_replaces_a_copy) {
    const FileSystemRow& row = GetParam();
    std::unique_ptr<Mounted> stick =
        row.mkfs ? std::make_unique<Mounted>(root_.usb(), root_.path() / "stick.img", row.type, row.mkfs)
                 : std::make_unique<Mounted>(root_.usb(), row.type, 0, "size=4m");
    if (!stick->ok()) GTEST_SKIP() << stick->why();
    ASSERT_TRUE(usb_target_present(stick_target()));

    const UsbCopyResult r = copy_file_to_usb(source_, kName, stick_target());
    ASSERT_TRUE(r.ok()) << describe(r);
    EXPECT_TRUE(read_file(final_path()) == bytes_);
    EXPECT_FALSE(fs::exists(root_.usb() / (std::string(kName) + ".part")));

    write_file(source_, "other bytes\r\n");
    const UsbCopyResult again = copy_file_to_usb(source_, kName, stick_target());
    EXPECT_EQ(again.step, UsbCopyStep::name_taken) << describe(again);
    EXPECT_TRUE(read_file(final_path()) == bytes_);

    const UsbCopyResult journal = write_bytes_to_usb("time,item\r\n", "DryerSettingsJournal.CSV", stick_target());
    EXPECT_TRUE(journal.ok()) << describe(journal);
    EXPECT_EQ(read_file(root_.usb() / "DryerSettingsJournal.CSV"), "time,item\r\n");
}

INSTANTIATE_TEST_SUITE_P(FileSystems, UsbCopyOn,
                         ::testing::Values(FileSystemRow{"tmpfs", "tmpfs", nullptr},
                                           FileSystemRow{"fat", "vfat", "mkfs.vfat"},
                                           FileSystemRow{"ext2", "ext2", "mkfs.ext2 -q -F"}),
                         [](const auto& row_info) { return std::string(row_info.param.name); });

// Faults on a folder taken as the stick (the test-only option), each with
// what the stick held before and what must stay true afterwards.
struct FaultRow {
    const char* name;
    UsbCopyStep step;
    std::function<void(UsbCopy&, UsbTarget&)> arrange;
};

void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.name; }
void PrintTo(const FileSystemRow& row, std::ostream* os) { *os << row.name; }

class UsbCopyFault : public UsbCopy, public ::testing::WithParamInterface<FaultRow> {};

TEST_P(UsbCopyFault, leaves_source_and_final_name_alone) {
    fs::create_directories(root_.usb());
    UsbTarget target{root_.usb(), true, {}};
    const fs::path outside = root_.path() / "outside.txt";
    write_file(outside, "not the stick's");
    GetParam().arrange(*this, target);
    const bool had_final = fs::exists(fs::symlink_status(final_path()));
    const std::string before = had_final ? read_file(final_path()) : std::string();

    const UsbCopyResult r = copy_file_to_usb(source_, kName, target);
    EXPECT_EQ(r.step, GetParam().step) << describe(r);
    expect_source_intact();
    EXPECT_EQ(read_file(outside), "not the stick's") << "nothing is written through a link";
    if (had_final) {
        EXPECT_EQ(read_file(final_path()), before);
    } else {
        EXPECT_FALSE(fs::exists(fs::symlink_status(final_path())));
    }
    EXPECT_FALSE(fs::exists(root_.usb() / (std::string(kName) + ".part")) &&
                 fs::is_regular_file(fs::symlink_status(root_.usb() / (std::string(kName) + ".part"))));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UsbCopyFault,
    ::testing::Values(
        FaultRow{"final_name_exists", UsbCopyStep::name_taken,
                 [](UsbCopy& c, UsbTarget&) { write_file(c.root_.usb() / UsbCopy::kName, "an earlier copy"); }},
        FaultRow{"final_name_is_a_link", UsbCopyStep::name_taken,
                 [](UsbCopy& c, UsbTarget&) {
                     fs::create_symlink(c.root_.path() / "outside.txt", c.root_.usb() / UsbCopy::kName);
                 }},
        FaultRow{"part_name_is_a_link", UsbCopyStep::create,
                 [](UsbCopy& c, UsbTarget&) {
                     fs::create_symlink(c.root_.path() / "outside.txt",
                                        c.root_.usb() / (std::string(UsbCopy::kName) + ".part"));
                 }},
        FaultRow{"stick_folder_is_a_link", UsbCopyStep::no_stick,
                 [](UsbCopy& c, UsbTarget&) {
                     fs::remove(c.root_.usb());
                     fs::create_directory(c.root_.path() / "elsewhere");
                     fs::create_directory_symlink(c.root_.path() / "elsewhere", c.root_.usb());
                 }},
        FaultRow{"stick_pulled_mid_copy", UsbCopyStep::verify,
                 [](UsbCopy& c, UsbTarget& target) {
                     target.after_write = [&c](std::size_t) { fs::remove_all(c.root_.usb()); };
                 }},
        FaultRow{"source_missing", UsbCopyStep::source,
                 [](UsbCopy& c, UsbTarget&) { fs::rename(c.source_, c.root_.path() / "kept.csv"); }}),
    [](const auto& row_info) { return std::string(row_info.param.name); });

// A full stick, a read-only stick and a stick pulled (lazily unmounted)
// while the copy runs, on real mounts.
TEST_F(UsbCopy, full_read_only_and_pulled_sticks_fail_cleanly) {
    struct Row {
        const char* name;
        unsigned long flags;
        const char* options;
        bool pull;
        UsbCopyStep step;
    };
    const Row rows[] = {
        {"full", 0, "size=64k", false, UsbCopyStep::write},
        {"read_only", MS_RDONLY, "size=1m", false, UsbCopyStep::create},
        {"pulled", 0, "size=4m", true, UsbCopyStep::stick_changed},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Mounted stick(root_.usb(), "tmpfs", row.flags, row.options);
        if (!stick.ok()) GTEST_SKIP() << stick.why();
        UsbTarget target = stick_target();
        bool pulled = false;
        if (row.pull) {
            target.after_write = [this, &pulled](std::size_t) {
                if (!pulled) pulled = ::umount2(root_.usb().c_str(), MNT_DETACH) == 0;
            };
        }
        const UsbCopyResult r = copy_file_to_usb(source_, kName, target);
        EXPECT_EQ(r.step, row.step) << describe(r);
        expect_source_intact();
        EXPECT_FALSE(fs::exists(fs::symlink_status(final_path())));
        EXPECT_FALSE(fs::exists(root_.usb() / (std::string(kName) + ".part")));
        if (row.pull) {
            EXPECT_TRUE(pulled);
        }
        stick.unmount();
    }
}

}  // namespace
}  // namespace dryer::platform
