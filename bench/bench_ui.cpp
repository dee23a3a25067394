// Dialogue documents at full size: the journal viewer on a 50 MB journal, and a dialogue file of 20,000 turns
// written and read back. Run: build/release/bench/talkomat_bench_ui (needs a display, or QT_QPA_PLATFORM=offscreen).
#include "core/TextFile.h"
#include "core/Variables.h"
#include "dialogue/Dialogue.h"
#include "dialogue/DialogueFile.h"
#include "engine/Clock.h"
#include "engine/RandomSource.h"
#include "ui/QtDialogs.h"
#include "ui/TextPane.h"
#include "ui/frmList.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

// A journal as years of talking leave it: dialogue blocks of a dozen exchanges, Cyrillic lines of typical length.
QString journal50MB() {
    static const QString path = [] {
        const QString file = scratch().filePath(QStringLiteral("ChatList.log"));
        QStringList lines{QStringLiteral("Все диалоги с 01-02-2020 по сегодняшний день включительно.")};
        qint64 size = 0;
        for (int i = 0; size < 50LL * 1024 * 1024; ++i) {
            if (i % 24 == 0) {
                lines << QStringLiteral("\r") << QStringLiteral("[Дата: 03-04-2021; Время: 10:11:12]");
            }
            const QString line = i % 2 ? QStringLiteral("<TK> Интересно, а что ты думаешь о погоде сегодня? %1").arg(i)
                                       : QStringLiteral("<ЧЕЛОВЕК>Погода хорошая, светит солнце, номер %1.").arg(i);
            size += line.size() + 2;
            lines << line;
        }
        TextFile::writeLines(file, lines);
        return file;
    }();
    return path;
}

void BM_JournalViewerOpen50MB(benchmark::State& state) {
    const QString path = journal50MB();
    QtDialogs dialogs;
    SystemClock clock;
    for (auto _ : state) {
        frmList list(dialogs, clock, path);
        if (!list.Form_Load())
            state.SkipWithError("the journal could not be read");
        list.show();
        list.view()->scrollToEnd();
        list.view()->viewport()->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(list.view()->firstVisibleLine());
        state.PauseTiming();
        list.close();
        state.ResumeTiming();
    }
    state.counters["MB"] = double(QFileInfo(path).size()) / (1024 * 1024);
}
BENCHMARK(BM_JournalViewerOpen50MB)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// A dialogue of 20,000 turns in a running program: the pane, the state and the journal all in place.
struct LongDialogue {
    Variables v;
    SystemRandom random;
    SystemClock clock;
    Dialogue dialogue{v, random, clock};

    LongDialogue() {
        v.HumanName = QStringLiteral("Человек");
        v.Alphabet = QStringLiteral("АаБбВвГгДдЕеЁёЖжЗзИиЙйКкЛлМмНнОоПпРрСсТтУуФфХхЦцЧчШшЩщЪъЫыЬьЭэЮюЯя1234567890 ");
        v.ShortPhraseLimit = OptionValue::fromInt(7);
        v.DialogFileTitle = Dialogue::defaultFileTitle();
        dialogue.setJournalPath(scratch().filePath(QStringLiteral("bench.log")));
        QString pane = Dialogue::humanStartsIntro() + QStringLiteral("\r\n");
        for (int i = 0; i < 20000; ++i)
            pane += QStringLiteral("\r\n<ЧЕЛОВЕК>Расскажи мне что-нибудь про номер %1.\r\n<TK> Не знаю, что и сказать.")
                        .arg(i);
        v.Mode = Modes::conversation();
        v.AskedQuestions = {3, 7, 11};
        v.AskedQuestionCount = 3;
        const QString path = scratch().filePath(QStringLiteral("seed.dlg"));
        TextFile::writeBytes(path, DialogueFile::encode(v, pane));
        dialogue.openFrom(path);
    }
};

void BM_DialogueFileWrite20000Turns(benchmark::State& state) {
    LongDialogue d;
    const QString path = scratch().filePath(QStringLiteral("write.dlg"));
    for (auto _ : state) {
        if (!d.dialogue.saveTo(path))
            state.SkipWithError("the dialogue could not be written");
    }
    state.counters["MB"] = double(QFileInfo(path).size()) / (1024 * 1024);
}
BENCHMARK(BM_DialogueFileWrite20000Turns)->Unit(benchmark::kMillisecond);

// Opening includes the journal block the opened dialogue adds.
void BM_DialogueFileRead20000Turns(benchmark::State& state) {
    LongDialogue d;
    const QString path = scratch().filePath(QStringLiteral("read.dlg"));
    d.dialogue.saveTo(path);
    for (auto _ : state) {
        if (!d.dialogue.openFrom(path))
            state.SkipWithError("the dialogue could not be read");
        state.PauseTiming();
        QFile::remove(d.dialogue.journalPath());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DialogueFileRead20000Turns)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
