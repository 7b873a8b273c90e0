#pragma once

#include <cstdint>

namespace cardwise {

struct TimeOfDay {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int milliseconds = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The calendar date as yyyymmdd.
    virtual std::int32_t today() const = 0;
    virtual TimeOfDay timeOfDay() const = 0;
};

class SystemClock final : public Clock {
public:
    std::int32_t today() const override;
    TimeOfDay timeOfDay() const override;
};

// Builds yyyymmdd from its parts.
constexpr std::int32_t makeDate(int year, int month, int day) {
    return year * 10000 + month * 100 + day;
}

}  // namespace cardwise
