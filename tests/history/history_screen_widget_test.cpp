// The history dialog as the operator meets it: real widgets under the
// offscreen platform, real message boxes answered by clicking their buttons,
// a real history file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <deque>
#include <functional>

#include "history_test_support.h"
#include "logging/history_screen/history_screen.h"

namespace dryer::history {
namespace {

using test::at;

// Answers the message boxes that open, in turn: each answer may act (insert
// the USB drive) and names the button to click. Remembers each box's caption
// and text.
class BoxAnswerer {
public:
    using Answer = std::function<QString(QMessageBox*)>;
    BoxAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    void then(const QString& button, std::function<void()> act = {}) {
        answers_.push_back([button, act](QMessageBox*) {
            if (act) act();
            return button;
        });
    }
    QStringList seen;  // "caption|text" of each box answered
    bool done() const { return answers_.empty(); }

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box->property("answered").toBool() || answers_.empty()) return;
        box->setProperty("answered", true);
        seen << box->windowTitle() + "|" + box->text();
        const QString name = answers_.front()(box);
        answers_.pop_front();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == name) {
                b->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << name.toStdString() << " in box " << box->text().toStdString();
        box->reject();
    }
    QTimer timer_;
    std::deque<Answer> answers_;
};

class HistoryScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(store.prepare());
        clock.now = at(2026, 12, 8, 15, 7);
        store.record("0E05 REAR DISCHARGE", "MAIN I/O");
        clock.now = at(2026, 12, 8, 9, 30);
        store.record("0F03 SENSOR", "MOISTURE CONT");
        clock.now = at(2026, 12, 9, 6, 0);
        store.record_event("User Accepted Auto-Start MC Setup");

        HistoryScreen::Hooks hooks;
        hooks.open_help = [this](HelpSelectors s) { help_calls.push_back(s); };
        hooks.set_opened_from_history = [this](bool on) { from_history = on; };
        hooks.usb_folder = root.usb();
        hooks.events = &events;
        screen = std::make_unique<HistoryScreen>(store, hooks);
        screen->show();
        list = screen->findChild<QTreeWidget*>("SHUTDOWN_LIST");
        ASSERT_NE(list, nullptr);
    }
    QPushButton* button(const char* name) {
        auto* b = screen->findChild<QPushButton*>(name);
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    bool indicator(const char* name) { return screen->findChild<QRadioButton*>(name)->isChecked(); }
    QStringList column(int c) {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(c);
        return out;
    }

    test::TempRoot root;
    test::ManualClock clock;
    ShutdownStore store{test::db_file(root), clock.fn()};
    kit::PanelEvents events;
    std::vector<HelpSelectors> help_calls;
    bool from_history = false;
    std::unique_ptr<HistoryScreen> screen;
    QTreeWidget* list = nullptr;
};

TEST_F(HistoryScreenTest, OpensWithColumnsAndDateOrder) {
    EXPECT_EQ(screen->windowTitle(), "Shutdown History -29");
    const QStringList titles = {"Shutdown ID", "Node ID", "Date", "Time"};
    const int widths[] = {325, 90, 90, 90};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(list->headerItem()->text(c), titles[c]);
        EXPECT_EQ(list->columnWidth(c), widths[c]);
    }
    EXPECT_EQ(column(0), (QStringList{"0F03 SENSOR", "0E05 REAR DISCHARGE", "User Accepted Auto-Start MC Setup"}));
    EXPECT_EQ(column(1), (QStringList{"MOISTURE CONT", "MAIN I/O", "Global"}));
    EXPECT_EQ(column(2), (QStringList{"Dec 08, 2026", "Dec 08, 2026", "Dec 09, 2026"}));
    EXPECT_EQ(column(3), (QStringList{"9:30 AM", "3:07 PM", "6:00 AM"}));
    EXPECT_TRUE(indicator("Sorted by date/time."));
    EXPECT_FALSE(indicator("Sorted by warning."));
}

// A language change lists the history again: a record added meanwhile shows,
// in the order chosen.
TEST_F(HistoryScreenTest, LanguageChangeListsAgain) {
    clock.now = at(2026, 12, 9, 7, 0);
    store.record("0A01 LATER", "MAIN I/O", 0x0A, 0x01);
    emit events.language_changed();
    EXPECT_EQ(column(0), (QStringList{"0F03 SENSOR", "0E05 REAR DISCHARGE", "User Accepted Auto-Start MC Setup",
                                      "0A01 LATER"}));
    EXPECT_TRUE(indicator("Sorted by date/time."));
}

