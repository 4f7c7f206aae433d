#pragma once
// The pseudo-random numbers of the random transition styles: a 32-bit linear congruential
// generator, seed <- seed * 134775813 + 1 (mod 2^32), Random(n) = high 32 bits of seed * n.
// One generator serves the whole process and is never seeded from the clock, so a run of
// the program draws the same patterns every time.
#include <cstdint>

namespace transitions {

class LinearCongruential {
public:
    explicit LinearCongruential(std::uint32_t seed = 0) : m_seed(seed) {}

    // A uniform integer in 0..n-1; 0 when n <= 0. Every call advances the seed.
    int next(int n)
    {
        m_seed = m_seed * 134775813u + 1u;
        if (n <= 0)
            return 0;
        return int((std::uint64_t(m_seed) * std::uint32_t(n)) >> 32);
    }
    std::uint32_t seed() const { return m_seed; }
    void setSeed(std::uint32_t seed) { m_seed = seed; }

private:
    std::uint32_t m_seed;
};

// The process-wide generator: the seed is 0 when the program starts.
int Random(int n);
std::uint32_t RandSeed();
void setRandSeed(std::uint32_t seed);

} // namespace transitions
