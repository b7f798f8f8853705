// Conversion of the history's texts (UTF-8) to the single-byte code page of
// the exported text file, which follows the language.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dryer::history {

enum class CodePage { windows_1250, windows_1251, windows_1252 };

// code_page_of_language() returns the code page of a language by its
// folder code: Windows-1250 for CS, HU, PL and RO, Windows-1251 for BG and
// RU, Windows-1252 for every other code.
CodePage code_page_of_language(std::string_view folder);

// to_single_byte() returns the text in the code page, one byte per
// character; a character the code page lacks and every byte that is not
// part of a well-formed UTF-8 sequence become "?". In Windows-1250 the
// comma-below letters S and T (Romanian) become the page's cedilla forms.
// The result is cut to at most max_bytes bytes.
std::string to_single_byte(std::string_view utf8, CodePage page = CodePage::windows_1252,
                           std::size_t max_bytes = 500);

// cut_to_characters() returns the longest prefix of the UTF-8 text that
// holds at most max_chars characters and does not split a sequence.
std::string cut_to_characters(std::string_view utf8, std::size_t max_chars);

}  // namespace dryer::history
