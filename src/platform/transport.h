// The byte transport the dryer link talks through. The link core knows only
// this interface; the panel uses the termios serial port, tests a
// pseudo-terminal (opened through the same serial port class).
#pragma once

#include <cstddef>
#include <cstdint>

namespace dryer::platform {

class Transport {
public:
    virtual ~Transport() = default;

    // read_some() returns at once the number of bytes already received,
    // at most max, stored at buf (0 when nothing has arrived), or -1 on an
    // error. It never waits for data.
    virtual long read_some(std::uint8_t* buf, std::size_t max) = 0;

    // write_all() writes the n bytes at buf without a timeout and return
    // the number written, or -1 on an error.
    virtual long write_all(const std::uint8_t* buf, std::size_t n) = 0;

    // purge() discards both the unsent output and the unread input.
    virtual void purge() = 0;

    // is_open() returns false when the device is closed, e.g. after it
    // vanished (a USB adapter unplugged).
    virtual bool is_open() const = 0;

    // reopen() closes the device if it is open, open it again with the
    // same settings and return true when it is open afterwards.
    virtual bool reopen() = 0;
};

}  // namespace dryer::platform
