#pragma once
// The program's idea of "now". Month rules depend on today's date, so tests can fix it.

#include <optional>

namespace platform {

struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    long long epochSeconds = 0; // seconds since 1970-01-01 UTC
};

// Local date and time: the fixed value when one is set, else the system clock.
DateTime Now();

// Fixes the clock to the given local time (tests); std::nullopt restores the system clock.
void SetFixedNow(std::optional<DateTime> value);

// The clock fixed while this lives (tests), the system clock again after it, even when a
// test stops early.
class ScopedFixedNow {
public:
    explicit ScopedFixedNow(const DateTime& value) { SetFixedNow(value); }
    ~ScopedFixedNow() { SetFixedNow(std::nullopt); }
    ScopedFixedNow(const ScopedFixedNow&) = delete;
    ScopedFixedNow& operator=(const ScopedFixedNow&) = delete;
    void Set(const DateTime& value) { SetFixedNow(value); }
};

// Builds a DateTime for a local calendar time, filling epochSeconds.
DateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

} // namespace platform
