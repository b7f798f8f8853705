// Chart and graph view through the real main window and view selection
// window (offscreen): the controller's display option bit, the batch-drying
// refusals, the layout and the stored choice; the stored choice at start-up
// until the controller reports; the manuals' failure box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "link/fields.h"
#include "link/reply_table.h"
#include "logging/data_logs/data_logs.h"
#include "platform/panel_paths.h"
#include "shell/main_buttons.h"
#include "shell/main_window.h"
#include "shell/screen_registry.h"
#include "tests/support/temp_root.h"
#include "views/scene/texts.h"
#include "views/view_selection/system_information_dialog.h"
#include "views/view_selection/view_selection_window.h"

namespace dryer::views {
namespace {

namespace off = link::off;
using kit::WindowId;

// Presses OK on the next message box as soon as it shows and notes its
// title and text.
void answer_next_box(QString* seen) {
    QTimer::singleShot(0, [seen] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                *seen = box->windowTitle() + "|" + box->text();
                box->button(QMessageBox::Ok)->click();
                return;
            }
        answer_next_box(seen);
    });
}

struct ViewSelectionTest : ::testing::Test {
    test_support::TempRoot root;
    link::LinkState state;
    TableTexts texts;
    std::unique_ptr<logging::DataLogs> logs;
    std::unique_ptr<shell::MainWindow> w;

    void make_window() {
        platform::set_panel_root(root.path());
        logs = std::make_unique<logging::DataLogs>();
        logs->stored.load();
        w = std::make_unique<shell::MainWindow>(state, texts, shell::screen_registry(), shell::dialog_registry());
        w->set_data_logs(logs.get());
        w->create_child_windows();
        w->show();
    }
    ViewSelectionWindow* selection() const {
        return qobject_cast<ViewSelectionWindow*>(w->window(WindowId::view_selection));
    }
    bool shown(WindowId id) const { return w->window(id)->isVisible(); }
    // The controller's first frame has been decoded.
    void controller_reports(std::uint8_t options_266) {
        state.status.set(off::display_options_266, options_266);
        state.stats.frames_accepted = 1;
        w->serve_redraws();
    }
    std::optional<std::uint8_t> stored() const { return logs->stored.raw(logging::StoredKey::screen_view_selection); }
};

struct ChoiceRow {
    const char* name;
    std::uint8_t drying_mode;
    MainView view;
    std::uint8_t sent_266;      // the settings byte committed (status 266 is 0x81)
    const char* refusal;        // empty: shown and stored
    bool graph_shown;
};

TEST_F(ViewSelectionTest, chart_and_graph_send_bit_6_either_way_and_batch_drying_refuses) {
    const ChoiceRow rows[] = {
        {"graph", 0, MainView::graph, 0xC1, "", true},
        {"chart", 0, MainView::chart, 0x81, "", false},
        {"graph in batch", 1, MainView::graph, 0xC1, "Graph is not available in Batch Drying.", false},
        {"chart in batch", 3, MainView::chart, 0x81, "Status Chart is not available in Batch Drying.", false},
    };
    make_window();
    controller_reports(0x81);  // SI units and a low bit the choice must keep
    for (const ChoiceRow& r : rows) {
        SCOPED_TRACE(r.name);
        state.status.set(off::drying_mode, r.drying_mode);
        state.flags.lower(link::row::display_options);
        w->apply_right_hand_view_rule();
        const bool batch_before = shown(WindowId::batch_drying);
        const auto stored_before = stored();
        w->command(shell::command::view);
        QString box;
        if (*r.refusal) answer_next_box(&box);
        selection()->choose(r.view);
        QApplication::processEvents();  // the queued rule request
        EXPECT_EQ(state.settings.get(off::display_options_266), r.sent_266);
        EXPECT_TRUE(state.flags.raised(link::row::display_options));
        if (*r.refusal) {
            EXPECT_EQ(box, QString(" REQUESTED FUNCTION NOT PERMITTED|") + r.refusal);
            EXPECT_TRUE(selection()->isVisible());
            EXPECT_EQ(shown(WindowId::batch_drying), batch_before);
            EXPECT_EQ(stored(), stored_before);
        } else {
            EXPECT_FALSE(selection()->isVisible());
            EXPECT_EQ(stored(), r.graph_shown ? 1 : 0);
        }
        EXPECT_EQ(shown(WindowId::graph), r.graph_shown);
        EXPECT_EQ(shown(WindowId::average_values), !r.graph_shown && r.drying_mode == 0);
    }
}

TEST_F(ViewSelectionTest, stored_graph_view_holds_until_the_controller_reports_its_bit) {
    platform::set_panel_root(root.path());
    ASSERT_TRUE(logging::SettingsStore().write(logging::StoredKey::screen_view_selection, 1));
    make_window();
    EXPECT_TRUE(shown(WindowId::graph));
    EXPECT_FALSE(shown(WindowId::average_values));
    controller_reports(0x00);  // the controller's chart wins
    EXPECT_FALSE(shown(WindowId::graph));
    EXPECT_TRUE(shown(WindowId::average_values));
}

TEST_F(ViewSelectionTest, graph_button_leads_to_the_graph_screen_and_manuals_failure_keeps_the_window_hidden) {
    make_window();
    w->command(shell::command::view);
    EXPECT_TRUE(selection()->button(43)->isEnabled());  // GRAPH_WINDOW is built
    EXPECT_TRUE(selection()->button(42)->isEnabled());
    QString opened;
    selection()->set_folder_opener([&](const QString& folder) {
        opened = folder;
        return false;
    });
    QString box;
    answer_next_box(&box);
    selection()->open_manuals();
    EXPECT_EQ(opened, QString::fromStdString((root.hard_disk() / "manuals").string()));
    EXPECT_EQ(box, " Could not execute Explorer Program!| Trying to Open Manuals");
    EXPECT_FALSE(selection()->isVisible());
}

TEST_F(ViewSelectionTest, system_information_opens_above_centre_and_exit_closes) {
    make_window();
    state.stats.frames_accepted = 7;
    kit::PanelContext& c = w->context();
    SystemInformationDialog d(c, w.get());
    d.show();
    const QStringList lines = d.lines();
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], "Software Version: 2.10");
    EXPECT_EQ(lines[6], "Frames accepted: 7");
    QWidget probe;
    probe.resize(d.size());
    kit::centre_over(probe, w.get());
    EXPECT_EQ(d.pos(), QPoint(probe.x(), std::max(0, probe.y() - 20)));
    d.exit_button()->click();
    EXPECT_FALSE(d.isVisible());
}

}  // namespace
}  // namespace dryer::views
