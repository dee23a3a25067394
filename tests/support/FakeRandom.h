#pragma once

#include "engine/RandomSource.h"

#include <QList>
#include <QtTest/QTest>

// Hands out scripted draws in order. Running dry is a fault of the test: it fails the test that is running, there
// and then, and the draw is answered with 0 so that the program under test goes on to the end of its step.
class FakeRandom final : public RandomSource {
public:
    FakeRandom() = default;
    FakeRandom(std::initializer_list<double> draws) : m_draws(draws) {}

    void push(double r) { m_draws.append(r); }
    // Drops the draws still scripted, for a test that scripts its own after the start.
    void clear() { m_draws.clear(); }
    // A draw that picks choice `index` (0-based) among `n`.
    void pick(int index, int n) { m_draws.append((index + 0.5) / n); }
    double next() override {
        ++m_used;
        if (m_draws.isEmpty()) {
            m_ranDry = true;
            const QByteArray message = "FakeRandom ran dry: draw " + QByteArray::number(m_used) +
                                       " was not scripted; script every draw the step takes";
            QTest::qFail(message.constData(), __FILE__, __LINE__);
            return 0.0;
        }
        return m_draws.takeFirst();
    }
    qsizetype remaining() const { return m_draws.size(); }
    int used() const { return m_used; }
    bool ranDry() const { return m_ranDry; }

private:
    QList<double> m_draws;
    int m_used = 0;
    bool m_ranDry = false;
};
