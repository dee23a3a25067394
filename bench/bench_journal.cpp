// The journal viewer at full size: opening a 50 MB journal, and Ctrl+F through a 100 MB one.
// Part of talkomat_bench_ui.
#include "BenchSupport.h"
#include "core/TextFile.h"
#include "engine/Clock.h"
#include "ui/platform/QtDialogs.h"
#include "ui/textview/FindBar.h"
#include "ui/textview/TextPane.h"
#include "ui/windows/frmList.h"

#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace {

// A journal as years of talking leave it: dialogue blocks of a dozen exchanges, Cyrillic lines of typical length,
// of `megabytes` on disk; its last line says "the last line".
QString journalFile(qint64 megabytes) {
    const QString file = scratch().filePath(QStringLiteral("ChatList%1.log").arg(megabytes));
    QStringList lines{QStringLiteral("Все диалоги с 01-02-2020 по сегодняшний день включительно.")};
    qint64 size = 0;
    for (int i = 0; size < megabytes * 1024 * 1024; ++i) {
        if (i % 24 == 0) {
            lines << QStringLiteral("\r") << QStringLiteral("[Дата: 03-04-2021; Время: 10:11:12]");
        }
        const QString line = i % 2 ? QStringLiteral("<TK> Интересно, а что ты думаешь о погоде сегодня? %1").arg(i)
                                   : QStringLiteral("<ЧЕЛОВЕК>Погода хорошая, светит солнце, номер %1.").arg(i);
        size += line.size() + 2;
        lines << line;
    }
    lines << QStringLiteral("<TK> Это последняя строка журнала.");
    if (!TextFile::writeLines(file, lines))
        qFatal("the journal could not be written");
    return file;
}

QString journal50MB() {
    static const QString path = journalFile(50);
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

// Ctrl+F in the journal viewer on a 100 MB journal, from its top to the match in its last line: the search, the
// selection, the scroll and the repaint. The search reads the pane's text where it lies: peak_MB stays near 0.
void BM_JournalFind100MB(benchmark::State& state) {
    const QString path = journalFile(100);
    QtDialogs dialogs;
    SystemClock clock;
    frmList list(dialogs, clock, path);
    if (!list.Form_Load())
        state.SkipWithError("the journal could not be read");
    list.show();
    FindBar* bar = list.findBar();
    bar->open();
    bar->field()->setText(QStringLiteral("последняя строка"));
    QApplication::processEvents();
    const Peak peak;
    for (auto _ : state) {
        state.PauseTiming();
        list.view()->setCaretPosition(0);
        list.view()->viewport()->repaint();
        state.ResumeTiming();
        bar->findNext();
        list.view()->viewport()->repaint();
        benchmark::DoNotOptimize(list.view()->selectionStart());
    }
    if (list.view()->selectionEnd() < list.view()->text().size() - 16)
        state.SkipWithError("the last line was not found");
    state.counters["MB"] = fileMB(path);
    state.counters["peak_MB"] = peak.growthMB();
}
BENCHMARK(BM_JournalFind100MB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
