// The left status bar (time, date, version or the airflow-test banner) and
// the readings panel (mode label, grain temperature and moisture selectors).
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "link/images.h"
#include "views/scene/scene.h"
#include "views/scene/texts.h"

namespace dryer::views {

inline constexpr int kStatusBarWidth = 240;
inline constexpr int kStatusBarHeight = 40;
// The readings panel's window; its drawing fills the client area below the
// caption bar.
inline constexpr int kReadingsWidth = 240;
inline constexpr int kReadingsHeight = 205;
inline constexpr int kReadingsClientWidth = titled_client_width(kReadingsWidth);
inline constexpr int kReadingsClientHeight = titled_client_height(kReadingsHeight);
// Texts of the two windows.
namespace bar_text {
inline constexpr unsigned basic_mc = 913, three_speed_mc = 914, advanced_mc = 915, no_mc = 916;
inline constexpr unsigned manual = 290, automatic = 34;  // the mode names MANUAL and AUTO
inline constexpr unsigned one_setpoint = 917, two_setpoints = 918;  // "1SP", "2SP"
inline constexpr unsigned dryer = 919, in = 920, out = 921;         // the selectors' labels
inline constexpr unsigned setpoint = 922;                           // "SP"
inline constexpr unsigned airflow_banner = 923;                     // "AIRFLOW TESTING DISABLED"
inline constexpr unsigned version = 924;                            // "VER:"
}  // namespace bar_text
inline constexpr Rgb kNearWhite{250, 250, 250};
inline constexpr Rgb kReadingsTeal{80, 200, 200};
inline constexpr Rgb kLightCyan{100, 250, 250};

// airflow_testing_disabled() returns true when bit 2 of any of the six
// bytes heater_status_143..148 is set.
bool airflow_testing_disabled(const link::ByteImage& s);

// clock_text() and date_text() return the local time as "h:mm AM" and
// the date as "Tuesday  Dec 08, 2026" (patterns "h':'mm tt" and
// "dddd  MMM dd',' yyy") with the current language's AM/PM, weekday and
// month (English where a language lacks one).
std::string clock_text(const std::tm& now, const Texts& t);
std::string date_text(const std::tm& now, const Texts& t);

// status_bar_scene() returns the bar's drawing for the status image,
// the blink phase and the local time.
Scene status_bar_scene(const link::ByteImage& s, bool blink_on, const std::tm& now, const Texts& t);

struct ModeLabel {
    std::string text;
    Rgb colour;
};

// mode_label() returns the moisture-control mode label chosen by
// mc_mode_flags & 0x87 and bits 1 and 2 of mode_flags_179, its parts
// joined by " : " ("BASIC MC : AUTO : 1SP").
ModeLabel mode_label(const link::ByteImage& s, const Texts& t);

// Selector states of the readings panel: temperature 0 dryer, 1 in, 2 out;
// moisture 0 in, 1 out.
struct ReadingsSelection {
    int temperature = 0;
    int moisture = 0;
    void press_temperature() { temperature = (temperature + 1) % 3; }
    void press_moisture() { moisture = (moisture + 1) % 2; }
};

// Where the two selector buttons sit in the readings panel.
inline constexpr Rect kMoistureButton{0, 0, 196, 70};
inline constexpr Rect kTemperatureButton{0, 72, 196, 142};

// selected_temperature() returns the whole degrees Fahrenheit the
// temperature selector shows; selected_moisture() the tenths the moisture
// selector shows.
int selected_temperature(const link::ByteImage& s, int state);
unsigned selected_moisture(const link::ByteImage& s, int state);

// readings_scene() returns the readings panel's drawing.
Scene readings_scene(const link::ByteImage& s, const ReadingsSelection& sel, const Texts& t);

}  // namespace dryer::views
