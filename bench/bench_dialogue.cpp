// Below the windows, at full size: find in a 100 MB text (the journal viewer's and the dialogue pane's find), what
// the dialogue keeps of 100,000 turns to explain them, and one explanation on full bases.
// Run: build/release/bench/talkomat_bench_dialogue
#include "BenchEngine.h"
#include "core/Cp1251.h"
#include "core/Options.h"
#include "core/TextSearch.h"
#include "core/Variables.h"
#include "dialogue/Dialogue.h"
#include "engine/Clock.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

// A journal of 100 MB in Windows-1251 (100M characters once decoded): dated dialogues of everyday exchanges, whose
// words share their first letters with the needle, so that the search cannot skip ahead.
const QString& journal100MB() {
    static const QString text = [] {
        const QByteArray block = Cp1251::encode(
            QStringLiteral("\r\r\n[Дата: 12-06-2026; Время: 09:05:41]\r\n<ЧЕЛОВЕК>Ещё раз привет, как дела?\r\n"
                           "<TK> Хорошо, а у тебя? Есть ещё новости?\r\n<ЧЕЛОВЕК>Есть, еще вчера ел ежевику.\r\n"
                           "<TK> Ясно. Ты любишь музыку?\r\n"));
        QByteArray bytes;
        bytes.reserve(100LL * 1024 * 1024 + block.size());
        while (bytes.size() < 100LL * 1024 * 1024 - 64)
            bytes += block;
        bytes += Cp1251::encode(QStringLiteral("<TK> Ещё одна строка в самом конце.\r\n"));
        return Cp1251::decode(bytes);
    }();
    return text;
}

// Arguments: 0 the needle is only in the last line; 1 it is nowhere (the whole text is read).
void BM_Find100MB(benchmark::State& state) {
    const QString& text = journal100MB();
    const QString needle = state.range(0) == 0 ? QStringLiteral("ЕЩЕ ОДНА СТРОКА") : QStringLiteral("ещё одна строчка");
    for (auto _ : state) {
        const TextSearch::Match m = TextSearch::find(text, needle, 0, TextSearch::Direction::Forward);
        if ((m.outcome == TextSearch::Outcome::Found) != (state.range(0) == 0))
            state.SkipWithError("the search did not find what it should");
        benchmark::DoNotOptimize(m);
    }
    state.counters["MChars"] = double(text.size()) / 1e6;
}
BENCHMARK(BM_Find100MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void fill(Variables& v) {
    v.Mode = Modes::conversation();
    v.HumanName = QStringLiteral("Человек");
    v.Alphabet = Options::defaultAlphabet();
    v.ShortPhraseLimit = OptionValue::fromText(QStringLiteral(" 7 "));
    for (int k = 0; k < 16383; ++k)
        v.AnswerBase << QStringLiteral("СЛОВО%1 ОБЩЕЕ ").arg(k % 500) << QStringLiteral("Ответ номер %1.").arg(k);
    v.AnswerCount = qint16(v.AnswerBase.size());
    for (int k = 0; k < 300; ++k)
        v.QuestionBase << QStringLiteral("Вопрос номер %1?").arg(k);
    v.QuestionCount = qint16(v.QuestionBase.size());
}

QString phrase(int i) {
    switch (i % 4) {
    case 0:
        return QStringLiteral("слово%1 общее").arg(i % 700); // an answer (or learning, past the known words)
    case 1:
        return QStringLiteral("кот");
    case 2:
        return QString();
    default:
        return QStringLiteral("ну а как у тебя дела %1").arg(i);
    }
}

// A new dialogue over full bases, its journal in a scratch folder.
struct BenchDialogue {
    explicit BenchDialogue(Variables& v) : d(v, random, clock) {
        d.setJournalPath(dir.filePath(QStringLiteral("ChatList.log")));
        d.DialogNew();
    }
    QTemporaryDir dir;
    BenchRandom random{2026};
    SystemClock clock;
    Dialogue d;
};

// What 100,000 turns add to the dialogue's memory for their explanations, beside the pane itself.
void BM_TurnRecords100k(benchmark::State& state) {
    for (auto _ : state) {
        Variables v;
        fill(v);
        BenchDialogue bench(v);
        Dialogue& d = bench.d;
        for (int i = 0; i < 100000; ++i)
            d.Turn(phrase(i));
        // A copy allocates what the records hold: measured on the heap, block overhead included.
        const size_t before = mallinfo2().uordblks;
        const TurnRecords copy = d.turnRecords();
        const double bytes = double(mallinfo2().uordblks - before);
        state.counters["records"] = double(copy.size());
        state.counters["records_MB"] = bytes / (1024 * 1024);
        state.counters["bytes_per_turn"] = bytes / double(copy.size());
    }
}
BENCHMARK(BM_TurnRecords100k)->Iterations(1)->Unit(benchmark::kSecond);

// "Почему такой ответ?" on the last of 1,000 turns over 16,383 pairs, after an earlier pair was deleted, so that the
// drawn pair has to be found again.
void BM_ExplainAfterDeletion(benchmark::State& state) {
    Variables v;
    fill(v);
    BenchDialogue bench(v);
    Dialogue& d = bench.d;
    for (int i = 0; i < 1000; ++i)
        d.Turn(QStringLiteral("слово%1 общее").arg(i % 500));
    v.AnswerBase.remove(0, 2);
    v.AnswerCount = qint16(v.AnswerBase.size());
    const qsizetype last = lastProgramLineStart(d.paneText());
    for (auto _ : state) {
        const TurnExplanation e = d.explainAt(last);
        if (e.pair.state != ExplainedEntry::State::Moved)
            state.SkipWithError("the drawn pair was not found again");
        QString text = ExplanationText(e);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ExplainAfterDeletion)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
