// The clock dialog's editing rules as tables, then both dialogs as real
// widgets under the offscreen platform: message boxes answered as the
// operator would, the settings image, change flag and journal checked, and
// the USB copy made to a folder taken as the stick.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>

#include "link/link_state.h"
#include "link/reply_table.h"
#include "link/settings_edit.h"
#include "logging/journal/settings_journal.h"
#include "logging/logger_setup/logger_setup_dialog.h"
#include "logging/long_term_log/long_term_log.h"
#include "platform/clock_setter.h"
#include "setup/set_time/set_time_dialog.h"
#include "tests/support/temp_root.h"

namespace dryer {
namespace {

namespace fs = std::filesystem;
using setup::ClockField;

// ---- The clock dialog's rules ----------------------------------------------

struct StepRow {
    ClockField field;
    int from;
    bool up;
    int to;
};

TEST(SetTimeRules, up_and_down_wrap_around_each_range) {
    const StepRow rows[] = {
        {ClockField::month, 12, true, 1},       {ClockField::month, 1, false, 12},
        {ClockField::month, 5, true, 6},        {ClockField::month, 5, false, 4},
        {ClockField::day, 31, true, 1},         {ClockField::day, 1, false, 31},
        {ClockField::year, 2050, true, 2000},   {ClockField::year, 2000, false, 2050},
        {ClockField::year, 2051, true, 2000},   {ClockField::year, 1999, false, 2050},
        {ClockField::day_of_week, 6, true, 0},  {ClockField::day_of_week, 0, false, 6},
        {ClockField::hour, 12, true, 1},        {ClockField::hour, 1, false, 12},
        {ClockField::minute, 59, true, 0},      {ClockField::minute, 0, false, 59},
        {ClockField::minute, 30, true, 31},
    };
    for (const StepRow& r : rows) {
        setup::ClockEdit e;
        e.field(r.field) = r.from;
        e.step(r.field, r.up);
        EXPECT_EQ(e.field(r.field), r.to) << static_cast<int>(r.field) << " from " << r.from << (r.up ? " up" : " down");
    }
}

TEST(SetTimeRules, twelve_hour_clock_both_ways) {
    struct Row {
        int hour24;
        setup::Hour12 shown;
    };
    const Row rows[] = {{0, {12, false}}, {1, {1, false}},  {11, {11, false}},
                        {12, {12, true}}, {13, {1, true}},  {23, {11, true}}};
    for (const Row& r : rows) {
        EXPECT_EQ(setup::to_12_hour(r.hour24), r.shown) << r.hour24;
        EXPECT_EQ(setup::to_24_hour(r.shown), r.hour24) << r.hour24;
    }
    for (int h = 0; h < 24; ++h) EXPECT_EQ(setup::to_24_hour(setup::to_12_hour(h)), h) << h;
}

TEST(SetTimeRules, names_come_from_the_texts_and_never_read_past_them) {
    const setup::TextFn text = [](unsigned n) { return "T" + std::to_string(n); };
    setup::ClockEdit e;
    e.month = 12;
    e.day_of_week = 0;
    EXPECT_EQ(setup::field_text(e, ClockField::month, text), "T124");
    EXPECT_EQ(setup::field_text(e, ClockField::day_of_week, text), "T125");
    EXPECT_EQ(setup::field_text(e, ClockField::year, text), " 2000");
    e.month = 13;  // a value no step makes, but never a text past the table
    e.day_of_week = 9;
    EXPECT_EQ(setup::field_text(e, ClockField::month, text), " 13");
    EXPECT_EQ(setup::field_text(e, ClockField::day_of_week, text), " 9");
    EXPECT_EQ(setup::am_pm_title(text), "T109/T110");
}

// A local time that does not exist is refused before the clock is touched;
// mktime would have moved it (31 February to 3 March).
TEST(SetTimeRules, only_existing_local_times_are_set) {
    ::setenv("TZ", "Europe/Berlin", 1);
    ::tzset();
    struct Row {
        int year, month, day, hour, minute;
        bool exists;
    };
    const Row rows[] = {
        {2026, 2, 31, 10, 0, false}, {2025, 2, 29, 10, 0, false}, {2024, 2, 29, 10, 0, true},
        {2026, 4, 31, 10, 0, false}, {2050, 12, 31, 23, 59, true}, {2000, 1, 1, 0, 0, true},
        {2026, 3, 29, 2, 30, false},  // skipped by the change to summer time
    };
    // Without the time zone data the zone reads as UTC, which skips no hour.
    const bool zone_known = fs::exists("/usr/share/zoneinfo/Europe/Berlin");
    for (const Row& r : rows) {
        if (r.month == 3 && r.hour == 2 && !zone_known) continue;
        const platform::LocalTime t{.year = r.year, .month = r.month, .day = r.day, .hour = r.hour, .minute = r.minute};
        EXPECT_EQ(platform::epoch_of_local_time(t).has_value(), r.exists) << r.year << "-" << r.month << "-" << r.day;
    }
    const platform::LocalTime feb31{.year = 2026, .month = 2, .day = 31};
    EXPECT_EQ(platform::set_local_clock(feb31).outcome, platform::ClockOutcome::invalid_time);
    ::unsetenv("TZ");
    ::tzset();
}

// ---- The widgets -------------------------------------------------------------

QApplication& app() { return *qobject_cast<QApplication*>(QCoreApplication::instance()); }

// Answers the message boxes that open while `act` runs: each answer is a
// button, and the box's title and text are recorded.
struct BoxLog {
    QStringList titles;
    QStringList texts;
};

void answer_boxes(QWidget* dialog, std::vector<QMessageBox::StandardButton> answers, BoxLog& log,
                  const std::function<void()>& act) {
    auto* watch = new QTimer(&app());
    std::size_t next = 0;
    QObject::connect(watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == dialog || !box->isVisible()) return;
        log.titles << box->windowTitle();
        log.texts << box->text();
        QAbstractButton* b = next < answers.size() ? box->button(answers[next++]) : nullptr;
        if (b) {
            b->click();
        } else {
            ADD_FAILURE() << "unexpected box " << box->windowTitle().toStdString();
            box->reject();
        }
    });
    watch->start(5);
    act();
    delete watch;
    EXPECT_EQ(next, answers.size()) << "boxes answered";
}

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

