// Full-size figures: one turn over 16,383 answer pairs and 16,383 synonym pairs, loading three bases of 32,767
// lines each, and the start with the shipped bases. Run: build/release/bench/talkomat_bench
#include "BenchEngine.h"
#include "core/Bases.h"
#include "core/Options.h"
#include "core/TextFile.h"
#include "core/Variables.h"
#include "engine/Clock.h"
#include "engine/EngineIndex.h"
#include "engine/Phrase.h"
#include "engine/Turn.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

struct Corpus {
    QStringList vocabulary;
    QStringList answers;
    QStringList synonyms;
    QStringList questions;
    QStringList phrases;
};

// About 20,000 distinct Cyrillic words; a skewed draw makes some words common, as in real speech.
// The same sizes, but as in real speech a few words are everywhere: the 50 most common words stand in a third of
// all key lines and in most phrases, and each carries about 300 synonyms.
const Corpus& skewedCorpus();

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

const Corpus& skewedCorpus() {
    static const Corpus c = [] {
        Corpus out = corpus();
        std::mt19937 gen(1207);
        std::uniform_int_distribution<int> common(0, 49);
        std::uniform_int_distribution<int> any(0, int(out.vocabulary.size()) - 1);
        auto key = [&](int i) -> QString {
            return QLatin1Char(' ') + out.vocabulary.at(i).toUpper() + QLatin1Char(' ');
        };
        for (int k = 0; k < out.synonyms.size(); k += 2) {
            out.synonyms[k] = key(common(gen));
            out.synonyms[k + 1] = key(any(gen));
        }
        for (int k = 0; k < out.answers.size(); k += 6)
            out.answers[k] = out.vocabulary.at(common(gen)).toUpper() + QLatin1Char(' ') + out.answers[k];
        for (QString& phrase : out.phrases)
            phrase +=
                QLatin1Char(' ') + out.vocabulary.at(common(gen)) + QLatin1Char(' ') + out.vocabulary.at(common(gen));
        return out;
    }();
    return c;
}

// The lookup as a plain scan over every synonym pair and every key line, kept here to measure what the index
// saves; it gives the same answers (a property test holds the two together).
QStringList scanAnswers(const Variables& v, const QString& phrase) {
    const WordList words = ExpandSynonyms(SplitKeyWords(MakeKeyText(phrase, v.Alphabet)), v);
    QStringList out;
    for (qsizetype k = 0; k + 1 < v.AnswerCount; k += 2) {
        const WordList keys = SplitKeyWords(v.AnswerBase.at(k));
        bool all = !keys.isEmpty();
        for (qsizetype i = 0; all && i < keys.size(); ++i)
            all = words.contains(keys.at(i));
        if (all)
            out.append(v.AnswerBase.at(k + 1));
    }
    return out;
}

void fill(Variables& v, const Corpus& c);

void BM_Lookup(benchmark::State& state) {
    const bool indexed = state.range(0) == 1;
    const Corpus& c = state.range(1) == 1 ? skewedCorpus() : corpus();
    Variables v;
    fill(v, c);
    EngineIndex index;
    index.sync(v);
    qsizetype i = 0;
    for (auto _ : state) {
        const QString& phrase = c.phrases.at(i++ % c.phrases.size());
        QStringList answers =
            indexed ? index.answersFor(SplitKeyWords(MakeKeyText(phrase, v.Alphabet)), v) : scanAnswers(v, phrase);
        benchmark::DoNotOptimize(answers);
    }
}
// Arguments: indexed (0 plain scan, 1 index), corpus (0 uniform words, 1 common words with many synonyms).
BENCHMARK(BM_Lookup)
    ->ArgNames({"indexed", "skewed"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);

void fill(Variables& v) {
    fill(v, corpus());
}

void fill(Variables& v, const Corpus& c) {
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
    BenchRandom random(12345);
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
    if (!TextFile::writeLines(v.AnswerBaseFile, lines) || !TextFile::writeLines(v.QuestionBaseFile, lines) ||
        !TextFile::writeLines(v.SynonymBaseFile, lines)) {
        state.SkipWithError("the bases could not be written");
        return;
    }
    for (auto _ : state) {
        const bool ok = LoadAnswers(v) && LoadQuestions(v) && LoadSinonims(v);
        if (!ok)
            state.SkipWithError("a base could not be loaded");
        benchmark::DoNotOptimize(v.SynonymBase);
    }
}
BENCHMARK(BM_LoadFullBases)->Unit(benchmark::kMillisecond);

// What the shipped bases cost the program's start: the three files read into the state, then the first reply,
// which indexes them.
void BM_StartWithShippedBases(benchmark::State& state) {
    const QDir data(QStringLiteral(TALKOMAT_DATA_DIR));
    Variables v;
    v.Alphabet = Options::defaultAlphabet();
    v.HumanName = QStringLiteral("Человек");
    v.ShortPhraseLimit = OptionValue::fromText(QStringLiteral(" 7 "));
    v.AnswerBaseFile = data.filePath(QStringLiteral("standart.tka"));
    v.QuestionBaseFile = data.filePath(QStringLiteral("standart.tkq"));
    v.SynonymBaseFile = data.filePath(QStringLiteral("standart.tks"));
    BenchRandom random(12345);
    SystemClock clock;
    for (auto _ : state) {
        if (!(LoadAnswers(v) && LoadQuestions(v) && LoadSinonims(v))) {
            state.SkipWithError("a shipped base could not be loaded");
            return;
        }
        EngineIndex index;
        v.Mode = Modes::conversation();
        v.PreviousPhrase.clear();
        TurnResult r = ProcessPhrase(v, QStringLiteral("Привет, как дела?"), random, clock, index);
        benchmark::DoNotOptimize(r);
    }
    state.counters["synonym lines"] = double(v.SynonymCount);
}
BENCHMARK(BM_StartWithShippedBases)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
