// What a status window shows, as a list of drawing items computed without Qt:
// fills, built-in pictures, lines and texts with their rectangles, fonts and
// colours. Models build a Scene from the status image; widgets paint it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace dryer::views {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colour {
inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb red{255, 0, 0};
inline constexpr Rgb green{0, 255, 0};
inline constexpr Rgb light_green{0, 250, 0};
inline constexpr Rgb dark_green{0, 200, 0};
inline constexpr Rgb blue{0, 0, 255};
inline constexpr Rgb dark_blue{0, 0, 150};
inline constexpr Rgb cyan{0, 255, 255};
inline constexpr Rgb yellow{255, 255, 0};
inline constexpr Rgb olive{200, 200, 0};
inline constexpr Rgb light_grey{175, 175, 175};
}  // namespace colour

// left, top, right, bottom (right and bottom exclusive), as the panel gives them.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A titled window (the plenum panel, the readings panel, the warning window)
// draws a raised border and a caption bar around its client area; its scene
// is shown in the client area and has that size.
inline constexpr int kTitledBorder = 2;
inline constexpr int kTitledCaption = 20;
constexpr int titled_client_width(int window_width) { return window_width - 2 * kTitledBorder; }
constexpr int titled_client_height(int window_height) { return window_height - kTitledCaption - 2 * kTitledBorder; }

enum class Align : std::uint8_t { left, centre, right };

struct FillItem {
    Rect rect;
    Rgb colour;
};
struct PictureItem {
    int number = 0;  // built-in picture number
    int x = 0, y = 0;
};
struct LineItem {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int width = 1;
    Rgb colour;
};
// A text and the number of the language text it shows (0 when it shows
// none), so that a layout check can name the text that does not fit.
struct Label {
    std::string text;  // UTF-8
    unsigned number = 0;
    Label() = default;
    Label(std::string t, unsigned n = 0) : text(std::move(t)), number(n) {}
    Label(const char* t) : text(t) {}
    operator const std::string&() const { return text; }
    const char* c_str() const { return text.c_str(); }
    bool empty() const { return text.empty(); }
};

// A text drawn into its rectangle. The painter steps the font's pixel size
// down until the text fits the part of the rectangle inside the window (the
// width of a line; the height of wrapped text), so no text is ever cut.
struct TextItem {
    Rect rect;
    std::string text;  // UTF-8
    int size = 12;     // pixel height
    int weight = 400;  // 100..900
    Rgb colour;
    Align align = Align::left;
    bool vcentre = false;
    bool wrap = false;
    unsigned number = 0;  // the language text shown, 0 for none
    // A one-line heading that does not fit even at the smallest size is
    // shortened at the end of a word, the cut marked with a full stop
    // ("TEMPERATUR" -> "TEMPERA."), instead of ending in an ellipsis.
    bool abbreviate = false;
};

using Item = std::variant<FillItem, PictureItem, LineItem, TextItem>;

struct Scene {
    int width = 0, height = 0;
    Rgb background;
    std::vector<Item> items;

    void fill(Rect r, Rgb c) { items.emplace_back(FillItem{r, c}); }
    void picture(int number, int x, int y) { items.emplace_back(PictureItem{number, x, y}); }
    void line(int x1, int y1, int x2, int y2, int pen, Rgb c) {
        items.emplace_back(LineItem{x1, y1, x2, y2, pen, c});
    }
    TextItem& text(Rect r, Label t, int size, int weight, Rgb c, Align a = Align::left) {
        items.emplace_back(TextItem{r, std::move(t.text), size, weight, c, a, false, false, t.number, false});
        return std::get<TextItem>(items.back());
    }

    // find_text() returns the first text item whose text equals t, or
    // nullptr when there is none.
    const TextItem* find_text(std::string_view t) const;
    // texts() returns every text item in drawing order.
    std::vector<const TextItem*> texts() const;
    // pictures() returns the numbers of every picture item in drawing order.
    std::vector<int> pictures() const;
};

}  // namespace dryer::views
