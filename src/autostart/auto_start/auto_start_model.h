// The auto-start screens without Qt: the grain choice and the request that
// the configuration screen sends, the confirmation's outcomes, and the
// timeline that the status dialog draws from the controller's plan.
//
// The request is two settings: the grain type (285) and bit 0 of the option
// byte 279, whose other bits are carried over from the controller's echo.
// Both go through the settings-edit path, so a request is sent in every
// cycle until the controller reports it back; a controller that refuses
// leaves the status image, and so every screen, showing no run.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "l10n/panel_texts.h"
#include "link/link_state.h"
#include "views/scene/scene.h"
#include "views/scene/texts.h"

namespace dryer::autostart {

struct Grain {
    std::uint8_t value;
    const char* name;  // the button's objectName
    int x, y;          // the button's top left corner (100 x 40)
    int picture;       // localized button picture
};

inline constexpr int kGrainButtonW = 100;
inline constexpr int kGrainButtonH = 40;
inline constexpr std::array<Grain, 12> kGrains{{
    {0, "Corn", 180, 20, 50},
    {1, "Soy Beans", 180, 70, 51},
    {2, "Wheat", 180, 120, 52},
    {3, "Barley", 180, 170, 53},
    {4, "Rice", 180, 220, 54},
    {5, "Canola", 180, 270, 55},
    {6, "Flax", 330, 20, 56},
    {7, "Hemp", 330, 70, 57},
    {8, "Milo", 330, 120, 58},
    {9, "Pistachios", 330, 170, 59},
    {10, "Rye", 330, 220, 60},
    {11, "Oats", 330, 270, 61},
}};

// The configuration screen's pages.
enum class Page : std::uint8_t { grain = 1, moisture = 4 };

// What the setup menu's auto-start button leads to.
enum class SetupRoute : std::uint8_t {
    status,     // a run is active: the status dialog
    refuse,     // the dryer is running: "Cannot initiate auto-start with dryer running."
    configure,  // the configuration screen
};

inline constexpr const char* kRefusalTitle = l10n::english("ATTENTION");
inline constexpr const char* kRefusalText = l10n::english("Cannot initiate auto-start with dryer running.");
inline constexpr const char* kSettingsSource = "auto-start";

// auto_start_active() returns whether the controller reports a run (279 bit 0).
bool auto_start_active(const link::ByteImage& status);
// dryer_running() returns whether the controller reports the dryer running (188 bit 6).
bool dryer_running(const link::ByteImage& status);
// setup_route() returns where the setup menu's auto-start button leads; the
// switch requirements notice comes before a refusal or the configuration.
SetupRoute setup_route(const link::ByteImage& status);

// open_configuration() takes the reported option byte and grain type into
// the settings image (a pending commit of either stays).
void open_configuration(link::LinkState& state);
// choose_grain() makes n the grain in the settings image without sending it;
// a value outside the table is ignored.
void choose_grain(link::LinkState& state, std::uint8_t n);
// leave_configuration() is EXIT (send_grain) or CONTINUE: EXIT commits the
// grain when it differs from the controller's; CONTINUE sends nothing.
// Returns whether the grain was committed.
bool leave_configuration(link::LinkState& state, bool send_grain);

// The red marker beside grain n on the grain page, none for a value outside the table.
std::optional<views::Rect> grain_marker(std::uint8_t n);

// The confirmation "Auto-Start": its question (510 cancel, 511 start).
unsigned confirmation_question(const link::ByteImage& status);

enum class Answer : std::uint8_t { yes, no, cancel };
struct Outcome {
    bool close_screen = false;  // the configuration screen closes
    bool refused = false;       // a start refused because the dryer runs
    bool sent = false;          // a setting was committed
    friend bool operator==(const Outcome&, const Outcome&) = default;
};
// confirm() carries out the operator's answer against what the controller
// reports now. Yes starts a run (the grain and 279 with bit 0 set, the other
// bits as reported), or with a run active cancels it (279 with bit 0
// cleared). A start while the dryer runs is refused and sends nothing. No
// and CANCEL send nothing and close the configuration screen when no run is
// active.
Outcome confirm(link::LinkState& state, Answer answer);

// min_sec_text() returns seconds as "%d:%02d" (minutes may pass 59).
std::string min_sec_text(std::uint32_t seconds);
// moisture_text() returns tenths of a percent as "%d.%01d%".
std::string moisture_text(std::uint16_t tenths);

// The configuration screen's client area: the dashed guide lines, the grain
// marker (grain page) or the two moisture values (moisture page).
views::Scene configuration_scene(const link::ByteImage& status, const link::ByteImage& settings, Page page);

// Plan reading of one unit (1..6, the operator's numbering: unit 1 is the
// first unit in use), offsets of its start time, end time and state byte.
std::size_t plan_start_offset(int unit);
std::size_t plan_end_offset(int unit);
std::size_t plan_state_offset(int unit);

// One unit's bar on the timeline: widths of the blue, red and blue segments
// from x = 70, summing to at most 500.
struct UnitBar {
    int unit = 0;
    int top = 0, bottom = 0;
    int before = 0, heating = 0, after = 0;
    bool on = false;
    friend bool operator==(const UnitBar&, const UnitBar&) = default;
};
inline constexpr int kTimelineLeft = 70;
inline constexpr int kTimelineWidth = 500;
inline constexpr int kTimelineHeight = 340;

// units_drawn() returns the units of the timeline, highest first: those of
// the fan/heater count code (none for an unknown code), or only unit 1 when
// 225 bit 5 is set.
std::vector<int> units_drawn(const link::ByteImage& status);
// unit_bar() returns the bar of unit u; with a total of 0 every width is 0.
// Start and end times past the total end at the total.
UnitBar unit_bar(const link::ByteImage& status, int unit);
// marker_x() returns the elapsed-time marker's x, none without a plan (total
// 0); a remaining time above the total counts as nothing elapsed.
std::optional<int> marker_x(const link::ByteImage& status);
// marker_top() returns the top of the marker for the count code.
int marker_top(std::uint8_t count_code);

// status_scene() returns what the status dialog draws.
views::Scene status_scene(const link::ByteImage& status, const views::Texts& texts);

}  // namespace dryer::autostart
