// The status chart and the sample-time dialog as real widgets on real files:
// records appended through the day log appear as the window's rows, the
// sample-time button opens the dialog, ACCEPT / EXIT stores the choice and
// relabels the button, and CLEAR TABLE's Yes empties the table.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <unistd.h>

#include "kit/screen.h"
#include "link/fields.h"
#include "link/link_state.h"
#include "logging/data_logs/data_logs.h"
#include "setup/batch_timers/batch_drying_window.h"
#include "tests/setup/modal_watch.h"
#include "tests/status_chart/chart_records.h"
#include "views/scene/texts.h"
#include "views/status_chart/sample_time_dialog.h"
#include "views/status_chart/status_chart_model.h"
#include "views/status_chart/status_chart_window.h"

namespace dryer::views {
namespace {

using setup::test::on_next_modal;

// The panel around the chart: its window by id and the sample-time dialog
// opened through the dialog's registry row, as the main window does.
class ChartShell : public kit::PanelShell {
public:
    QWidget* chart = nullptr;
    kit::PanelContext* context = nullptr;
    QWidget* window(kit::WindowId id) const override { return id == kit::WindowId::average_values ? chart : nullptr; }
    void restore_main_screen() override {}
    bool has_dialog(kit::DialogId id) const override { return id == kit::DialogId::sample_time; }
    bool open_dialog(kit::DialogId id, QWidget* over, int arg) override {
        if (id != kit::DialogId::sample_time) return false;
        sample_time_dialog.open(*context, over, arg);
        return true;
    }
};

struct ChartRig {
    test::ChartRoot root;
    link::LinkState state;
    TableTexts texts{{{286, "SAMPLE"}, {342, "MIN"}, {14, "ON"}, {15, "OFF"}, {340, "24 HOUR DATA LOG"}}};
    kit::PanelEvents events;
    ChartShell shell;
    logging::DataLogs logs;
    kit::PanelContext context{state, texts, events, shell, nullptr, &logs};
    StatusChartWindow chart{nullptr, context};
    ChartRig() {
        shell.chart = &chart;
        shell.context = &context;
        chart.show();
    }
    std::vector<std::string> shown_times() {
        std::vector<std::string> out;
        for (const auto& r : chart.records()) out.push_back(chart_row(logging::sample_values(r), false).time);
        return out;
    }
};

TEST(StatusChartWindow, ShowsTheRecordsAppendedThroughTheDayLog) {
    ChartRig rig;
    EXPECT_TRUE(rig.chart.records().empty());
    test::append_numbered(rig.logs.day, 0, 5);
    emit rig.events.second_tick();
    EXPECT_EQ(rig.shown_times(),
              (std::vector<std::string>{"12:00AM 12/8", "12:01AM 12/8", "12:02AM 12/8", "12:03AM 12/8", "12:04AM 12/8"}));
    EXPECT_FALSE(rig.chart.scroll_bar()->isVisible());
    EXPECT_EQ(rig.chart.windowTitle(), QStringLiteral("24 HOUR DATA LOG"));

    // Twenty records: the newest eight, and the scroll bar at its end.
    test::append_numbered(rig.logs.day, 5, 20);
    emit rig.events.second_tick();
    ASSERT_EQ(rig.chart.records().size(), kChartRows);
    EXPECT_EQ(test::number_of(rig.chart.records().front()), 12u);
    EXPECT_TRUE(rig.chart.scroll_bar()->isVisible());
    EXPECT_EQ(rig.chart.scroll_bar()->value(), rig.chart.scroll_bar()->maximum());

    // Scrolling to the top shows the oldest eight and starts the hold; a new
    // record keeps the page while the hold runs, and once it has run out the
    // next redraw goes back to the newest page.
    rig.chart.scroll_bar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(test::number_of(rig.chart.records().front()), 0u);
    EXPECT_EQ(rig.logs.chart_scroll_hold, kChartScrollHold);
    test::append_numbered(rig.logs.day, 20, 21);
    emit rig.events.second_tick();
    EXPECT_EQ(test::number_of(rig.chart.records().front()), 0u);
    rig.logs.chart_scroll_hold = 0;
    emit rig.events.second_tick();
    EXPECT_EQ(test::number_of(rig.chart.records().front()), 13u);
    EXPECT_EQ(test::number_of(rig.chart.records().back()), 20u);

    // A file the reader cannot open shows no rows.
    const auto files = rig.logs.day.enumerate();
    ASSERT_EQ(files.size(), 1u);
    std::filesystem::permissions(rig.logs.day.folder() / files[0].name, std::filesystem::perms::none);
    emit rig.events.second_tick();
    if (::geteuid() != 0) {
        EXPECT_TRUE(rig.chart.records().empty());
    }
}

// The batch drying timers window opens the dialog too; with the cycled
// sampler the one-minute choice is offered disabled.
TEST(SampleTimeDialog, AcceptStoresTheChoiceAndRelabelsTheChart) {
    ChartRig rig;
    test::append_numbered(rig.logs.day, 0, 3);
    rig.chart.reload();
    EXPECT_EQ(rig.chart.sample_time_button()->text(), QStringLiteral("SAMPLE\n10 MIN"));
    setup::BatchDryingWindow batch(rig.state, nullptr, [](unsigned) { return std::string(); });
    EXPECT_FALSE(batch.sample_time_button()->isEnabled());  // no panel to open it through
    batch.set_shell(&rig.shell);
    batch.show();
    QWidget* opened_over = nullptr;
    QString one_minute_text;
    bool one_minute_enabled = true;
    on_next_modal(nullptr, [&](QWidget* m) {
        auto* d = qobject_cast<SampleTimeDialog*>(m);
        ASSERT_NE(d, nullptr);
        opened_over = d->over();
        one_minute_enabled = d->minute_button(0)->isEnabled();
        one_minute_text = d->minute_button(0)->text();
        QTest::mouseClick(d->minute_button(3), Qt::LeftButton);  // 15 MINUTE
        QTest::mouseClick(d->accept_button(), Qt::LeftButton);
    });
    rig.state.status.set(link::off::options_293, 0x80);  // the cycled sampler
    QTest::mouseClick(batch.sample_time_button(), Qt::LeftButton);
    EXPECT_EQ(opened_over, &batch);
    EXPECT_FALSE(one_minute_enabled);
    EXPECT_EQ(one_minute_text, QStringLiteral("1 MINUTE (SAMPLER)"));
    EXPECT_EQ(rig.logs.day.sample_time(), 15u);
    EXPECT_EQ(rig.logs.stored.raw(logging::StoredKey::temp_data_log_sample_time), std::optional<std::uint8_t>(15));
    EXPECT_EQ(rig.chart.sample_time_button()->text(), QStringLiteral("SAMPLE\n15 MIN"));
    EXPECT_EQ(rig.chart.records().size(), 3u);
}

TEST(SampleTimeDialog, ClearTableDeletesTheFilesOnlyOnYes) {
    ChartRig rig;
    test::append_numbered(rig.logs.day, 0, 4);
    rig.chart.reload();
    for (const auto answer : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Yes}) {
        on_next_modal(nullptr, [&, answer](QWidget* dialog) {
            on_next_modal(dialog, [answer](QWidget* box) {
                QTest::mouseClick(qobject_cast<QMessageBox*>(box)->button(answer), Qt::LeftButton);
            });
            QTest::mouseClick(qobject_cast<SampleTimeDialog*>(dialog)->clear_button(), Qt::LeftButton);
            QTest::mouseClick(qobject_cast<SampleTimeDialog*>(dialog)->accept_button(), Qt::LeftButton);
        });
        QTest::mouseClick(rig.chart.sample_time_button(), Qt::LeftButton);
        EXPECT_EQ(rig.chart.records().size(), answer == QMessageBox::Yes ? 0u : 4u) << answer;
    }
    EXPECT_TRUE(rig.logs.day.enumerate().empty());
}

}  // namespace
}  // namespace dryer::views
