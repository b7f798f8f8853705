#include "platform/clock_setter.h"

#include <fcntl.h>
#include <linux/rtc.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <cerrno>
#include <cstring>

#include "platform/file_io.h"

namespace dryer::platform {
namespace {

constexpr const char* kService = "org.freedesktop.timedate1";
constexpr const char* kPath = "/org/freedesktop/timedate1";
// Short enough that a slow time service never holds the user-interface
// thread near the service watchdog's limit.
constexpr int kCallTimeoutMs = 4000;

enum class BusAnswer { done, unavailable, refused };

struct BusResult {
    BusAnswer answer = BusAnswer::unavailable;
    ClockResult result;
};

// Errors that mean "no time service here" rather than "the service said no".
bool service_missing(const QString& name) {
    return name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
           name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
           name == QLatin1String("org.freedesktop.DBus.Error.NoServer") ||
           name == QLatin1String("org.freedesktop.DBus.Error.Disconnected") ||
           name == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
           name == QLatin1String("org.freedesktop.DBus.Error.UnknownObject") ||
           name.startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn"));
}

bool permission_refused(const QString& name) {
    return name == QLatin1String("org.freedesktop.DBus.Error.AccessDenied") ||
           name == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired") ||
           name.startsWith(QLatin1String("org.freedesktop.PolicyKit1.Error"));
}

BusResult set_by_time_service(std::int64_t seconds) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return {};
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kService), QLatin1String(kPath),
                                                       QLatin1String(kService), QStringLiteral("SetTime"));
    // usec_utc, relative = false, interactive = false (nobody answers a
    // password prompt on the panel).
    call << static_cast<qlonglong>(seconds * 1'000'000) << false << false;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) return {BusAnswer::done, {ClockOutcome::set, {}}};
    const QString name = reply.errorName();
    const std::string detail = (name + QLatin1String(": ") + reply.errorMessage()).toStdString();
    if (service_missing(name)) return {BusAnswer::unavailable, {ClockOutcome::failed, detail}};
    if (permission_refused(name)) return {BusAnswer::refused, {ClockOutcome::not_permitted, detail}};
    if (name == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"))
        return {BusAnswer::refused, {ClockOutcome::automatic_sync, detail}};
    return {BusAnswer::refused, {ClockOutcome::failed, detail}};
}

// Sets the system clock, then the hardware clock (kept in UTC).
ClockResult set_directly(std::int64_t seconds) {
    const timespec ts{static_cast<time_t>(seconds), 0};
    if (::clock_settime(CLOCK_REALTIME, &ts) != 0) {
        const int e = errno;
        const ClockOutcome o = (e == EPERM || e == EACCES) ? ClockOutcome::not_permitted : ClockOutcome::failed;
        return {o, std::string("clock_settime: ") + std::strerror(e)};
    }
    const time_t t = static_cast<time_t>(seconds);
    struct tm utc {};
    if (!::gmtime_r(&t, &utc)) return {ClockOutcome::set_without_rtc, "gmtime_r failed"};
    UniqueFd rtc(::open("/dev/rtc0", O_RDONLY | O_CLOEXEC));
    if (rtc.get() < 0) return {ClockOutcome::set_without_rtc, std::string("/dev/rtc0: ") + std::strerror(errno)};
    rtc_time r{};
    r.tm_sec = utc.tm_sec;
    r.tm_min = utc.tm_min;
    r.tm_hour = utc.tm_hour;
    r.tm_mday = utc.tm_mday;
    r.tm_mon = utc.tm_mon;
    r.tm_year = utc.tm_year;
    r.tm_wday = utc.tm_wday;
    r.tm_yday = utc.tm_yday;
    r.tm_isdst = 0;
    if (::ioctl(rtc.get(), RTC_SET_TIME, &r) != 0)
        return {ClockOutcome::set_without_rtc, std::string("RTC_SET_TIME: ") + std::strerror(errno)};
    return {ClockOutcome::set, {}};
}

}  // namespace

std::optional<std::int64_t> epoch_of_local_time(const LocalTime& t) {
    struct tm fields {};
    fields.tm_year = t.year - 1900;
    fields.tm_mon = t.month - 1;
    fields.tm_mday = t.day;
    fields.tm_hour = t.hour;
    fields.tm_min = t.minute;
    fields.tm_sec = t.second;
    fields.tm_isdst = -1;
    struct tm wanted = fields;
    errno = 0;
    const time_t s = ::mktime(&fields);
    if (s == static_cast<time_t>(-1) && errno != 0) return std::nullopt;
    // mktime normalises (31 February becomes 3 March): a local time that
    // does not come back field for field does not exist.
    if (fields.tm_year != wanted.tm_year || fields.tm_mon != wanted.tm_mon || fields.tm_mday != wanted.tm_mday ||
        fields.tm_hour != wanted.tm_hour || fields.tm_min != wanted.tm_min || fields.tm_sec != wanted.tm_sec)
        return std::nullopt;
    return static_cast<std::int64_t>(s);
}

ClockResult set_local_clock(const LocalTime& t) {
    const std::optional<std::int64_t> seconds = epoch_of_local_time(t);
    if (!seconds) return {ClockOutcome::invalid_time, "no such local time"};
    BusResult bus = set_by_time_service(*seconds);
    if (bus.answer != BusAnswer::unavailable) return bus.result;
    return set_directly(*seconds);
}

}  // namespace dryer::platform
