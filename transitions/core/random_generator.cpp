#include "transitions/core/random_generator.h"

#include <atomic>

namespace transitions {

namespace {

// Several animation threads may draw at once; each draw is one atomic step of the seed.
std::atomic<std::uint32_t> g_seed{0};

} // namespace

int Random(int n)
{
    std::uint32_t seed = g_seed.load(std::memory_order_relaxed);
    LinearCongruential step(seed);
    int value = step.next(n);
    while (!g_seed.compare_exchange_weak(seed, step.seed(), std::memory_order_relaxed)) {
        step.setSeed(seed);
        value = step.next(n);
    }
    return value;
}

std::uint32_t RandSeed()
{
    return g_seed.load(std::memory_order_relaxed);
}

void setRandSeed(std::uint32_t seed)
{
    g_seed.store(seed, std::memory_order_relaxed);
}

} // namespace transitions
