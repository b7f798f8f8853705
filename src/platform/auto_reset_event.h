// An auto-reset event: set() signals it, a successful wait consumes the
// signal. Setting an event that is already signalled leaves it signalled
// once (safe, unlike releasing a full std::binary_semaphore).
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stop_token>

namespace dryer::platform {

class AutoResetEvent {
public:
    // set() signals the event and wake one waiter; signalling a
    // signalled event changes nothing.
    void set();

    // wait() returns true once the event is signalled, consuming the
    // signal; it returns false when the timeout (if any) passes first or
    // stop is requested on the token.
    bool wait(std::stop_token stop = {}, std::optional<std::chrono::milliseconds> timeout = std::nullopt);

    // signalled() returns whether a signal is pending (for tests).
    bool signalled() const;

private:
    mutable std::mutex m_;
    std::condition_variable_any cv_;
    bool signalled_ = false;
};

}  // namespace dryer::platform
