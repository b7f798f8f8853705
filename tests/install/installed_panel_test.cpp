// The panel as a dealer installs it, end to end: `cmake --install` into a
// temporary prefix, the installed panel started twice offscreen on a fresh
// state folder, the Debian package built with cpack, inspected with dpkg-deb
// and unpacked, the service unit checked by systemd-analyze, and the USB
// stick helper's mount options. Steps that need a tool the machine lacks
// (cpack's dpkg-shlibdeps, systemd-analyze) are skipped with the reason.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct ProcessRun {
    int code = -1;
    QString out;
};

// Runs a program to its end (stdout and stderr together).
ProcessRun run(const QString& program, const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    ProcessRun r;
    if (!p.waitForFinished(300000)) {
        p.kill();
        p.waitForFinished();
    } else if (p.exitStatus() == QProcess::NormalExit) {
        r.code = p.exitCode();
    }
    r.out = QString::fromLocal8Bit(p.readAll());
    return r;
}

QString build_dir() { return QString::fromLocal8Bit(std::getenv("DRYER_BINARY_DIR")); }

QString text_of(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The panel offscreen against its built-in controller (a scenario quiet for
// the first 30 s, so two runs draw the same dryer), ending with a screenshot
// on the first pass of its event loop after `after` seconds.
ProcessRun start_panel(const QString& program, const QString& root, const QString& shot, const QString& scenario,
                const QString& templ = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("DRYER_PANEL_ROOT"));
    if (templ.isEmpty()) {
        env.remove(QStringLiteral("DRYER_PANEL_TEMPLATE"));
    } else {
        env.insert(QStringLiteral("DRYER_PANEL_TEMPLATE"), templ);
    }
    return run(program, {QStringLiteral("--root"), root, QStringLiteral("--simulate"), scenario,
                         QStringLiteral("--screenshot"), shot, QStringLiteral("--after"), QStringLiteral("2")},
               env);
}

// Runs one SQL statement on a database file; returns the first column of the
// first row it gives, or an empty string.
std::string sql(const QString& file, const char* statement) {
    sqlite3* db = nullptr;
    std::string first;
    if (sqlite3_open_v2(file.toLocal8Bit().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_exec(
            db, statement,
            [](void* out, int n, char** values, char**) {
                if (n > 0 && values[0] && static_cast<std::string*>(out)->empty()) *static_cast<std::string*>(out) = values[0];
                return 0;
            },
            &first, nullptr);
    }
    sqlite3_close(db);
    return first;
}

// Share of pixels of `area` that differ noticeably between two pictures.
double differing_share(const QImage& a, const QImage& b, const QRect& area) {
    if (a.size() != b.size() || a.isNull()) return 1.0;
    long differ = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            differ += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue()) > 48;
        }
    }
    return static_cast<double>(differ) / (area.width() * area.height());
}

// The installed panel draws what the build tree's panel draws. The button
// row comes from the template's pictures (without them a third of it
// differs) and does not move; the rest shows live values, which depend on
// how far each run got with the controller, so it is only reported.
void expect_same_screen(const QImage& shot, const QImage& reference) {
    ASSERT_EQ(shot.size(), QSize(640, 480));
    const double buttons = differing_share(shot, reference, QRect(0, 420, 640, 60));
    const double whole = differing_share(shot, reference, shot.rect());
    std::printf("pixels differing from the build tree's panel: buttons %.2f %%, screen %.2f %%\n", buttons * 100, whole * 100);
    EXPECT_LT(buttons, 0.05);
}

class InstalledPanel : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        prefix_ = dir_->filePath(QStringLiteral("usr"));
        install_ = run(QStringLiteral(DRYER_CMAKE_COMMAND), {QStringLiteral("--install"), build_dir(),
                                                             QStringLiteral("--prefix"), prefix_});
        // The reference: the build tree's panel on the build tree's panel root.
        reference_ = start_panel(build_dir() + QStringLiteral("/src/shell/dryer-panel"),
                                 dir_->filePath(QStringLiteral("reference")), dir_->filePath(QStringLiteral("reference.png")),
                                 scenario(), build_dir() + QStringLiteral("/panel-root"));
    }
    static void TearDownTestSuite() { dir_.reset(); }

    void SetUp() override { ASSERT_EQ(install_.code, 0) << install_.out.toStdString(); }

    static QString path(const QString& rel) { return prefix_ + QLatin1Char('/') + rel; }
    static QString scenario() { return prefix_ + QStringLiteral("/share/dryer-panel/scenarios/faults.txt"); }
    static QImage reference_shot() { return QImage(dir_->filePath(QStringLiteral("reference.png"))); }

    static std::unique_ptr<QTemporaryDir> dir_;
    static QString prefix_;
    static ProcessRun install_;
    static ProcessRun reference_;
};

