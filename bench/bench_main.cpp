// Full-size figures: one turn over 16,383 answer pairs and 16,383 synonym pairs, and loading three bases of
// 32,767 lines each. Run: build/release/bench/talkomat_bench
#include "Bases.h"
#include "Clock.h"
#include "EngineIndex.h"
#include "Options.h"
#include "RandomSource.h"
#include "TextFile.h"
#include "Turn.h"
#include "Variables.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

class BenchRandom final : public RandomSource {
public:
    double next() override { return m_dist(m_gen); }

private:
    std::mt19937_64 m_gen{12345};
    std::uniform_real_distribution<double> m_dist{0.0, 1.0};
};

struct Corpus {
    QStringList vocabulary;
    QStringList answers;
    QStringList synonyms;
    QStringList questions;
    QStringList phrases;
};

// About 20,000 distinct Cyrillic words; a skewed draw makes some words common, as in real speech.
const Corpus& corpus() {
    static const Corpus c = [] {
        Corpus out;
        std::mt19937 gen(2026);
        const QString letters = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
        std::uniform_int_distribution<int> letter(0, int(letters.size()) - 1);
        std::uniform_int_distribution<int> length(3, 10);
        QSet<QString> seen;
        while (out.vocabulary.size() < 20000) {
            QString w;
            const int n = length(gen);
            for (int i = 0; i < n; ++i)
                w += letters.at(letter(gen));
            if (!seen.contains(w)) {
                seen.insert(w);
                out.vocabulary.append(w);
            }
        }
        std::uniform_int_distribution<int> word(0, int(out.vocabulary.size()) - 1);
        auto upper = [&](int i) { return out.vocabulary.at(i).toUpper(); };
        std::uniform_int_distribution<int> keys(1, 4);
        for (int k = 0; k < 16383; ++k) {
            QString line;
            const int n = keys(gen);
            for (int i = 0; i < n; ++i)
                line += upper(word(gen)) + QLatin1Char(' ');
            out.answers << line << QStringLiteral("Ответ номер %1.").arg(k);
        }
        for (int k = 0; k < 16383; ++k)
            out.synonyms << QLatin1Char(' ') + upper(word(gen)) + QLatin1Char(' ')
                         << QLatin1Char(' ') + upper(word(gen)) + QLatin1Char(' ');
        for (int k = 0; k < 500; ++k)
            out.questions << QStringLiteral("Вопрос номер %1?").arg(k);
        std::uniform_int_distribution<int> phraseLength(5, 12);
        for (int k = 0; k < 1000; ++k) {
            QStringList words;
            const int n = phraseLength(gen);
            for (int i = 0; i < n; ++i)
                words << out.vocabulary.at(word(gen));
            out.phrases << words.join(QLatin1Char(' '));
        }
        return out;
    }();
    return c;
}

void fill(Variables& v) {
    const Corpus& c = corpus();
    v.Alphabet = Options::defaultAlphabet();
    v.HumanName = QStringLiteral("Человек");
    v.ShortPhraseLimit = OptionValue::fromText(QStringLiteral(" 7 "));
    v.AnswerBase = c.answers;
    v.AnswerCount = qint16(v.AnswerBase.size());
    v.SynonymBase = c.synonyms;
    v.SynonymCount = qint16(v.SynonymBase.size());
    v.QuestionBase = c.questions;
    v.QuestionCount = qint16(v.QuestionBase.size());
}

void BM_ProcessPhrase(benchmark::State& state) {
    Variables v;
    fill(v);
    BenchRandom random;
    SystemClock clock;
    const QStringList& phrases = corpus().phrases;
    EngineIndex index;
    qsizetype i = 0;
    for (auto _ : state) {
        v.Mode = Modes::conversation();
        v.PreviousPhrase.clear();
        v.AskedQuestions.clear();
        v.AskedQuestionCount = 0;
        TurnResult r = ProcessPhrase(v, phrases.at(i++ % phrases.size()), random, clock, index);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_ProcessPhrase)->Unit(benchmark::kMicrosecond);

void BM_LoadFullBases(benchmark::State& state) {
    QTemporaryDir dir;
    QStringList lines;
    const Corpus& c = corpus();
    for (int i = 0; i < Variables::MaxLines; ++i)
        lines << c.answers.at(i % c.answers.size());
    Variables v;
    v.AnswerBaseFile = dir.filePath(QStringLiteral("b.tka"));
    v.QuestionBaseFile = dir.filePath(QStringLiteral("b.tkq"));
    v.SynonymBaseFile = dir.filePath(QStringLiteral("b.tks"));
    TextFile::writeLines(v.AnswerBaseFile, lines);
    TextFile::writeLines(v.QuestionBaseFile, lines);
    TextFile::writeLines(v.SynonymBaseFile, lines);
    for (auto _ : state) {
        const bool ok = LoadAnswers(v) && LoadQuestions(v) && LoadSinonims(v);
        if (!ok)
            state.SkipWithError("a base could not be loaded");
        benchmark::DoNotOptimize(v.SynonymBase);
    }
}
BENCHMARK(BM_LoadFullBases)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
