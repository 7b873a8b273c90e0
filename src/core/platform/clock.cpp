#include "core/platform/clock.h"

#include <chrono>
#include <ctime>

namespace cardwise {

std::int32_t SystemClock::today() const {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return makeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

TimeOfDay SystemClock::timeOfDay() const {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ms)};
}

}  // namespace cardwise