std::unique_ptr<QTemporaryDir> InstalledPanel::dir_;
QString InstalledPanel::prefix_;
ProcessRun InstalledPanel::install_;
ProcessRun InstalledPanel::reference_;

TEST_F(InstalledPanel, ships_only_what_the_build_generates_and_names_the_prefix_in_its_service_files) {
    // A panel run on the build tree's root writes its data there: none of it is shipped.
    EXPECT_EQ(QDir(path(QStringLiteral("share/dryer-panel/panel-root/Hard Disk")))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({QStringLiteral("Languages"), QStringLiteral("manuals")}));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("share/dryer-panel/panel-root/Hard Disk/Languages/EN/Bitmaps/.rendered"))));
    EXPECT_TRUE(text_of(path(QStringLiteral("lib/systemd/system/dryer-panel.service")))
                    .contains(QStringLiteral("EnvironmentFile=-") + prefix_ + QStringLiteral("/etc/default/dryer-panel")));
    EXPECT_TRUE(text_of(path(QStringLiteral("lib/udev/rules.d/60-dryer-panel.rules")))
                    .contains(prefix_ + QStringLiteral("/lib/dryer-panel/dryer-usb-stick add $devnode")));
}

TEST_F(InstalledPanel, starts_on_a_fresh_state_folder_and_a_second_start_keeps_the_operators_data) {
    ASSERT_EQ(reference_.code, 0) << reference_.out.toStdString();
    const QString state = dir_->filePath(QStringLiteral("state"));
    const QString panel = path(QStringLiteral("bin/dryer-panel"));

    const ProcessRun first = start_panel(panel, state, dir_->filePath(QStringLiteral("first.png")), scenario());
    ASSERT_EQ(first.code, 0) << first.out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(state + QStringLiteral("/Hard Disk/Languages/EN/EnglishStrings.txt")));
    EXPECT_TRUE(QFileInfo::exists(state + QStringLiteral("/Hard Disk/ShutdownHistoryDB")));
    expect_same_screen(QImage(dir_->filePath(QStringLiteral("first.png"))), reference_shot());

    // The operator's data as a second start must find it.
    QDir().mkpath(state + QStringLiteral("/Registry"));
    const QByteArray settings = "GRAPH_HORIZONTAL_SCALE=2\nSCREEN_VIEW_SELECTION=1\n";
    QFile registry(state + QStringLiteral("/Registry/TavrinDryer.txt"));
    ASSERT_TRUE(registry.open(QIODevice::WriteOnly));
    registry.write(settings);
    registry.close();
    const QString db = state + QStringLiteral("/Hard Disk/ShutdownHistoryDB");
    sql(db, "INSERT INTO shutdowns(warning, node, recorded) VALUES('kept warning', 'kept node', 1)");
    ASSERT_EQ(sql(db, "SELECT count(*) FROM shutdowns"), "1");

    const ProcessRun second = start_panel(panel, state, dir_->filePath(QStringLiteral("second.png")), scenario());
    ASSERT_EQ(second.code, 0) << second.out.toStdString();
    EXPECT_FALSE(second.out.contains(QStringLiteral("files from"))) << "the template was copied again";
    EXPECT_EQ(text_of(state + QStringLiteral("/Registry/TavrinDryer.txt")).toUtf8(), settings);
    EXPECT_EQ(sql(db, "SELECT warning FROM shutdowns"), "kept warning");
    EXPECT_EQ(QImage(dir_->filePath(QStringLiteral("second.png"))).size(), QSize(640, 480));
}

