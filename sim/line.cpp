#include "sim/line.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include "platform/serial_port.h"

namespace dryer::sim {
namespace {

bool fail(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
    return false;
}

}  // namespace

bool open_pty_pair(PtyPair& pair, std::string* error) {
    pair = PtyPair{};
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0) return fail(error, "posix_openpt");
    char name[128];
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
        fail(error, "pseudo-terminal setup");
        ::close(master);
        return false;
    }
    const int keeper = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (keeper < 0) {
        fail(error, std::string("open ") + name);
        ::close(master);
        return false;
    }
    // Raw on the panel's side: no echo of our frames back to us, no line
    // editing, every byte value passes.
    termios tio{};
    if (tcgetattr(keeper, &tio) == 0) {
        cfmakeraw(&tio);
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        tcsetattr(keeper, TCSANOW, &tio);
    }
    if (tcgetattr(master, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(master, TCSANOW, &tio);
    }
    pair.master = master;
    pair.keeper = keeper;
    pair.path = name;
    return true;
}

void close_pty_pair(PtyPair& pair) {
    if (pair.master >= 0) ::close(pair.master);
    if (pair.keeper >= 0) ::close(pair.keeper);
    pair = PtyPair{};
}

int open_serial_port(const std::string& device, std::string* error) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        fail(error, "open " + device);
        return -1;
    }
    // The panel's own line settings: 38400 8E1 raw with parity checking.
    if (!isatty(fd) || !platform::apply_line_settings(fd)) {
        errno = isatty(fd) ? errno : ENOTTY;
        fail(error, "line settings of " + device);
        ::close(fd);
        return -1;
    }
    tcflush(fd, TCIOFLUSH);
    return fd;
}

bool line_vanished(int err) { return err == EIO || err == ENXIO || err == ENODEV || err == EBADF; }

}  // namespace dryer::sim
