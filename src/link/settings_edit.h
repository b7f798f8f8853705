// The one settings-edit path of the panel. Every dialog edits copies of
// settings and then sends what differs; all of them do it through these
// functions, on the user-interface thread:
//
//   begin_edit(state, off::target_149, 2);            // copy the reported value
//   ... the dialog changes settings bytes, or ...
//   commit_u16le(state, off::target_149, 190, "grain setpoint");   // one value
//   commit_changed(state, rows_of_the_dialog, "moisture setup");   // ACCEPT
//
// A commit writes the value bytes first and raises the row's change flag
// second (ChangeFlags orders the two), then reports the commit to the
// settings sink (the settings-change journal) with the bytes the controller
// had reported before it. Only the decoder lowers flags, so a commit is sent
// in every cycle until the controller echoes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

#include "link/link_state.h"

namespace dryer::link {

// begin_edit() copies the status bytes [offset, offset + n) into the settings
// image, except the bytes of a row whose change flag is raised: a value
// committed earlier and not yet echoed stays in the settings image, so
// opening a dialog and cancelling it never takes back a pending commit.
// Offsets past the image are ignored.
void begin_edit(LinkState& state, std::size_t offset, std::size_t n);

// begin_edit_rows() does begin_edit() for the source bytes of every row that
// sends from the settings image; rows sourced from the status image and the
// one-shot clock row are skipped.
void begin_edit_rows(LinkState& state, std::span<const int> rows);

// commit_row() raises the row's change flag for the bytes that the settings
// image already holds at the row's source and reports the commit. Returns
// false (and does nothing) for a row outside 1..82 or a row sourced from the
// status image.
bool commit_row(LinkState& state, int row, std::string_view source);

// commit_bytes() writes the bytes at the row's source offsets and then does
// commit_row(). Returns false, writing nothing, when the row is not a
// settings row or the number of bytes is not the row's length.
bool commit_bytes(LinkState& state, int row, std::span<const std::uint8_t> bytes, std::string_view source);

// commit_setting() commits the bytes of the setting at offset under the row
// that sends it (row_for_setting()). Returns false, writing nothing, when no
// row sends that offset or the length differs from the row's.
bool commit_setting(LinkState& state, std::size_t offset, std::span<const std::uint8_t> bytes,
                    std::string_view source);

// Typed forms of commit_setting() in the byte order of the field.
bool commit_u8(LinkState& state, std::size_t offset, std::uint8_t value, std::string_view source);
bool commit_u16le(LinkState& state, std::size_t offset, std::uint16_t value, std::string_view source);
bool commit_u16be(LinkState& state, std::size_t offset, std::uint16_t value, std::string_view source);
bool commit_min_sec(LinkState& state, std::size_t offset, std::uint8_t minutes, std::uint8_t seconds,
                    std::string_view source);

// hand_back() raises the flag of a row sourced from the status image: a
// command that sends the controller's own reported values back to it (the
// meter roll speed screen's rows 47, 48 and 51). Nothing is journalled, as
// no setting changes. Returns false, raising nothing, for any other row.
bool hand_back(LinkState& state, int row);

// withdraw() lowers the flag of a row that only its screen lowers (row 43,
// the meter roll control byte, whose echo the decoder never checks).
// Returns false, lowering nothing, for any other row.
bool withdraw(LinkState& state, int row);

// commit_eligible() returns whether commit_changed() considers the row: rows
// sent from the settings image and lowered by their echo (plain, previous
// frame, or masked for byte 279). The stage-reset rows (echo against the
// stage time), the clock, the meter-roll rows and the rows sourced from the
// status image are commands rather than copies of a reported value: a
// dialog commits them explicitly with commit_row() or commit_bytes().
bool commit_eligible(int row);

// settings_differ() returns whether the row's settings bytes differ from
// what the controller last reported, compared the way the row's echo
// compares them (byte 279 with bits 4-6 masked off the setting).
bool settings_differ(const LinkState& state, int row);

// commit_changed() commits every eligible row of `rows` whose settings bytes
// differ from the status image (a dialog's ACCEPT) and returns the rows it
// committed, in the order given. A row still pending from an earlier commit
// and still different is raised (and reported) again.
std::vector<int> commit_changed(LinkState& state, std::span<const int> rows, std::string_view source);
std::vector<int> commit_changed(LinkState& state, std::initializer_list<int> rows, std::string_view source);

}  // namespace dryer::link
