// The serial line to the dryer's controller on POSIX termios: 38400 baud,
// 8 data bits, even parity with parity checking, 1 stop bit, raw (no byte
// discarded or translated), reads that return at once, writes without a
// timeout. A device that vanishes (EIO, ENXIO, ENODEV) is closed; reopen()
// tries it again.
#pragma once

#include <string>

#include "platform/transport.h"

namespace dryer::platform {

class SerialPort final : public Transport {
public:
    // The device path (e.g. /dev/ttyS0, a symlink of a USB adapter, a pty).
    explicit SerialPort(std::string device);
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // open() opens the existing device for reading and writing,
    // exclusively, apply the line settings and return true; it returns
    // false (and leave the port closed) when the path cannot be opened or is
    // not a terminal device.
    bool open();
    // close() closes the device; closing a closed port does nothing.
    void close();

    long read_some(std::uint8_t* buf, std::size_t max) override;
    long write_all(const std::uint8_t* buf, std::size_t n) override;
    void purge() override;
    bool is_open() const override { return fd_ >= 0; }
    bool reopen() override;

    const std::string& device() const { return device_; }

    // pending_input() returns the number of received bytes waiting to
    // be read (0 when closed).
    std::size_t pending_input() const;

private:
    // Closes the port when errno says the device has gone.
    void drop_if_vanished(int err);

    std::string device_;
    int fd_ = -1;
};

// apply_line_settings() sets 38400 8E1 raw with parity checking on the
// open terminal fd, keeping the rest of its settings, and return true; false
// when the fd is not a terminal or refuses the settings.
bool apply_line_settings(int fd);

}  // namespace dryer::platform
