// The panel as installed on a panel computer: the panel-root template the
// package ships (texts, pictures, help texts, manuals, read-only) and the state
// folder the panel runs in (the template's files plus everything the panel
// writes: history, logs, stored settings, the language choice).
//
// Usage, once at start, before anything reads the panel root:
//   std::string note = dryer::platform::prepare_installed_root(root);  // log it when not empty
//
// No Qt here.
#pragma once

#include <filesystem>
#include <string>

namespace dryer::platform {

// The state folder of an installed panel.
inline constexpr const char* kInstalledStateDir = "/var/lib/dryer-panel";

// Where an installed program finds the template, relative to its own folder.
inline constexpr const char* kTemplateFromProgram = "../share/dryer-panel/panel-root";

// Name of the list, kept in the state folder, of the template files copied
// there and the size and time each copy had when it was made.
inline constexpr const char* kTemplateManifest = ".template-files";

// program_dir() returns the folder of the running program (from
// /proc/self/exe), or an empty path when it cannot be read.
std::filesystem::path program_dir();

// installed_template() returns $DRYER_PANEL_TEMPLATE when set and not empty;
// else program_dir/../share/dryer-panel/panel-root when that is a folder
// (the program runs from an installed prefix); else an empty path.
std::filesystem::path installed_template(const std::filesystem::path& program_dir);

struct PrepareResult {
    int copied = 0;     // files that were missing and are now there
    int refreshed = 0;  // earlier copies replaced by a newer template's file
    int kept = 0;       // files left as they were (present, changed here, or not ours)
    int failed = 0;     // files that could not be written
    std::string error;  // the first failure, for the log; empty when none
};

// prepare_panel_root() brings the template's files into root (creating root
// and its folders when missing) and returns what it did:
//  - a file missing in root is copied there;
//  - a file that an earlier preparation copied and that nobody has changed
//    since (same size and time as the manifest records) is replaced when the
//    template's file differs: an update brings its new texts and pictures;
//  - every other file is left alone: a file changed in root, a file that was
//    there before the first preparation, and everything the panel writes
//    (never in the template, never in the manifest).
// Each copy is written beside its target and renamed over it, and the
// manifest lists the copies as pending until one syncfs() has put them all on
// storage: after a power loss in between, the next preparation copies every
// pending file again that differs from the template. A missing or unreadable
// manifest only means that nothing is replaced. Symbolic links and special
// files of the template are skipped.
PrepareResult prepare_panel_root(const std::filesystem::path& templ, const std::filesystem::path& root);

// prepare_installed_root() prepares root from installed_template(program_dir())
// when there is one (an installed panel) and returns a line for the log: how
// many files came from where, and the first failure; empty when nothing was
// copied and nothing failed (every start after the first, and a build tree).
std::string prepare_installed_root(const std::filesystem::path& root);

}  // namespace dryer::platform
