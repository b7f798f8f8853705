// What a status window shows, as a list of drawing items computed without Qt:
// fills, built-in pictures, lines and texts with their rectangles, fonts and
// colours. Models build a Scene from the status image; widgets paint it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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
struct TextItem {
    Rect rect;
    std::string text;  // UTF-8
    int size = 12;     // pixel height
    int weight = 400;  // 100..900
    Rgb colour;
    Align align = Align::left;
    bool vcentre = false;
    bool wrap = false;
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
    TextItem& text(Rect r, std::string t, int size, int weight, Rgb c, Align a = Align::left) {
        items.emplace_back(TextItem{r, std::move(t), size, weight, c, a, false, false});
        return std::get<TextItem>(items.back());
    }

    // find_text() shall return the first text item whose text equals t, or
    // nullptr when there is none.
    const TextItem* find_text(std::string_view t) const;
    // texts() shall return every text item in drawing order.
    std::vector<const TextItem*> texts() const;
    // pictures() shall return the numbers of every picture item in drawing order.
    std::vector<int> pictures() const;
};

}  // namespace dryer::views
