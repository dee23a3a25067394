#include "RandomSource.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cmath>

int drawIndex(RandomSource& random, int n) {
    if (n <= 1)
        return 0;
    const double r = random.next();
    if (!(r >= 0.0))
        return 0;
    return std::min(n - 1, static_cast<int>(std::floor(r * n)));
}

double SystemRandom::next() { return QRandomGenerator::global()->generateDouble(); }
