#include "platform/auto_reset_event.h"

namespace dryer::platform {

void AutoResetEvent::set() {
    {
        std::lock_guard lock(m_);
        signalled_ = true;
    }
    cv_.notify_one();
}

bool AutoResetEvent::wait(std::stop_token stop, std::optional<std::chrono::milliseconds> timeout) {
    std::unique_lock lock(m_);
    const auto ready = [this] { return signalled_; };
    const bool got = timeout ? cv_.wait_for(lock, stop, *timeout, ready) : cv_.wait(lock, stop, ready);
    if (!got) return false;
    signalled_ = false;
    return true;
}

bool AutoResetEvent::signalled() const {
    std::lock_guard lock(m_);
    return signalled_;
}

}  // namespace dryer::platform
