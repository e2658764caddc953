#include "Clock.h"

#include <ctime>

namespace platform {
namespace {
std::optional<DateTime>& fixed() {
    static std::optional<DateTime> v;
    return v;
}
} // namespace

DateTime Now() {
    if (fixed())
        return *fixed();
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return DateTime{
        tm.tm_year + 1900,        tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
        static_cast<long long>(t)};
}

void SetFixedNow(std::optional<DateTime> value) {
    fixed() = value;
}

DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    return DateTime{year, month, day, hour, minute, second, static_cast<long long>(t)};
}

} // namespace platform