platform::LocalTime fixed_time() {
    return {.year = 2026, .month = 12, .day = 9, .day_of_week = 3, .hour = 14, .minute = 3, .second = 7};
}

class LoggerSetup : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        journal_.prepare();
        state_.settings_sink.store(&journal_);
        fs::create_directories(log_.file().parent_path());
        std::ofstream(log_.file(), std::ios::binary) << log_bytes_;
    }
    void TearDown() override { state_.settings_sink.store(nullptr); }

    logging::LoggerSetupDialog::Options options(bool stick_in = true) {
        if (stick_in) fs::create_directories(root_.usb());
        logging::LoggerSetupDialog::Options o;
        o.usb = platform::UsbTarget{root_.usb(), true, {}};
        o.journal = &journal_;
        o.now = fixed_time;
        return o;
    }
    static std::string text(unsigned) { return {}; }

    test_support::TempRoot root_;
    link::LinkState state_;
    logging::LongTermLog log_{root_.hard_disk() / "DataLog" / "LongTermDataLog.csv"};
    journal::SettingsJournal journal_{root_.hard_disk() / "SettingsJournalDB"};
    std::string log_bytes_ = "\r\nDate,Time\r\n2026-12-09,02:03:07PM,150,15.4,60.0,0.5,95.2,45,300\r\n";
};

// ON commits setting 289 through the edit path; the indicators follow the
// controller's echo at the next redraw.
TEST_F(LoggerSetup, on_and_off_commit_the_logging_setting_and_show_the_echo) {
    state_.status.set(link::off::day_logger_289, 0);
    state_.settings.set(link::off::day_logger_289, 7);  // stale: opening takes the echo
    logging::LoggerSetupDialog d(state_, log_, text, options(), nullptr);
    EXPECT_EQ(state_.settings.get(link::off::day_logger_289), 0);
    auto* on = d.findChild<QPushButton*>("ON");
    auto* off = d.findChild<QPushButton*>("OFF");
    ASSERT_TRUE(on && off);
    EXPECT_TRUE(off->isChecked());

    QTest::mouseClick(on, Qt::LeftButton);
    EXPECT_EQ(state_.settings.get(link::off::day_logger_289), 1);
    EXPECT_TRUE(state_.flags.raised(link::row::day_logger));
    EXPECT_TRUE(on->isChecked() && !off->isChecked()) << "shown as pressed before the echo";
    const std::vector<journal::JournalEntry> j = journal_.newest(1);
    ASSERT_EQ(j.size(), 1u);
    EXPECT_EQ(j[0].offset, link::off::day_logger_289);
    EXPECT_EQ(j[0].new_value, std::vector<std::uint8_t>{1});

    d.refresh();  // no echo yet
    EXPECT_TRUE(off->isChecked());
    state_.status.set(link::off::day_logger_289, 1);
    d.refresh();
    EXPECT_TRUE(on->isChecked() && !off->isChecked());
}

