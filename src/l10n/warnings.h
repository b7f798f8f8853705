// Module warning texts and the illustration of one warning.
//
// The dryer reports a shutdown as (node id, warning id). Nine tables, one per
// kind of module, hold the texts: node 1 WarningsDIO.txt, nodes 2 to 7
// WarningsFH1.txt to WarningsFH6.txt, node 14 WarningsMIO.txt, node 15
// WarningsMC.txt; warning id w is line w + 1 (line 1 is a heading).
//
// Usage:
//   std::u16string t = dryer::l10n::warning_text(15, 3);
//   auto pic = dryer::l10n::warning_illustration_picture_path(node, w, frame);
//   auto txt = dryer::l10n::warning_text_path(node, w);
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace dryer::l10n {

inline constexpr std::size_t kWarningBufferChars = 150;

// load_warning_tables() loads the nine tables of the current language in
// table order; a table whose file is missing in that language is loaded from
// the English file of the same name; slots are not cleared first.
void load_warning_tables();

// warning_table_index() returns the table (0 to 8) of a node id, or -1
// for nodes without a table (8 to 13 and any other value).
int warning_table_index(int node_id);

// get_warning_text() runs the reload-pending step; when both ids are at
// least 1 and the node has a table, write at most 149 characters of slot w
// and a terminator into dest (at least 150 characters). Warning ids above
// 1000 give an empty string. Otherwise dest is left untouched.
void get_warning_text(int node_id, int warning_id, char16_t* dest);

// warning_text() returns the module text of the pair, empty when there
// is none.
std::u16string warning_text(int node_id, int warning_id);

// warning_picture_path() and warning_text_path() returns storage root +
// Languages\XX\WarningBitmaps\NID_nn_WARNING_ID_ww.bmp (.txt) for the current
// language, node ids 2 to 7 written as 02. They do not test the file. The
// pair (0, 0) names the help of the lost connection to the dryer, which no
// module reports.
std::filesystem::path warning_picture_path(int node_id, int warning_id);
std::filesystem::path warning_text_path(int node_id, int warning_id);

// rear_discharge_picture_path() returns the path of picture 74, 75, 76
// for animation frames 0, 1, 2 and of 77 for 3 or more (and for negative
// frames) in the folder "\Hard Disk\Languages\EN\Bitmaps", whatever the
// current language and whether or not the hard disk is present.
std::filesystem::path rear_discharge_picture_path(int frame);

// warning_illustration_picture_path() returns the picture the warning
// help dialog shows: the rear-discharge picture of the frame for node 14
// warning 5, else warning_picture_path().
std::filesystem::path warning_illustration_picture_path(int node_id, int warning_id, int frame);

}  // namespace dryer::l10n