TEST_F(HistoryScreenTest, SortButtonsRefillAndMoveTheIndicator) {
    button("SORT BY    NODE ID")->click();
    EXPECT_EQ(column(1), (QStringList{"Global", "MAIN I/O", "MOISTURE CONT"}));
    EXPECT_TRUE(indicator("Sorted by node id."));
    EXPECT_FALSE(indicator("Sorted by date/time."));
    button("SORT BY WARNING")->click();
    EXPECT_EQ(column(0), (QStringList{"0E05 REAR DISCHARGE", "0F03 SENSOR", "User Accepted Auto-Start MC Setup"}));
    EXPECT_TRUE(indicator("Sorted by warning."));
    EXPECT_FALSE(indicator("Sorted by node id."));
    button("SORT BY DATE/TIME")->click();
    EXPECT_EQ(column(0).first(), "0F03 SENSOR");
    EXPECT_TRUE(indicator("Sorted by date/time."));
}

TEST_F(HistoryScreenTest, ShowHelpFileNeedsASelectedRow) {
    BoxAnswerer boxes;
    boxes.then("OK");
    button("Show Help File")->click();
    EXPECT_TRUE(boxes.done());
    EXPECT_TRUE(help_calls.empty());
    EXPECT_FALSE(from_history);

    list->setCurrentItem(list->topLevelItem(1));
    button("Show Help File")->click();
    ASSERT_EQ(help_calls.size(), 1u);
    EXPECT_EQ(help_calls[0].first, 0x0E);
    EXPECT_EQ(help_calls[0].second, 0x05);
    EXPECT_TRUE(from_history);

    // A short press of EXIT closes the screen and clears the flag.
    button("EXIT")->click();
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(screen->result(), QDialog::Accepted);
    EXPECT_FALSE(from_history);
}

TEST_F(HistoryScreenTest, CopyWaitsForTheDriveThenExports) {
    BoxAnswerer boxes;
    boxes.then("Yes");  // drive missing: look again (still missing)
    boxes.then("Yes", [this] { std::filesystem::create_directories(root.usb()); });
    boxes.then("Yes");  // the copy confirmation
    button("COPY TO USB FLASH CARD AS \"DryerShutdownHistory.txt\"")->click();
    EXPECT_TRUE(boxes.done());
    ASSERT_EQ(boxes.seen.size(), 3);
    EXPECT_TRUE(boxes.seen[0].startsWith("USB FLASH CARD NOT FOUND|"));
    EXPECT_TRUE(boxes.seen[2].startsWith("COPY SHUTDOWN HISTORY|"));
    EXPECT_EQ(test::read_bytes(root.usb() / "DryerShutdownHistory.txt"),
              "0F03 SENSOR;MOISTURE CONT;Dec 08, 2026;9:30 AM;\n"
              "0E05 REAR DISCHARGE;MAIN I/O;Dec 08, 2026;3:07 PM;\n"
              "User Accepted Auto-Start MC Setup;Global;Dec 09, 2026;6:00 AM;\n");
}

TEST_F(HistoryScreenTest, ExitHeldFiveTicksOffersToClear) {
    QPushButton* exit = button("EXIT");
    // Held for four ticks and refused: the screen stays, nothing is cleared.
    BoxAnswerer boxes;
    QTest::mousePress(exit, Qt::LeftButton);
    for (int i = 0; i < 4; ++i) screen->housekeeping_tick();
    QTest::mouseRelease(exit, Qt::LeftButton);
    EXPECT_FALSE(screen->isVisible());  // four ticks are not enough: it closed

    screen->show();
    boxes.then("No");
    QTest::mousePress(exit, Qt::LeftButton);
    EXPECT_TRUE(exit->isDown());
    for (int i = 0; i < 5; ++i) screen->housekeeping_tick();
    EXPECT_EQ(screen->model().hold_count(), 0);
    QTest::mouseRelease(exit, Qt::LeftButton);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(list->topLevelItemCount(), 3);

    // After an offer the count stands at 10 until a second passes with EXIT up.
    screen->housekeeping_tick();
    EXPECT_EQ(screen->model().hold_count(), 5);
    boxes.then("Yes");
    QTest::mousePress(exit, Qt::LeftButton);
    for (int i = 0; i < 5; ++i) screen->housekeeping_tick();
    QTest::mouseRelease(exit, Qt::LeftButton);
    EXPECT_TRUE(boxes.done());
    EXPECT_TRUE(boxes.seen.last().startsWith("CLEAR HISTORY|"));
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(store.read_info(), 0u);
}

}  // namespace
}  // namespace dryer::history

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
