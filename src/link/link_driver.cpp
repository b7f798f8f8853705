#include "link/link_driver.h"

#include <atomic>
#include <memory>

#include "link/link_cycle.h"
#include "platform/serial_port.h"

namespace dryer::link {
namespace {

// The panel's port and driver; they live until the process ends.
struct PanelLink {
    explicit PanelLink(const std::string& device) : port(device), driver(link_state(), port) {}
    platform::SerialPort port;
    LinkDriver driver;
};

std::atomic<LinkDriver*> g_driver{nullptr};

struct PanelLinkDeleter {
    void operator()(PanelLink* p) const {
        g_driver.store(nullptr, std::memory_order_release);
        delete p;
    }
};

}  // namespace

bool open_link(const std::string& device) {
    // The state is constructed first so that it outlives the thread.
    (void)link_state();
    static std::unique_ptr<PanelLink, PanelLinkDeleter> panel;
    if (panel) return true;
    auto candidate = std::unique_ptr<PanelLink, PanelLinkDeleter>(new PanelLink(device));
    // The thread runs even when the device is not there yet (a USB adapter
    // plugged in after start-up): it tries to open it every few seconds, as
    // it does for a device that vanishes, while the link reads as lost.
    const bool opened = candidate->port.open();
    candidate->driver.start();
    panel = std::move(candidate);
    g_driver.store(&panel->driver, std::memory_order_release);
    return opened;
}

LinkDriver* panel_link_driver() { return g_driver.load(std::memory_order_acquire); }

bool link_alive() { return load(link_state().link_alive) > 0; }

void request_link_lost_reply() { store(link_state().link_lost_request, std::uint8_t{1}); }

void link_cycle_tick() {
    if (LinkDriver* d = g_driver.load(std::memory_order_acquire)) {
        d->cycle_tick();
    } else {
        (void)link_cycle_tick_on(link_state());
    }
}

void link_second_tick() { link_second_tick_on(link_state()); }

}  // namespace dryer::link
