#pragma once

// Every random choice of the program goes through here, so that tests can script the draws.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform real in [0, 1).
    virtual double next() = 0;
};

// floor(r * n) as a 0-based choice among n things (n >= 1). Every choice takes one draw, even among one thing,
// so that a scripted sequence of draws means the same whatever the counts. A source that misbehaves cannot push
// the choice out of range.
int drawIndex(RandomSource& random, int n);

// The program's generator: seeded from the system's entropy once, never from a fixed value.
class SystemRandom final : public RandomSource {
public:
    double next() override;
};
