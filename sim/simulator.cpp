#include "sim/simulator.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace dryer::sim {
namespace {

std::uint64_t now_ms() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

constexpr int kReopenMs = 2000;
constexpr int kMaxWaitMs = 50;

}  // namespace

Simulator::Simulator(PeerOptions options) : log_(options.log), peer_(std::move(options)) {}

Simulator::~Simulator() { stop(); }

void Simulator::log(const std::string& line) {
    if (log_) log_(line);
}

std::string Simulator::start_pty(std::string* error) {
    if (serving()) {
        if (error) *error = "already serving";
        return {};
    }
    if (!open_pty_pair(pty_, error)) return {};
    const int master = pty_.master;
    if (!launch(master)) {
        if (error) *error = "cannot start the serving thread";
        close_pty_pair(pty_);
        return {};
    }
    return pty_.path;
}

bool Simulator::start_port(const std::string& device, std::string* error) {
    if (serving()) {
        if (error) *error = "already serving";
        return false;
    }
    const int fd = open_serial_port(device, error);
    if (fd < 0) return false;
    device_ = device;
    if (!launch(fd)) {
        ::close(fd);
        if (error) *error = "cannot start the serving thread";
        return false;
    }
    return true;
}

bool Simulator::start_fd(int fd) {
    if (serving() || fd < 0) return false;
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    if (!launch(fd)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool Simulator::launch(int fd) {
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    fd_ = fd;
    stop_.store(false);
    thread_ = std::thread([this] { serve(); });
    return true;
}

void Simulator::stop() {
    if (!thread_.joinable()) return;
    stop_.store(true);
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(wake_[1], &byte, 1);
    thread_.join();
    if (pty_.master >= 0) {
        close_pty_pair(pty_);  // fd_ was the master
    } else if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    ::close(wake_[0]);
    ::close(wake_[1]);
    wake_[0] = wake_[1] = -1;
}

bool Simulator::reopen() {
    std::string error;
    const int fd = open_serial_port(device_, &error);
    if (fd < 0) return false;
    fd_ = fd;
    log("serial device " + device_ + " is back");
    return true;
}

void Simulator::serve() {
    std::uint8_t buf[512];
    std::uint64_t next_reopen = 0;
    while (!stop_.load()) {
        const std::uint64_t now = now_ms();
        int wait = kMaxWaitMs;
        if (fd_ >= 0) {
            std::lock_guard lock(mutex_);
            const std::uint64_t deadline = peer_.next_deadline();
            wait = deadline <= now ? 0 : static_cast<int>(std::min<std::uint64_t>(deadline - now, kMaxWaitMs));
        } else if (now >= next_reopen) {
            next_reopen = now + kReopenMs;
            if (!device_.empty() && reopen()) continue;
        }
        pollfd fds[2] = {{wake_[0], POLLIN, 0}, {fd_, POLLIN, 0}};
        const int nfds = fd_ >= 0 ? 2 : 1;
        if (::poll(fds, static_cast<nfds_t>(nfds), wait) < 0 && errno != EINTR) break;
        if (fds[0].revents & POLLIN) {
            while (::read(wake_[0], buf, sizeof buf) > 0) {
            }
        }
        bool vanished = false;
        if (fd_ >= 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            bool any = false;
            for (;;) {
                const ssize_t got = ::read(fd_, buf, sizeof buf);
                if (got > 0) {
                    any = true;
                    std::lock_guard lock(mutex_);
                    peer_.receive(buf, static_cast<std::size_t>(got), now_ms());
                    continue;
                }
                if (got < 0 && line_vanished(errno) && pty_.master < 0) vanished = true;
                break;
            }
            // A hung-up line that reads nothing would wake poll() at once
            // forever: a serial device is reopened, a pseudo-terminal waits.
            if (!any && (fds[1].revents & (POLLHUP | POLLERR))) {
                if (pty_.master < 0) vanished = true;
                else std::this_thread::sleep_for(std::chrono::milliseconds(kMaxWaitMs));
            }
        }
        std::vector<std::uint8_t> out;
        {
            std::lock_guard lock(mutex_);
            out = peer_.poll(now_ms());
        }
        if (fd_ >= 0 && !out.empty() && !vanished) {
            std::size_t at = 0;
            while (at < out.size()) {
                const ssize_t put = ::write(fd_, out.data() + at, out.size() - at);
                if (put <= 0) {
                    // A full line drops the rest of the frame: the panel
                    // discards a partial frame anyway.
                    if (put < 0 && line_vanished(errno) && pty_.master < 0) vanished = true;
                    break;
                }
                at += static_cast<std::size_t>(put);
            }
        }
        if (vanished) {
            log("serial device " + device_ + " vanished; retrying every 2 s");
            ::close(fd_);
            fd_ = -1;
            next_reopen = now_ms() + kReopenMs;
        }
    }
}

Image Simulator::snapshot() const {
    std::lock_guard lock(mutex_);
    return peer_.plant().image();
}

PeerStats Simulator::stats() const {
    std::lock_guard lock(mutex_);
    return peer_.stats();
}

void Simulator::post(const Action& action) {
    std::lock_guard lock(mutex_);
    peer_.post(action);
}

void Simulator::refuse(std::size_t offset, bool on) {
    std::lock_guard lock(mutex_);
    peer_.refuse(offset, on);
}

}  // namespace dryer::sim
