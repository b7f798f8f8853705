#include "platform/serial_port.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <utility>

namespace dryer::platform {

bool apply_line_settings(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return false;
    // Raw: no line editing, echo, signals, CR/LF translation, stripping of
    // bit 7 or software flow control (which would swallow 0x11 and 0x13).
    // Hardware flow control (CRTSCTS) and the modem lines stay as they are.
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                                        IXANY | IGNPAR);
    t.c_iflag |= INPCK;  // parity checking on; a bad byte reads as 0 and fails the CRC
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARODD | CSTOPB);
    t.c_cflag |= CS8 | PARENB | CREAD | CLOCAL;
    // Reads return at once with what has arrived.
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (cfsetispeed(&t, B38400) != 0 || cfsetospeed(&t, B38400) != 0) return false;
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

SerialPort::SerialPort(std::string device) : device_(std::move(device)) {}

SerialPort::~SerialPort() { close(); }

bool SerialPort::open() {
    close();
    const int fd = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    if (!isatty(fd) || !apply_line_settings(fd)) {
        ::close(fd);
        return false;
    }
    // Not shared: nobody else may open the line while the panel holds it.
    (void)ioctl(fd, TIOCEXCL);
    fd_ = fd;
    return true;
}

void SerialPort::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool SerialPort::reopen() { return open(); }

void SerialPort::drop_if_vanished(int err) {
    if (err == EIO || err == ENXIO || err == ENODEV) close();
}

long SerialPort::read_some(std::uint8_t* buf, std::size_t max) {
    if (fd_ < 0) return -1;
    std::size_t got = 0;
    // One read may return only part of what is buffered; keep going until
    // the driver has nothing more right now.
    while (got < max) {
        const ssize_t r = ::read(fd_, buf + got, max - got);
        if (r > 0) {
            got += static_cast<std::size_t>(r);
            continue;
        }
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            drop_if_vanished(errno);
            return got > 0 ? static_cast<long>(got) : -1;
        }
        break;  // 0 (nothing there, or a hung-up line) or EAGAIN
    }
    return static_cast<long>(got);
}

long SerialPort::write_all(const std::uint8_t* buf, std::size_t n) {
    if (fd_ < 0) return -1;
    std::size_t done = 0;
    while (done < n) {
        const ssize_t w = ::write(fd_, buf + done, n - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // The port is non-blocking for reads; a full output queue waits
            // until the driver drains it (no timeout on writes).
            (void)tcdrain(fd_);
            continue;
        }
        if (w < 0) drop_if_vanished(errno);
        return done > 0 ? static_cast<long>(done) : -1;
    }
    return static_cast<long>(done);
}

std::size_t SerialPort::pending_input() const {
    int n = 0;
    if (fd_ < 0 || ioctl(fd_, FIONREAD, &n) != 0 || n < 0) return 0;
    return static_cast<std::size_t>(n);
}

void SerialPort::purge() {
    if (fd_ >= 0) (void)tcflush(fd_, TCIOFLUSH);
}

}  // namespace dryer::platform
