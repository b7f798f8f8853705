// Small text helpers shared by the setup screens' models: the text lookup
// they are given, word wrapping, and formatting a localized text that carries
// number fields. No Qt.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace dryer::setup {

// Returns text n of the current language in UTF-8 (empty when there is none).
using TextFn = std::function<std::string(unsigned)>;

// Colours of the explanatory lines on the setup screens.
enum class Ink { black, blue, red, magenta, green };

struct InkLine {
    std::string text;
    Ink ink;
    bool operator==(const InkLine&) const = default;
};

// word_wrap() splits text at blanks into lines of at most width
// characters (UTF-8 code points); a word longer than width is cut. Runs of
// blanks between words collapse; an empty text gives no lines.
std::vector<std::string> word_wrap(const std::string& text, std::size_t width);

// format_numbers() replaces the number fields of a localized format
// (%d, %i, %u with optional flags and width, e.g. %02d) in order with a and
// b, turn %% into %, and copy every other character, including any other
// % sequence, literally. A third number field is copied literally too, so a
// text from a language file can never read beyond the two numbers.
std::string format_numbers(const std::string& format, int a, int b);

// title_text() returns localized when it is not empty, else caption
// (the window's own caption stands in for a missing language text).
std::string title_text(std::string localized, const char* caption);

// shown_temperature() returns a setpoint of whole degrees Fahrenheit in
// the shown unit (converted with the panel's unit conversion when celsius).
int shown_temperature(std::uint16_t fahrenheit, bool celsius);

}  // namespace dryer::setup