// The whole road: stick present, Yes, the success box names the copy, the
// journal lands beside it, Yes deletes the log only after its verified copy.
TEST_F(LoggerSetup, usb_copy_road_copies_log_and_journal_then_deletes_the_log) {
    link::commit_u8(state_, link::off::day_logger_289, 1, "test");
    logging::LoggerSetupDialog d(state_, log_, text, options(), nullptr);
    BoxLog boxes;
    answer_boxes(&d, {QMessageBox::Yes, QMessageBox::Ok, QMessageBox::Yes}, boxes, [&] {
        QTest::mouseClick(d.findChild<QPushButton*>("SEND DATA LOG FILES TO USB FLASH CARD"), Qt::LeftButton);
    });
    ASSERT_EQ(boxes.titles.size(), 3);
    EXPECT_EQ(boxes.titles[0], "DATA LOG FILE TO USB FLASH CARD");
    EXPECT_EQ(boxes.titles[1], "Successfully copied following file to USB Flash Drive.");
    EXPECT_EQ(boxes.texts[1], "LongTermDataLog26_12_09_14_03_07.CSV");
    EXPECT_EQ(boxes.texts[2], "Copy successful.  Delete old data log file?");

    EXPECT_EQ(read_file(root_.usb() / "LongTermDataLog26_12_09_14_03_07.CSV"), log_bytes_);
    const std::string csv = read_file(root_.usb() / "DryerSettingsJournal26_12_09_14_03_07.CSV");
    EXPECT_EQ(csv.rfind(journal::kCsvHeader, 0), 0u);
    EXPECT_NE(csv.find(",289,289,00,01,test\r\n"), std::string::npos) << csv;
    EXPECT_FALSE(fs::exists(log_.file()));
    EXPECT_EQ(d.findChild<QLabel*>("USED_SPACE")->text(), "0 %");
}

// No stick: Retry asks again, Cancel ends. A copy under a name that exists
// (two copies in the same second) fails, and the log is kept.
TEST_F(LoggerSetup, missing_stick_and_failed_copy_keep_the_log) {
    {
        logging::LoggerSetupDialog d(state_, log_, text, options(false), nullptr);
        BoxLog boxes;
        answer_boxes(&d, {QMessageBox::Retry, QMessageBox::Cancel}, boxes, [&] {
            QTest::mouseClick(d.findChild<QPushButton*>("SEND DATA LOG FILES TO USB FLASH CARD"), Qt::LeftButton);
        });
        EXPECT_EQ(boxes.titles, QStringList({"USB FLASH CARD NOT PRESENT", "USB FLASH CARD NOT PRESENT"}));
        EXPECT_EQ(boxes.texts[0], "Please instert flash card into USB port.");
    }
    {
        logging::LoggerSetupDialog d(state_, log_, text, options(), nullptr);
        std::ofstream(root_.usb() / "LongTermDataLog26_12_09_14_03_07.CSV") << "earlier";
        BoxLog boxes;
        answer_boxes(&d, {QMessageBox::Yes, QMessageBox::Ok}, boxes, [&] {
            QTest::mouseClick(d.findChild<QPushButton*>("SEND DATA LOG FILES TO USB FLASH CARD"), Qt::LeftButton);
        });
        EXPECT_EQ(boxes.titles.value(1), "FAILED TO COPY");
        EXPECT_EQ(boxes.texts.value(1), "Could not copy file to flashdrive.");
        EXPECT_EQ(read_file(log_.file()), log_bytes_);
        EXPECT_EQ(read_file(root_.usb() / "LongTermDataLog26_12_09_14_03_07.CSV"), "earlier");
    }
}

// The clock dialog: the edited time goes to the clock setter with the hour
// back on the 24-hour clock and the seconds as read; a refusal is reported
// and the dialog stays open.
TEST(SetTimeDialog, accept_sets_the_edited_time_and_reports_a_refusal) {
    app();
    std::vector<platform::LocalTime> asked;
    platform::ClockOutcome answer = platform::ClockOutcome::not_permitted;
    setup::SetTimeDialog d({}, fixed_time(), [&](const platform::LocalTime& t) {
        asked.push_back(t);
        return platform::ClockResult{answer, {}};
    }, nullptr);
    d.show();
    EXPECT_EQ(d.findChild<QLabel*>("HOUR VALUE")->text(), " 2");
    EXPECT_EQ(d.findChild<QLabel*>("AM/PM VALUE")->text(), "PM");
    for (const char* b : {"HOUR DOWN", "HOUR DOWN", "AM", "MONTH UP", "YEAR UP"})
        QTest::mouseClick(d.findChild<QPushButton*>(b), Qt::LeftButton);
    EXPECT_EQ(d.findChild<QLabel*>("HOUR VALUE")->text(), " 12");

    BoxLog boxes;
    answer_boxes(&d, {QMessageBox::Ok}, boxes,
                 [&] { QTest::mouseClick(d.findChild<QPushButton*>("ACCEPT / EXIT"), Qt::LeftButton); });
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].hour, 0) << "12 AM is midnight";
    EXPECT_EQ(asked[0].month, 1);
    EXPECT_EQ(asked[0].year, 2027);
    EXPECT_EQ(asked[0].second, 7);
    EXPECT_EQ(boxes.titles.value(0), "CLOCK NOT SET");
    EXPECT_TRUE(d.isVisible());

    answer = platform::ClockOutcome::set;
    QTest::mouseClick(d.findChild<QPushButton*>("ACCEPT / EXIT"), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace dryer

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
