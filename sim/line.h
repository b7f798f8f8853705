// The stand-in's end of the line: a pseudo-terminal pair or a real serial
// device with the panel's line settings.
#pragma once

#include <string>

namespace dryer::sim {

// A pseudo-terminal pair. The stand-in serves `master`; the panel opens
// `path`. `keeper` is a descriptor of the panel side that the stand-in keeps
// open so that the pair survives the panel closing and reopening it (and so
// that its raw settings are in place before the panel arrives).
struct PtyPair {
    int master = -1;
    int keeper = -1;
    std::string path;
};

// open_pty_pair() creates a pseudo-terminal pair in raw mode with a
// non-blocking master and return true; false with the reason in *error
// (when error is not null) when the system refuses.
bool open_pty_pair(PtyPair& pair, std::string* error);

// close_pty_pair() closes both descriptors (when open) and reset the pair.
void close_pty_pair(PtyPair& pair);

// open_serial_port() opens the device for reading and writing without
// making it the controlling terminal, set 38400 baud, 8 data bits, even
// parity with parity checking, 1 stop bit, raw, non-blocking reads, and
// return the descriptor; -1 with the reason in *error when it cannot.
int open_serial_port(const std::string& device, std::string* error);

// line_vanished() returns true when errno after a failed read or write
// means the device has gone (a USB adapter unplugged) and must be reopened.
bool line_vanished(int err);

}  // namespace dryer::sim