TEST_F(InstalledPanel, the_usb_helper_mounts_sticks_safely_and_tidies_a_stale_mount_point) {
    const QString helper = path(QStringLiteral("lib/dryer-panel/dryer-usb-stick"));
    const QString root = dir_->filePath(QStringLiteral("usb-root"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DRYER_ROOT"), root);
    env.insert(QStringLiteral("DRYER_USB_DRY_RUN"), QStringLiteral("1"));

    struct Row {
        const char* fs;
        bool owned_by_panel;  // uid/gid options (FAT family); other file systems refuse them
        bool flushed;
    };
    for (const Row row : {Row{"vfat", true, true}, Row{"exfat", true, false}, Row{"ext4", false, false}}) {
        env.insert(QStringLiteral("ID_FS_TYPE"), QString::fromLatin1(row.fs));
        const ProcessRun add = run(helper, {QStringLiteral("add"), QStringLiteral("/dev/sdz1")}, env);
        ASSERT_EQ(add.code, 0) << row.fs << add.out.toStdString();
        EXPECT_TRUE(add.out.startsWith(QStringLiteral("systemd-mount "))) << add.out.toStdString();
        EXPECT_TRUE(add.out.contains(QStringLiteral("nosuid,nodev,noexec"))) << row.fs;
        EXPECT_EQ(add.out.contains(QStringLiteral("uid=")), row.owned_by_panel) << row.fs;
        EXPECT_EQ(add.out.contains(QStringLiteral(",flush")), row.flushed) << row.fs;
        EXPECT_TRUE(add.out.trimmed().endsWith(QStringLiteral("/dev/sdz1 ") + root + QStringLiteral("/Hard Disk2")));
    }

    // A stale empty mount point would read as a stick: tidy removes it, but
    // never a folder with files in it.
    env.remove(QStringLiteral("DRYER_USB_DRY_RUN"));
    const QString point = root + QStringLiteral("/Hard Disk2");
    ASSERT_TRUE(QDir().mkpath(point));
    EXPECT_EQ(run(helper, {QStringLiteral("tidy")}, env).code, 0);
    EXPECT_FALSE(QFileInfo::exists(point));
    ASSERT_TRUE(QDir().mkpath(point));
    QFile(point + QStringLiteral("/LongTermDataLog.csv")).open(QIODevice::WriteOnly);
    EXPECT_EQ(run(helper, {QStringLiteral("tidy")}, env).code, 0);
    EXPECT_TRUE(QFileInfo::exists(point + QStringLiteral("/LongTermDataLog.csv")));
}

TEST_F(InstalledPanel, systemd_accepts_the_unit) {
    const QString analyze = QStandardPaths::findExecutable(QStringLiteral("systemd-analyze"));
    if (analyze.isEmpty()) GTEST_SKIP() << "systemd-analyze is not installed";
    // verify also checks that ExecStart's program exists: the prefix's.
    const ProcessRun verify = run(analyze, {QStringLiteral("verify"), path(QStringLiteral("lib/systemd/system/dryer-panel.service"))});
    EXPECT_EQ(verify.code, 0) << verify.out.toStdString();
    EXPECT_FALSE(verify.out.contains(QStringLiteral("dryer-panel.service:"))) << verify.out.toStdString();
}

TEST_F(InstalledPanel, the_debian_package_declares_its_needs_and_its_panel_runs_unpacked) {
    for (const char* tool : {"dpkg-deb", "dpkg-shlibdeps"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is not installed (dpkg-dev)";
    }
    const QString out = dir_->filePath(QStringLiteral("deb"));
    const ProcessRun cpack = run(QStringLiteral(DRYER_CPACK_COMMAND),
                          {QStringLiteral("--config"), build_dir() + QStringLiteral("/CPackConfig.cmake"), QStringLiteral("-B"), out});
    ASSERT_EQ(cpack.code, 0) << cpack.out.toStdString();
    const QStringList debs = QDir(out).entryList({QStringLiteral("*.deb")}, QDir::Files);
    ASSERT_EQ(debs.size(), 1) << cpack.out.toStdString();
    const QString deb = out + QLatin1Char('/') + debs.front();

    const QString control = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--info"), deb}).out;
    for (const char* field : {"Package: dryer-panel", "libqt6widgets6", "libsqlite3-0", "systemd", "fonts-dejavu-core",
                              "postinst", "prerm", "postrm", "conffiles"})
        EXPECT_TRUE(control.contains(QString::fromLatin1(field))) << field << "\n" << control.toStdString();
    const QString contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb}).out;
    for (const char* file : {"./usr/bin/dryer-panel", "./usr/bin/dryer-sim", "./usr/lib/systemd/system/dryer-panel.service",
                             "./usr/lib/udev/rules.d/60-dryer-panel.rules", "./etc/default/dryer-panel",
                             "./usr/share/dryer-panel/panel-root/Hard Disk/Languages/EN/EnglishStrings.txt"})
        EXPECT_TRUE(contents.contains(QString::fromLatin1(file))) << file;
    EXPECT_FALSE(contents.contains(QStringLiteral("./var/lib/dryer-panel/"))) << "the state folder is the panel's own";

    const QString unpacked = dir_->filePath(QStringLiteral("unpacked"));
    ASSERT_EQ(run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, unpacked}).code, 0);
    EXPECT_TRUE(text_of(unpacked + QStringLiteral("/usr/lib/systemd/system/dryer-panel.service"))
                    .contains(QStringLiteral("ExecStart=/usr/bin/dryer-panel ")));
    const ProcessRun started = start_panel(unpacked + QStringLiteral("/usr/bin/dryer-panel"), dir_->filePath(QStringLiteral("deb-state")),
                                    dir_->filePath(QStringLiteral("deb.png")), scenario());
    ASSERT_EQ(started.code, 0) << started.out.toStdString();
    expect_same_screen(QImage(dir_->filePath(QStringLiteral("deb.png"))), reference_shot());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
