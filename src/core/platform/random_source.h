#pragma once

#include <random>

#include "core/platform/clock.h"

namespace cardwise {

// Uniform reals in [0, 1), reseeded from the time of day as the selector asks.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double uniform() = 0;
    virtual void reseed(const TimeOfDay& time) = 0;
};

class StdRandomSource final : public RandomSource {
public:
    double uniform() override;
    void reseed(const TimeOfDay& time) override;

private:
    std::mt19937 engine_{std::random_device{}()};
};

}  // namespace cardwise
