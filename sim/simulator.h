// The stand-in as a service: a Peer served on its own thread over a
// pseudo-terminal pair, a serial device or any open descriptor. The panel's
// demo starts one inside its process; the dryer-sim program wraps one; the
// end-to-end tests talk to one through a real pseudo-terminal.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "sim/line.h"
#include "sim/peer.h"

namespace dryer::sim {

class Simulator {
public:
    explicit Simulator(PeerOptions options);
    ~Simulator();  // stops serving
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // start_pty() creates a pseudo-terminal pair, serve it on a new
    // thread and return the path the panel should open; an empty string with
    // the reason in *error when the pair cannot be made or already serving.
    std::string start_pty(std::string* error = nullptr);

    // start_port() opens the serial device with the panel's line
    // settings and serve it on a new thread, reopening it every two seconds
    // after it vanishes; false with the reason in *error when the first open
    // fails or already serving.
    bool start_port(const std::string& device, std::string* error = nullptr);

    // start_fd() serves an open descriptor (made non-blocking here) and
    // close it when stopped; false when already serving or fd < 0.
    bool start_fd(int fd);

    // stop() ends the serving thread and close what it opened. Safe to
    // call more than once, from any thread but the serving one.
    void stop();

    bool serving() const { return thread_.joinable(); }

    // From any thread, while serving or not:
    Image snapshot() const;                   // the status image the next frame carries
    PeerStats stats() const;
    void post(const Action& action);          // at_ms from now, plant time
    void refuse(std::size_t offset, bool on);

private:
    bool launch(int fd);
    void serve();
    bool reopen();
    void log(const std::string& line);

    std::function<void(const std::string&)> log_;
    mutable std::mutex mutex_;  // guards peer_
    Peer peer_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    int wake_[2] = {-1, -1};
    int fd_ = -1;           // the served descriptor (serving thread only once started)
    PtyPair pty_;
    std::string device_;    // for reopening a serial device
};

}  // namespace dryer::sim
