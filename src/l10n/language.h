// The operator's language: the thirteen languages, the current one, and the
// configuration file TavrinLangConfig.txt that remembers it across restarts.
//
// Usage (user-interface thread of the panel program):
//   dryer::l10n::read_language_config();     // start-up, after the main window
//   dryer::l10n::text(301);                  // any lookup loads the tables once
//   dryer::l10n::set_language(6);            // German: reload + write the file
//
// Texts live in l10n/texts.h, warning texts and illustration paths in
// l10n/warnings.h, help texts and button picture paths in l10n/resources.h;
// the "Select Language to Use" dialog is in l10n/qt/language_dialog.h.
// All files are found under the storage root of platform/panel_paths.h.
//
// Every function of the l10n library is safe to call from any thread: the
// tables are guarded by one internal lock (the shutdown history looks up
// warning texts from the link's receive thread).
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace dryer::l10n {

struct Language {
    std::string_view config_name;   // content of the configuration file
    std::string_view folder;        // folder code under Languages\ .
    std::string_view strings_file;  // strings file inside that folder
    unsigned name_text;             // text number of the language's own name
    std::string_view caption;       // caption of its button in the dialog
};

inline constexpr int kLanguageCount = 13;
inline constexpr int kEnglish = 0;
inline constexpr int kDutch = 4;

// Table order is the index and the order in which the configuration file's
// content is compared.
inline constexpr std::array<Language, kLanguageCount> kLanguages{{
    {"English", "EN", "EnglishStrings.txt", 477, "ENGLISH"},
    {"Bulgarian", "BG", "BulgarianStrings.txt", 473, "BULGARIAN"},
    {"Czech", "CS", "CzechStrings.txt", 474, "CZECH"},
    {"Danish", "DA", "DanishStrings.txt", 475, "DANISH"},
    {"Dutch", "NL", "DutchStrings.txt", 476, "DUTCH"},
    {"French", "FR", "FrenchStrings.txt", 478, "FRENCH"},
    {"German", "DE", "GermanStrings.txt", 479, "GERMAN"},
    {"Hungarian", "HU", "HungarianStrings.txt", 480, "HUNGARIAN"},
    {"Polish", "PL", "PolishStrings.txt", 481, "POLISH"},
    {"Portuguese", "PT", "PortugueseStrings.txt", 482, "PORTUGUESE"},
    {"Romanian", "RO", "RomanianStrings.txt", 483, "ROMANIAN"},
    {"Russian", "RU", "RussianStrings.txt", 484, "RUSSIAN"},
    {"Spanish", "ES", "SpanishStrings.txt", 485, "SPANISH"},
}};

// language() returns the table row of index, and English's row when the
// index is outside 1 to 12.
const Language& language(int index);

// language_from_config() returns the index whose name equals the first
// min(size, 200) bytes of the configuration file, read as a C string (up to
// the first NUL byte), compared whole and case-sensitively; 0 when nothing
// matches. Pure; the configuration file's parser.
int language_from_config(const unsigned char* bytes, std::size_t size);

// read_language_config() reads storage root + TavrinLangConfig.txt, set
// the current language from it and return it. A missing file gives English
// and is created with "English"; unreadable or unknown content gives English
// and leaves the file as it is.
int read_language_config();

// write_language_config() creates or truncate the configuration file
// ("\Hard Disk\TavrinLangConfig.txt" when the hard disk is present, else at
// the file-system root) and write the name's bytes without terminator or line
// end. It returns false, silently, when the file cannot be written.
bool write_language_config(std::string_view name);

// current_language() returns the current index, 0 to 12.
int current_language();

// set_language() makes index current, reload the strings table and the
// warning-text tables, then write the configuration file with the language's
// name ("English" for an index outside 1 to 12).
void set_language(int index);

// ensure_loaded() runs the reload-pending step: on the first call after
// start (or after reset_localization()) read the configuration file, load
// the strings table and the warning-text tables; later calls do nothing.
// Every lookup of the l10n library calls it first.
void ensure_loaded();

// reset_localization() puts the module back into its start state:
// English, reload pending, every table empty.
void reset_localization();

// language_button_caption() returns the two-line caption of the
// language's button in the "Select Language to Use" dialog: its name in the
// current language (its text number), a line break and the English name in
// parentheses, e.g. u"DEUTSCH\n(German)".
std::u16string language_button_caption(int index);

}  // namespace dryer::l10n
