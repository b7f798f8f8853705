#include "shell/options.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "l10n/language.h"

namespace dryer::shell {

namespace {

// Qt's own options that take a value; they are left to QApplication.
constexpr std::array<std::string_view, 8> kQtValueOptions{
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-style", "-stylesheet", "-display", "-qwindowgeometry"};

bool is_qt_value_option(std::string_view a) {
    if (a.starts_with("--")) a.remove_prefix(1);
    for (auto q : kQtValueOptions)
        if (a == q) return true;
    return false;
}

bool parse_seconds(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(v) || v < 0 || v > 86400) return false;
    out = v;
    return true;
}

// Index of the language whose configuration name is name (any letter case), or -1.
int language_index(std::string_view name) {
    for (int i = 0; i < l10n::kLanguageCount; ++i) {
        const std::string_view known = l10n::kLanguages[static_cast<std::size_t>(i)].config_name;
        if (known.size() != name.size()) continue;
        bool same = true;
        for (std::size_t k = 0; k < name.size() && same; ++k)
            same = (known[k] | 0x20) == (name[k] | 0x20);
        if (same) return i;
    }
    return -1;
}

std::string language_names() {
    std::string out;
    for (const auto& lang : l10n::kLanguages) out += (out.empty() ? "" : ", ") + std::string(lang.config_name);
    return out;
}

}  // namespace

ParseResult parse_options(const std::vector<std::string>& args) {
    ParseResult r;
    PanelOptions& o = r.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& dest) {
            if (i + 1 >= args.size() || args[i + 1].starts_with("--")) {
                r.error = a + " needs a value";
                return false;
            }
            dest = args[++i];
            return true;
        };
        if (a == "--root") {
            if (!value(o.root)) return r;
        } else if (a == "--port") {
            if (!value(o.port)) return r;
        } else if (a == "--simulate") {
            o.simulate = true;
            if (i + 1 < args.size() && !args[i + 1].starts_with("-")) o.scenario = args[++i];
        } else if (a == "--screenshot") {
            if (!value(o.screenshot)) return r;
        } else if (a == "--after") {
            std::string text;
            if (!value(text)) return r;
            if (!parse_seconds(text, o.after)) {
                r.error = "--after needs a number of seconds, not '" + text + "'";
                return r;
            }
        } else if (a == "--language") {
            std::string name;
            if (!value(name)) return r;
            o.language = language_index(name);
            if (o.language < 0) {
                r.error = "unknown language '" + name + "'; one of " + language_names();
                return r;
            }
        } else if (a == "--windowed") {
            o.windowed = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (is_qt_value_option(a)) {
            ++i;  // Qt takes it and its value
        } else if (a.starts_with("--")) {
            r.error = "unknown option " + a;
            return r;
        }
        // Single-dash options without a value (-reverse, ...) belong to Qt.
    }
    return r;
}

std::string usage() {
    return "Usage: dryer-panel [options]\n"
           "The grain dryer's operator panel (640 x 480).\n"
           "\n"
           "  --root DIR            panel root (default: $DRYER_PANEL_ROOT, else the build's panel-root)\n"
           "  --port DEV            serial device of the dryer controller (default /dev/ttyS0)\n"
           "  --simulate [SCENARIO] run the controller stand-in inside the panel on a pseudo-terminal\n"
           "  --screenshot FILE.png write a picture of the panel and exit 0\n"
           "  --after SECONDS       when to take the screenshot (default 3)\n"
           "  --language NAME       start in this language (English, German, Russian, ...) and keep it\n"
           "  --windowed            an ordinary desktop window instead of full-screen and top-most\n"
           "  -platform NAME        Qt platform (xcb, wayland, linuxfb, offscreen, ...)\n"
           "  --help                this text\n";
}

}  // namespace dryer::shell
