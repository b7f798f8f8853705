// The watchdog feed on a real notification socket, as systemd's: "ready" and
// "alive" arrive while the event loop runs, and stop while it is blocked.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/service_notify.h"
#include "shell/service_watchdog.h"
#include "tests/support/temp_root.h"

namespace {

using namespace std::chrono_literals;

// The service manager's end: a datagram socket named by $NOTIFY_SOCKET.
class NotifySocket {
public:
    explicit NotifySocket(const std::filesystem::path& path) {
        fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        path.native().copy(addr.sun_path, sizeof addr.sun_path - 1);
        ok_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        setenv("NOTIFY_SOCKET", path.c_str(), 1);
    }
    ~NotifySocket() {
        unsetenv("NOTIFY_SOCKET");
        if (fd_ >= 0) ::close(fd_);
    }
    bool ok() const { return ok_; }
    // Every message that has arrived, without waiting.
    std::vector<std::string> take() {
        std::vector<std::string> got;
        char buf[256];
        for (ssize_t n; (n = ::recv(fd_, buf, sizeof buf, 0)) > 0;) got.emplace_back(buf, static_cast<size_t>(n));
        return got;
    }

private:
    int fd_ = -1;
    bool ok_ = false;
};

int count(const std::vector<std::string>& all, const std::string& what) {
    int n = 0;
    for (const auto& m : all) n += m == what;
    return n;
}

// Runs the event loop until `enough` holds for what arrived (or a generous
// deadline passes, which fails the test's expectations, not a timing one).
std::vector<std::string> run_loop_until(NotifySocket& socket, bool (*enough)(const std::vector<std::string>&)) {
    std::vector<std::string> got;
    const QDeadlineTimer deadline(60s);
    while (!enough(got) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        for (auto& m : socket.take()) got.push_back(std::move(m));
    }
    return got;
}

TEST(ServiceWatchdog, pings_while_the_loop_runs_and_stop_while_it_is_blocked) {
    if (!dryer::platform::service_notify_built()) GTEST_SKIP() << "built without libsystemd: nothing is sent";
    dryer::test_support::TempRoot dir(false);
    NotifySocket socket(dir.path() / "notify");
    ASSERT_TRUE(socket.ok());

    dryer::shell::ServiceWatchdog feed(20ms);
    feed.start();
    const auto started = run_loop_until(socket, [](const auto& got) { return count(got, "WATCHDOG=1") >= 3; });
    ASSERT_GE(started.size(), 2u);
    EXPECT_EQ(started.front(), "READY=1");
    EXPECT_EQ(count(started, "READY=1"), 1);
    EXPECT_GE(count(started, "WATCHDOG=1"), 3);

    // A hung user-interface thread: many periods pass without the loop.
    socket.take();
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(socket.take().empty());

    const auto resumed = run_loop_until(socket, [](const auto& got) { return count(got, "WATCHDOG=1") >= 1; });
    EXPECT_GE(count(resumed, "WATCHDOG=1"), 1);
    EXPECT_EQ(count(resumed, "READY=1"), 0);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
