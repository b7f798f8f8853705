// The dryer-panel program end to end under the offscreen platform: its
// command line, and a run against the built-in controller stand-in on a
// pseudo-terminal that ends with a screenshot.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

QString panel_program() {
    const char* bin = std::getenv("DRYER_BINARY_DIR");
    return QString::fromLocal8Bit(bin ? bin : ".") + QStringLiteral("/src/shell/dryer-panel");
}

struct ProgramRun {
    int code = -1;
    QString out;
    QString err;
};

ProgramRun run_panel(const QStringList& args, int timeout_ms = 120000) {
    QProcess p;
    p.start(panel_program(), args);
    ProgramRun r;
    if (!p.waitForFinished(timeout_ms)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

TEST(PanelProgram, help_lists_every_option_and_bad_options_are_refused) {
    const ProgramRun help = run_panel({QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    for (const char* option : {"--root", "--port", "--simulate", "--screenshot", "--after", "--windowed", "-platform"})
        EXPECT_TRUE(help.out.contains(QString::fromLatin1(option))) << option;
    const ProgramRun bad = run_panel({QStringLiteral("--after"), QStringLiteral("later")});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("--after")));
}

TEST(PanelProgram, simulate_brings_the_link_alive_and_the_screenshot_is_640_by_480) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString shot = root.filePath(QStringLiteral("shot/panel.png"));
    const ProgramRun r = run_panel({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--root"),
                             root.path(), QStringLiteral("--simulate"), QStringLiteral("--screenshot"), shot,
                             QStringLiteral("--after"), QStringLiteral("4")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("controller link alive"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("screenshot written to")));
    const QImage img(shot);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), QSize(640, 480));
    // The button row is there: TIMERS at (20, 427).
    EXPECT_NE(img.pixelColor(20 + 52, 427 + 20), QColor(Qt::black));
}

TEST(PanelProgram, without_a_controller_the_panel_still_runs_and_writes_its_screenshot) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString shot = root.filePath(QStringLiteral("panel.png"));
    const ProgramRun r = run_panel({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--root"),
                             root.path(), QStringLiteral("--port"), root.filePath(QStringLiteral("no-such-device")),
                             QStringLiteral("--screenshot"), shot, QStringLiteral("--after"), QStringLiteral("0.5")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("controller link alive")));
    EXPECT_EQ(QImage(shot).size(), QSize(640, 480));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
