#pragma once
// A small deterministic random source (SplitMix64): the same seed gives the same sequence on
// every machine and library, which std::uniform_int_distribution does not promise.
#include <cstdint>

namespace bench::generator {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A number in [0, bound); bound > 0.
    std::uint32_t Below(std::uint32_t bound) {
        return static_cast<std::uint32_t>((Next() >> 32) * bound >> 32);
    }
    // True with the given probability (0 to 1).
    bool Chance(double probability) {
        return static_cast<double>(Next() >> 11) * 0x1.0p-53 < probability;
    }

private:
    std::uint64_t state_;
};

}  // namespace bench::generator
