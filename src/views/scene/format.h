// printf-style formatting into UTF-8 and the degree sign, shared by the
// status windows' models.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

namespace dryer::views {

// The degree sign (character 176) in UTF-8.
inline constexpr const char* kDegree = "\xC2\xB0";

// fmt() returns the printf formatting of its arguments (at most 255 bytes).
[[gnu::format(printf, 1, 2)]] inline std::string fmt(const char* f, ...) {
    char buf[256];
    va_list ap;
    va_start(ap, f);
    std::vsnprintf(buf, sizeof buf, f, ap);
    va_end(ap);
    return buf;
}

// tenths() returns v in tenths as "whole.digit" ("12.3"; "%d.%1d").
inline std::string tenths(unsigned v) { return fmt("%u.%u", v / 10, v % 10); }

}  // namespace dryer::views
