// The warning window: the connection-lost figure with its moving marker, or
// the shutdown figure for the reported (node id, warning id) pair; and the
// pieces of its help dialog that do not need Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "l10n/panel_texts.h"
#include "link/images.h"
#include "views/scene/scene.h"
#include "views/scene/texts.h"

namespace dryer::views {

inline constexpr int kWarningWidth = 600;
// "GRAIN TEMPERATURE:" before the grain temperature of a shutdown.
inline constexpr unsigned kGrainTemperatureText = 927;
inline constexpr int kWarningHeight = 325;
// The drawing fills the client area below the caption bar.
inline constexpr int kWarningClientWidth = titled_client_width(kWarningWidth);
inline constexpr int kWarningClientHeight = titled_client_height(kWarningHeight);
inline constexpr Rgb kWarningGrey{100, 100, 100};
inline constexpr const char* kConnectionLostCaption = l10n::english(" CONNECTION TO DRYER LOST!");
inline constexpr const char* kNoHelpText = l10n::english("NO TEXT FILE AVAILABLE.");
inline constexpr std::size_t kHelpFileMaxBytes = 16384;

// split_line() splits a text (cut first to 99 characters) at the last
// blank whose position is below half its length; without such a blank the
// first line is empty and the second the whole text.
std::pair<std::string, std::string> split_line(std::string_view text);

// The part of the connection-lost figure that the moving marker passes over,
// in the drawing's coordinates: the window redraws it on each marker step.
inline constexpr Rect kMarkerArea{105, 65, 260, 75};

// The marker of the connection-lost figure: m moves 0..13 and back, one step
// each time a marker step is taken.
class LinkLostMarker {
public:
    void step();
    int position() const { return m_; }

private:
    int m_ = 0;
    bool up_ = true;
};

// What the window shows: nothing, the link-lost figure or a shutdown.
enum class WarningContent { none, link_lost, shutdown };

// warning_content() returns link_lost when the link is down, else
// shutdown when the node id or the warning id is not 0, else none.
WarningContent warning_content(const link::ByteImage& s, bool link_alive);

struct WarningView {
    Scene scene;
    std::string caption;  // window caption
    bool link_lost_request = false;  // ask the link to send the link-lost reply
};

// warning_caption() returns the window's caption: the connection-lost
// caption while the link is lost, else text 329.
std::string warning_caption(const link::ByteImage& s, bool link_alive, const Texts& t);

// warning_view() returns the window's drawing and caption for the
// status image, the link state, the blink phase and the marker position.
WarningView warning_view(const link::ByteImage& s, bool link_alive, bool blink_on, int marker, const Texts& t);

// help_lines() turns the bytes of a help text file (UTF-16 LE with a
// two-byte byte-order mark, at most 16384 bytes considered) into list lines:
// a line feed ends a line, a carriage return ends its text, a tab becomes
// four blanks; a last line without a line feed is kept. Returns UTF-8.
std::vector<std::string> help_lines(std::string_view bytes);

// help_node() returns the node whose help files serve node_id: fan/heater
// nodes 2 to 7 share node 2.
inline int help_node(int node_id) { return node_id >= 2 && node_id <= 7 ? 2 : node_id; }

// The help of the lost link is filed as the pair node 0, warning 0: no module
// reports it, the panel itself does (its files are NID_00_WARNING_ID_00.*).
inline constexpr int kLinkLostHelpNode = 0;
inline constexpr int kLinkLostHelpWarning = 0;
inline bool is_link_lost_help(int node_id, int warning_id) {
    return node_id == kLinkLostHelpNode && warning_id == kLinkLostHelpWarning;
}

// Rear-discharge animation frame 0..6 of the help dialog.
inline int next_help_frame(int frame) { return frame >= 6 || frame < 0 ? 0 : frame + 1; }
inline bool is_rear_discharge(int node_id, int warning_id) { return node_id == 14 && warning_id == 5; }

}  // namespace dryer::views
