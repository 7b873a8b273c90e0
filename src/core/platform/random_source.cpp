#include "core/platform/random_source.h"

namespace cardwise {

double StdRandomSource::uniform() {
    // generate_canonical may round up to 1.0 with some libraries; keep the half-open range.
    double u = std::generate_canonical<double, 53>(engine_);
    return u < 1.0 ? u : 0.0;
}

void StdRandomSource::reseed(const TimeOfDay& time) {
    // Reseeding several times within one millisecond must not repeat the sequence, so the
    // time is mixed into the running state instead of replacing it.
    std::seed_seq seq{static_cast<unsigned>(time.hours), static_cast<unsigned>(time.minutes),
                      static_cast<unsigned>(time.seconds),
                      static_cast<unsigned>(time.milliseconds),
                      static_cast<unsigned>(engine_())};
    engine_.seed(seq);
}

}  // namespace cardwise
