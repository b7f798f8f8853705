// Helpers for the link tests: status frames with valid check bytes, a
// recording shutdown sink, and a pseudo-terminal whose controller side the
// test plays.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "link/crc.h"
#include "link/frames.h"
#include "link/link_state.h"

namespace dryer::link::test {

// A status frame; seal() writes its check bytes.
struct Frame {
    StatusFrame bytes{};
    // A frame equal to the current status image of state.
    static Frame of(const LinkState& s) {
        Frame f;
        for (std::size_t k = 0; k < kPayloadSize; ++k) f.bytes[k] = s.status.get(k);
        return f;
    }
    Frame& set(std::size_t at, std::uint8_t v) {
        bytes[at] = v;
        return *this;
    }
    Frame& set2(std::size_t at, std::uint8_t a, std::uint8_t b) { return set(at, a).set(at + 1, b); }
    const StatusFrame& seal() {
        crc_append(bytes.data(), kPayloadSize);
        return bytes;
    }
};

struct RecordingSink : ShutdownSink {
    std::vector<std::pair<int, int>> records;  // (node, warning)
    void record_shutdown(std::uint8_t node, std::uint8_t warning) override { records.emplace_back(node, warning); }
};

// The controller's side of a pseudo-terminal. The panel opens `path`, a
// symlink to the terminal's device, so a test can make the "device" vanish
// and come back under the same name.
class Pty {
public:
    explicit Pty(std::filesystem::path link) : link_(std::move(link)) { open_new(); }
    ~Pty() {
        close_master();
        std::error_code ec;
        std::filesystem::remove(link_, ec);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    const std::string path() const { return link_.string(); }

    // Opens a fresh terminal and points the symlink at it.
    void open_new() {
        close_master();
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
        std::error_code ec;
        std::filesystem::remove(link_, ec);
        std::filesystem::create_symlink(ptsname(master_), link_);
    }
    void close_master() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }
    bool ok() const { return master_ >= 0; }

    void send(const std::uint8_t* data, std::size_t n) const {
        std::size_t done = 0;
        while (done < n) {
            const ssize_t w = ::write(master_, data + done, n - done);
            if (w > 0) done += static_cast<std::size_t>(w);
        }
    }
    void send(const StatusFrame& f) const { send(f.data(), f.size()); }

    // Reads until n bytes came or the time is up; returns what came.
    std::vector<std::uint8_t> receive(std::size_t n, std::chrono::milliseconds limit = std::chrono::seconds(5)) const {
        std::vector<std::uint8_t> out;
        const auto end = std::chrono::steady_clock::now() + limit;
        while (out.size() < n && std::chrono::steady_clock::now() < end) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 10) <= 0) continue;
            std::uint8_t buf[512];
            const ssize_t r = ::read(master_, buf, std::min(sizeof buf, n - out.size()));
            if (r > 0) out.insert(out.end(), buf, buf + r);
        }
        return out;
    }
    // Returns whatever arrives within a short quiet period.
    std::vector<std::uint8_t> drain() const {
        std::vector<std::uint8_t> out;
        for (;;) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0) return out;
            std::uint8_t buf[512];
            const ssize_t r = ::read(master_, buf, sizeof buf);
            if (r <= 0) return out;
            out.insert(out.end(), buf, buf + r);
        }
    }

private:
    std::filesystem::path link_;
    int master_ = -1;
};

// Waits (briefly) until the port has at least n bytes waiting: a pty hands
// written bytes to the other side asynchronously.
template <class Port> bool wait_input(const Port& port, std::size_t n) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (port.pending_input() < n) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline std::filesystem::path temp_link(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("dryer-link-" + name + "-" + std::to_string(::getpid()));
}

inline const std::vector<std::uint8_t> kIdle = {0x07, 0x00, 0x00, 0x00, 0x00, 0x91, 0xC0};
inline const std::vector<std::uint8_t> kLinkLost = {0x06, 0x00, 0x02, 0x10};

}  // namespace dryer::link::test
