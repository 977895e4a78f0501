#pragma once
// Small deterministic random source (splitmix64). The standard distributions differ between
// library implementations; this one gives the same noise for the same seed everywhere.

#include <cstdint>

namespace chartgen {

class Prng {
public:
    explicit Prng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double uniform(double lo, double hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return n <= 0 ? 0 : int(next() % std::uint64_t(n)); }
    // Approximately normal (sum of four uniforms), mean 0, standard deviation 1.
    double gauss() { return (unit() + unit() + unit() + unit() - 2.0) * 1.7320508075688772; }

private:
    std::uint64_t state_;
};

} // namespace chartgen
