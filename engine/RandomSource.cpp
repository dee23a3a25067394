#include "engine/RandomSource.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

int drawIndex(RandomSource& random, int n) {
    const double r = random.next();
    if (n <= 1 || !(r >= 0.0))
        return 0;
    return std::min(n - 1, static_cast<int>(std::floor(r * n)));
}

double SystemRandom::next() {
    return QRandomGenerator::global()->generateDouble();
}
