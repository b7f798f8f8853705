// Conversion of the history's texts (UTF-8) to the single-byte code page of
// the exported text file (Windows-1252).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dryer::history {

// to_single_byte() returns the text in Windows-1252, one byte per
// character; a character the code page lacks and every byte that is not
// part of a well-formed UTF-8 sequence become "?". The result is cut to at
// most max_bytes bytes.
std::string to_single_byte(std::string_view utf8, std::size_t max_bytes = 500);

// cut_to_characters() returns the longest prefix of the UTF-8 text that
// holds at most max_chars characters and does not split a sequence.
std::string cut_to_characters(std::string_view utf8, std::size_t max_chars);

}  // namespace dryer::history
