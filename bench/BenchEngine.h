#pragma once

#include "engine/RandomSource.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

// What the benchmarks below the windows share: the engine's draws from a fixed seed, so that two runs take the same
// turns and compare, and the run of every registered case.

class BenchRandom final : public RandomSource {
public:
    explicit BenchRandom(std::uint64_t seed) : m_gen(seed) {}
    double next() override { return m_dist(m_gen); }

private:
    std::mt19937_64 m_gen;
    std::uniform_real_distribution<double> m_dist{0.0, 1.0};
};

// Called once the application object exists, which the cases need for Qt's text and file classes.
inline int runBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
