#include "shell/panel_program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "l10n/language.h"
#include "link/fields.h"
#include "link/link_driver.h"
#include "kit/panel_style.h"
#include "shell/main_window.h"
#include "platform/panel_install.h"
#include "shell/panel_services.h"
#include "shell/service_watchdog.h"
#include "shell/screen_registry.h"
#include "views/scene/l10n_texts.h"
#include "shell/single_instance.h"
#include "shell/startup.h"

namespace dryer::shell {

QString panel_root(const PanelOptions& options) {
    if (!options.root.empty()) return QString::fromStdString(options.root);
    if (const char* env = std::getenv("DRYER_PANEL_ROOT"); env && *env) return QString::fromLocal8Bit(env);
    // An installed panel (its template beside the program) runs in the state folder.
    if (!platform::installed_template(platform::program_dir()).empty()) return platform::kInstalledStateDir;
    return QStringLiteral(DRYER_DEFAULT_PANEL_ROOT);
}

namespace {

class PanelProgram : public StartupSteps {
public:
    explicit PanelProgram(const PanelOptions& options)
        : options_(options),
          root_(panel_root(options)),
          single_(root_),
          services_(link::link_state(), root_.toStdString()) {}

    bool claim_single_instance() override { return single_.claim(); }

    bool create_main_window() override {
        // Chosen on the command line: as if picked in "Select Language to Use".
        if (options_.language >= 0) l10n::set_language(options_.language);
        window_ = std::make_unique<MainWindow>(link::link_state(), services_.texts(), screen_registry(),
                                               dialog_registry());
        if (!options_.windowed) {
            window_->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        }
        QObject::connect(&single_, &SingleInstance::activation_requested, window_.get(), [this] { bring_to_front(); });
        return true;
    }

    void clear_history_volume() override { services_.clear_history_volume(); }
    // The stored view settings come with the data-logger setup.
    void read_view_settings() override {
        services_.read_stored_settings();
        window_->set_data_logs(&services_.logs());
    }

    void create_child_windows() override { window_->create_child_windows(); }

    void open_link() override {
        std::string device = options_.port;
        if (options_.simulate) {
            std::string error;
            if (!services_.start_simulator(options_.scenario, device, error)) {
                std::fprintf(stderr, "dryer-panel: the built-in controller did not start: %s\n", error.c_str());
            }
        }
        link::open_link(device);
        window_->set_link_driver(link::panel_link_driver());
    }

    void start_timers() override {
        window_->start_timers();
        // One line on the console each time the controller link comes or goes.
        QObject::connect(&link_watch_, &QTimer::timeout, window_.get(), [this] { report_link(); });
        link_watch_.start(1000);
    }

    void report_link() {
        const bool alive = window_->timers().controller_heard();
        const bool lost = !link::link_alive();
        if (alive && !reported_alive_) {
            std::printf("dryer-panel: controller link alive\n");
            reported_alive_ = true;
        } else if (lost && reported_alive_) {
            std::printf("dryer-panel: controller link lost\n");
            reported_alive_ = false;
        }
        std::fflush(stdout);
    }
    void open_history_database() override { window_->set_shutdown_store(services_.open_history_database()); }

    void paint_main_window() override {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (options_.windowed) {
            window_->show();
        } else if (screen && screen->geometry().size() == window_->size()) {
            window_->showFullScreen();  // the panel computer's 640 by 480 screen
        } else {
            // A larger screen: frameless and top-most in its top left corner.
            window_->move(screen ? screen->geometry().topLeft() : QPoint(0, 0));
            window_->show();
        }
        window_->repaint();
    }

    void bring_to_front() override {
        window_->show();
        // The offscreen platform has no stacking of top-level windows.
        if (QGuiApplication::platformName() == QLatin1String("offscreen")) return;
        window_->raise();
        window_->activateWindow();
    }

    void mark_panel_started() override { link::link_state().status.set(link::off::status_171, 0xA0); }
    void init_texts() override {
        services_.init_texts();
        emit window_->events().language_changed();
    }

    void schedule_screenshot() {
        if (options_.screenshot.empty()) return;
        const int ms = static_cast<int>(options_.after * 1000.0);
        QTimer::singleShot(ms, window_.get(), [this] {
            const QString file = QString::fromStdString(options_.screenshot);
            const QFileInfo info(file);
            QDir().mkpath(info.absolutePath());
            // What is really on the screen: the window's backing store as
            // the last paints left it, not a fresh repaint of every widget.
            QScreen* screen = window_->screen();
            const QImage shot = screen ? screen->grabWindow(window_->winId()).toImage() : QImage();
            const bool ok = !shot.isNull() && shot.save(file, "PNG");
            if (ok) {
                std::printf("dryer-panel: screenshot written to %s\n", qPrintable(info.absoluteFilePath()));
            } else {
                std::fprintf(stderr, "dryer-panel: could not write %s\n", qPrintable(info.absoluteFilePath()));
            }
            std::fflush(stdout);
            QApplication::exit(ok ? 0 : 1);
        });
    }

private:
    PanelOptions options_;
    QString root_;
    SingleInstance single_;
    PanelServices services_;
    std::unique_ptr<MainWindow> window_;
    QTimer link_watch_;
    bool reported_alive_ = false;
};

}  // namespace

int run_panel(const PanelOptions& options) {
    kit::load_panel_fonts();
    // An installed panel first brings its template's files into its root.
    if (const auto note = platform::prepare_installed_root(panel_root(options).toStdString()); !note.empty())
        std::fprintf(stderr, "dryer-panel: %s\n", note.c_str());
    // Lives until the process ends, as the link thread may still be reading
    // the state and the stand-in writing to its side of the line.
    auto* program = new PanelProgram(options);
    if (!run_startup(*program)) return 0;
    program->schedule_screenshot();
    (new ServiceWatchdog())->start();  // lives as long as the process, like the program
    const int code = QApplication::exec();
    std::fflush(stdout);
    // The link's receive thread runs until the process ends; leave without
    // tearing down what it may still touch.
    std::_Exit(code);
}

}  // namespace dryer::shell
