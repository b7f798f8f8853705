#include "views/warning/warning_model.h"

#include "views/scene/format.h"
#include "views/scene/status.h"
#include "views/scene/utf8.h"

namespace dryer::views {
namespace {

namespace off = link::off;

// Number of characters (code points) in UTF-8 text, and the byte offset of
// character i.
std::size_t char_count(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}
std::size_t byte_of_char(std::string_view s, std::size_t i) {
    std::size_t n = 0;
    for (std::size_t b = 0; b < s.size(); ++b) {
        if ((static_cast<unsigned char>(s[b]) & 0xC0) != 0x80) {
            if (n == i) return b;
            ++n;
        }
    }
    return s.size();
}

void link_lost_figure(Scene& sc, int marker, const Texts& t) {
    sc.text({5, 5, 325, 50}, t.label(338), 24, 700, colour::dark_blue);
    sc.line(105, 65, 255, 65, 1, Rgb{20, 50, 20});
    sc.line(105, 75, 255, 75, 1, Rgb{20, 50, 20});
    sc.line(105, 70, 255, 70, 10, Rgb{0, 125, 0});
    sc.line(105 + 10 * marker, 70, 120 + 10 * marker, 70, 6, colour::dark_blue);
    sc.picture(259, 30, 40);
    sc.picture(260, 250, 20);
}

void centred(Scene& sc, Rect r, Label text, int size, int weight, Rgb c) {
    sc.text(r, std::move(text), size, weight, c, Align::centre);
}

void shutdown_figure(Scene& sc, const link::ByteImage& s, bool blink_on, const Texts& t) {
    const int node = s.get(off::shutdown_node), warning = s.get(off::shutdown_code);
    const bool grain = st::bit(s, off::status_188, 4), countdown = st::bit(s, off::status_188, 1);
    sc.picture(517, 20, 1);
    sc.line(25, 50, 575, 50, 2, colour::red);
    sc.line(25, 100, 575, 100, 2, colour::red);

    const std::string module_text = t.warning_text(node, warning);
    if (char_count(module_text) >= 61) {
        auto [first, second] = split_line(module_text);
        centred(sc, {0, 60, 600, 80}, first, 14, 300, colour::white);
        centred(sc, {0, 80, 600, 105}, second, 14, 300, colour::white);
    } else {
        centred(sc, {0, 65, 600, 80}, module_text, 14, 300, colour::white);
    }

    if (blink_on) {
        const Rgb c = (grain || countdown) ? colour::blue : colour::red;
        const int size = grain ? 30 : 40;
        if (grain) {
            centred(sc, {50, 0, 575, 25}, t.label(339), size, 900, c);
        } else if (countdown) {
            const int m = s.get(off::value_267), sec = s.get(off::value_267 + 1);
            centred(sc, {50, 5, 575, 45}, Label{fmt("%s: %d:%02d", t.text(462).c_str(), m, sec), 462}, size, 900, c);
        } else {
            centred(sc, {50, 0, 575, 50}, t.label(330), size, 900, c);
        }
    }
    if (grain) {
        const int sel = s.get(off::status_184);
        const int temp = sel == 0 ? st::value_93(s) : sel == 1 ? st::value_91(s) : sel == 2 ? st::value_89(s) : 0;
        centred(sc, {50, 28, 575, 50},
                Label{fmt("%s %d %s F", t.text(kGrainTemperatureText).c_str(), static_cast<std::int16_t>(temp), kDegree),
                      kGrainTemperatureText},
                20, 500, Rgb{0, 0, 100});
    }
    centred(sc, {25, 200, 575, 225}, t.label(331), 16, 900, colour::green);
    constexpr Rgb kBlue200{0, 0, 200}, kDarkRed{175, 0, 0};
    if (warning == 5 && node >= 2 && node <= 7) {
        if (!grain) {
            centred(sc, {25, 220, 575, 250}, t.label(332), 16, 400, kBlue200);
            centred(sc, {25, 250, 575, 270}, t.label(333), 16, 400, kDarkRed);
            centred(sc, {25, 270, 575, 290}, t.label(334), 16, 400, kDarkRed);
        } else {
            centred(sc, {25, 220, 575, 250}, t.label(335), 16, 400, kDarkRed);
            centred(sc, {25, 270, 575, 290}, t.label(336), 16, 400, kDarkRed);
        }
    }
    if (countdown) centred(sc, {25, 220, 575, 250}, t.label(337), 16, 400, kBlue200);
}

}  // namespace

std::pair<std::string, std::string> split_line(std::string_view text) {
    const std::size_t n_all = char_count(text);
    const std::size_t n = n_all > 99 ? 99 : n_all;
    const std::string_view cut = text.substr(0, byte_of_char(text, n));
    const std::size_t half = n / 2;
    // The last blank at a character position below n / 2.
    std::size_t blank = std::string_view::npos, pos = 0;
    for (std::size_t b = 0; b < cut.size() && pos < half; ++b) {
        const unsigned char ch = static_cast<unsigned char>(cut[b]);
        if ((ch & 0xC0) == 0x80) continue;
        if (ch == ' ') blank = b;
        ++pos;
    }
    if (blank == std::string_view::npos) return {std::string{}, std::string{cut}};
    return {std::string{cut.substr(0, blank)}, std::string{cut.substr(blank + 1)}};
}

void LinkLostMarker::step() {
    if (up_) {
        ++m_;
        if (m_ > 12) up_ = false;
    } else {
        --m_;
        if (m_ <= 0) up_ = true;
    }
}

WarningContent warning_content(const link::ByteImage& s, bool link_alive) {
    if (!link_alive) return WarningContent::link_lost;
    if (s.get(off::shutdown_code) != 0 || s.get(off::shutdown_node) != 0) return WarningContent::shutdown;
    return WarningContent::none;
}

std::string warning_caption(const link::ByteImage& s, bool link_alive, const Texts& t) {
    return warning_content(s, link_alive) == WarningContent::link_lost ? l10n::local(kConnectionLostCaption)
                                                                       : t.text(329);
}

WarningView warning_view(const link::ByteImage& s, bool link_alive, bool blink_on, int marker, const Texts& t) {
    WarningView v{Scene{kWarningClientWidth, kWarningClientHeight, kWarningGrey, {}}, warning_caption(s, link_alive, t),
                  false};
    switch (warning_content(s, link_alive)) {
        case WarningContent::link_lost:
            v.link_lost_request = true;
            link_lost_figure(v.scene, marker, t);
            break;
        case WarningContent::shutdown: shutdown_figure(v.scene, s, blink_on, t); break;
        case WarningContent::none: break;
    }
    return v;
}

std::vector<std::string> help_lines(std::string_view bytes) {
    if (bytes.size() > kHelpFileMaxBytes) bytes = bytes.substr(0, kHelpFileMaxBytes);
    std::vector<std::string> lines;
    std::string line;
    bool ended = false;  // a carriage return has ended this line's text
    bool pending = false;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t c = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t lo = static_cast<unsigned char>(bytes[i + 2]) | (static_cast<unsigned char>(bytes[i + 3]) << 8);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                i += 2;
            }
        }
        if (c == u'\n') {
            lines.push_back(std::move(line));
            line.clear();
            ended = pending = false;
            continue;
        }
        pending = true;
        if (ended) continue;
        if (c == u'\r') {
            ended = true;
        } else if (c == u'\t') {
            line += "    ";
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            append_utf8(line, 0xFFFD);  // an unpaired surrogate
        } else if (c != 0) {
            append_utf8(line, c);
        }
    }
    if (pending) lines.push_back(std::move(line));
    return lines;
}

}  // namespace dryer::views
