// Where the panel's files live on Linux. Every path the panel program uses is
// written the way the panel computer names it ("\Hard Disk\DataLog\x.csv",
// "\Hard Disk2", "\hard disk\manuals", or a relative name at the root of the
// file system) and mapped here onto one directory, the panel root:
//
//   \Hard Disk\X\Y   ->  <root>/Hard Disk/X/Y   (any case of "hard disk")
//   \Hard Disk2\X    ->  <root>/Hard Disk2/X    (the USB flash drive)
//   X\Y or \X\Y      ->  <root>/X/Y             (file-system root)
//
// Usage:
//   dryer::platform::set_panel_root("/srv/panel");          // once, at start
//   auto p = dryer::platform::map_panel_path("\\Hard Disk\\DataLog");
//   auto q = dryer::platform::storage_path("ShortTermDataLog\\a.DAT");
//
// Nothing else in the program builds file paths by hand. All functions are
// safe to call from any thread.
#pragma once

#include <filesystem>
#include <string_view>

namespace dryer::platform {

// set_panel_root() makes root the directory under which every panel path
// is placed, for all later calls.
void set_panel_root(const std::filesystem::path& root);

// panel_root() returns the root set by set_panel_root(); before any such
// call it returns $DRYER_PANEL_ROOT when that is set and not empty, else
// the current directory ".".
std::filesystem::path panel_root();

// map_panel_path() returns the Linux path of a panel path. Backslashes and
// slashes both separate names; a leading "Hard Disk" or "Hard Disk2" component
// is matched without regard to case and written in its canonical spelling;
// every later component is matched without regard to case against what exists
// on disk (the existing spelling wins), otherwise kept as given. Components
// "." and ".." and empty components are dropped, so the result never leaves
// the panel root.
std::filesystem::path map_panel_path(std::string_view panel_path);

// hard_disk_present() returns true when <root>/Hard Disk is a directory.
// The test is made afresh on every call.
bool hard_disk_present();

// usb_drive_present() returns true when <root>/Hard Disk2 is a directory
// (a mount point or a symlink to one).
bool usb_drive_present();

// storage_path() returns the storage root plus the relative name: the
// storage root is "\Hard Disk\" when hard_disk_present(), else the file-system
// root. The rule is applied afresh on every call.
std::filesystem::path storage_path(std::string_view relative_name);

}  // namespace dryer::platform
