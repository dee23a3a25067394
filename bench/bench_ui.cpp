// Dialogue documents at full size: the dialogue pane over a dialogue of 100 MB, opening such a file, and a dialogue
// file of 20,000 turns written and read back; the journal viewer's cases are in bench_journal.cpp.
// Run: build/release/bench/talkomat_bench_ui (needs a display, or QT_QPA_PLATFORM=offscreen). Cases report their
// peak memory as peak_MB: how far the process's peak resident size (VmHWM) rose above its size when the case began.
#include "BenchSupport.h"
#include "core/OptionValue.h"
#include "core/TextFile.h"
#include "core/Variables.h"
#include "dialogue/Dialogue.h"
#include "dialogue/DialogueFile.h"
#include "dialogue/Journal.h"
#include "engine/Clock.h"
#include "engine/RandomSource.h"
#include "ui/main/frmMain.h"
#include "ui/platform/Dialogs.h"
#include "ui/platform/QtDialogs.h"
#include "ui/textview/TextPane.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

// The dialogue pane after a long talk: exchanges of a person's phrase and a reply, the pane text as the dialogue
// holds it (CR LF line ends) and as its file holds it, 100 MB on disk.
struct BigDialogue {
    QString pane;
    QString path;
};
const BigDialogue& big100MB() {
    static const BigDialogue d = [] {
        BigDialogue out;
        out.pane = Dialogue::humanStartsIntro() + QStringLiteral("\r\n");
        for (int i = 0; out.pane.size() < 100LL * 1024 * 1024; ++i)
            out.pane += QStringLiteral("\r\n<ЧЕЛОВЕК>Расскажи мне что-нибудь про номер %1.\r\n<TK> Не знаю, что и "
                                       "сказать. Может быть, о погоде?")
                            .arg(i);
        Variables v;
        v.Mode = Modes::conversation();
        out.path = scratch().filePath(QStringLiteral("big.dlg"));
        if (!TextFile::writeBytes(out.path, DialogueFile::encode(v, out.pane)))
            qFatal("the 100 MB dialogue could not be written");
        return out;
    }();
    return d;
}

// The seam answered without a person: "Открыть..." takes the file it is given, nothing else is asked.
class BenchDialogs final : public Dialogs {
public:
    QString openPath;
    bool failed = false;
    void message(QWidget*, const QString&, const QString&, Icon) override { failed = true; }
    bool question(QWidget*, const QString&, const QString&) override { return false; }
    std::optional<QString> input(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFile(QWidget*, const QString&, const QString&, const QString&) override {
        return openPath;
    }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QColor> color(QWidget*, const QColor&) override { return {}; }
    std::optional<QFont> font(QWidget*, const QFont&) override { return {}; }
    bool printer(QWidget*, QPrinter&) override { return false; }
    void help(QWidget*, const QString&, int) override {}
    int execModal(QDialog&) override { return 0; }
};

// The main window of a running program with two answers, its journal in the scratch folder.
struct Window {
    Variables v;
    SystemRandom random;
    SystemClock clock;
    BenchDialogs dialogs;
    QSettings settings{scratch().filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    Dialogue dialogue{v, random, clock};
    ProgramFolder folder{scratch().path()};
    frmMain main{v, dialogue, dialogs, settings, clock, folder};

    Window() {
        v.HumanName = QStringLiteral("Человек");
        v.Alphabet = QStringLiteral("АаБбВвГгДдЕеЁёЖжЗзИиЙйКкЛлМмНнОоПпРрСсТтУуФфХхЦцЧчШшЩщЪъЫыЬьЭэЮюЯя1234567890 ");
        v.ShortPhraseLimit = OptionValue::fromInt(7);
        v.AnswerBase = {QStringLiteral("ПРИВЕТ "), QStringLiteral("Здравствуй!"), QStringLiteral("ПОКА "),
                        QStringLiteral("До встречи.")};
        v.AnswerCount = 4;
        dialogue.setJournalPath(scratch().filePath(QStringLiteral("window.log")));
        main.resize(480, 360);
        main.show();
        main.DialogNew();
        QApplication::processEvents();
    }
    ~Window() { QFile::remove(dialogue.journalPath()); }
    TextPane* pane() const { return main.findChild<TextPane*>(QStringLiteral("rtfDialog")); }
    // "Открыть..." as the person chooses it, until the pane is drawn at its end.
    bool open(const QString& path) {
        dialogs.openPath = path;
        main.DialogOpen();
        pane()->viewport()->repaint();
        QApplication::processEvents();
        return !dialogs.failed;
    }
};

// The dialogue pane handed a 100 MB dialogue's text (200 MB in memory) and shown at its end.
void BM_PaneShowAtEnd100MB(benchmark::State& state) {
    const BigDialogue& d = big100MB();
    const Peak peak;
    for (auto _ : state) {
        auto pane = std::make_unique<TextPane>();
        pane->resize(480, 320);
        pane->show();
        pane->showText(d.pane);
        pane->moveCaretToEnd();
        pane->viewport()->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(pane->firstVisibleLine());
        state.PauseTiming();
        pane.reset();
        state.ResumeTiming();
    }
    state.counters["MB"] = fileMB(d.path);
    state.counters["peak_MB"] = peak.growthMB();
}
BENCHMARK(BM_PaneShowAtEnd100MB)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// One turn in the main window, phrase box to the reply drawn in the pane, on a fresh dialogue and on one opened
// from a 100 MB file: a turn must not cost more because the pane holds more.
void turns(benchmark::State& state, Window& w) {
    auto* phrase = w.main.findChild<QLineEdit*>(QStringLiteral("txtPhrase"));
    int i = 0;
    for (auto _ : state) {
        phrase->setText(i++ % 2 ? QStringLiteral("пока") : QStringLiteral("привет"));
        w.main.Enter();
        // What the event loop does before the next phrase: the pane drawn, the scroll bar shown.
        w.pane()->viewport()->repaint();
        QApplication::processEvents();
    }
    state.counters["pane_MB"] = double(w.dialogue.paneText().size()) * 2 / (1024 * 1024);
}
void BM_TurnOnSmallPane(benchmark::State& state) {
    Window w;
    turns(state, w);
}
BENCHMARK(BM_TurnOnSmallPane)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
void BM_TurnOn100MBPane(benchmark::State& state) {
    Window w;
    if (!w.open(big100MB().path))
        state.SkipWithError("the dialogue could not be opened");
    // Opening copied the 100 MB of lines into the journal; its write-back to disk is not the turn's work.
    QFile::remove(w.dialogue.journalPath());
    turns(state, w);
}
BENCHMARK(BM_TurnOn100MBPane)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// What the platform's bridge and a screen reader do with the pane's announcements: the bridge puts the inserted
// text into its message (UTF-8) and asks for the caret; the reader asks for the count and the line at the caret,
// and some readers ask for the whole text to follow a change. The offscreen platform has no bridge, so
// QAccessible::isActive() stays false there; the pane's sink takes the bridge's place.
void readerReads(QAccessibleEvent* event) {
    QAccessibleInterface* pane = event->accessibleInterface();
    QAccessibleTextInterface* text = pane ? pane->textInterface() : nullptr;
    if (!text)
        return;
    if (event->type() == QAccessible::TextInserted) {
        benchmark::DoNotOptimize(static_cast<QAccessibleTextInsertEvent*>(event)->textInserted().toUtf8());
        const int count = text->characterCount();
        int from = 0;
        int to = 0;
        benchmark::DoNotOptimize(text->textAtOffset(count - 1, QAccessible::LineBoundary, &from, &to));
        benchmark::DoNotOptimize(text->text(0, count).toUtf8());
    } else if (event->type() == QAccessible::TextCaretMoved) {
        benchmark::DoNotOptimize(text->cursorPosition());
    }
}
void BM_TurnOn100MBPaneScreenReader(benchmark::State& state) {
    Window w;
    if (!w.open(big100MB().path))
        state.SkipWithError("the dialogue could not be opened");
    QFile::remove(w.dialogue.journalPath());
    QAccessible::setActive(true);
    const TextPane::AccessibleEventSink previous = TextPane::installAccessibleEventSink(&readerReads);
    turns(state, w);
    TextPane::installAccessibleEventSink(previous);
    QAccessible::setActive(false);
}
BENCHMARK(BM_TurnOn100MBPaneScreenReader)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// "Открыть..." on a 100 MB dialogue file, the whole way from the chooser to the pane drawn at its end.
void BM_DialogOpen100MB(benchmark::State& state) {
    const QString path = big100MB().path;
    Window w;
    double peakMB = 0;
    for (auto _ : state) {
        const Peak peak;
        if (!w.open(path)) {
            state.SkipWithError("the dialogue could not be opened");
            break;
        }
        peakMB = qMax(peakMB, peak.growthMB());
        state.PauseTiming();
        w.main.DialogNew();
        QFile::remove(w.dialogue.journalPath());
        state.ResumeTiming();
    }
    state.counters["MB"] = fileMB(path);
    state.counters["peak_MB"] = peakMB;
}
BENCHMARK(BM_DialogOpen100MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same way in its steps, each with its time (ms) and peak memory (MB) as counters: what the file costs before
// the pane sees it.
void BM_DialogOpenSteps100MB(benchmark::State& state) {
    const QString path = big100MB().path;
    const QString journal = scratch().filePath(QStringLiteral("steps.log"));
    SystemClock clock;
    for (auto _ : state) {
        QElapsedTimer timer;
        auto step = [&](const char* name, const auto& work) {
            const Peak peak;
            timer.start();
            work();
            state.counters[std::string(name) + "_ms"] = double(timer.nsecsElapsed()) / 1e6;
            state.counters[std::string(name) + "_peak_MB"] = peak.growthMB();
        };
        QByteArray bytes;
        DialogueFileContent content;
        step("1read", [&] { bytes = TextFile::readBytes(path, DialogueFile::MaxBytes).value(); });
        step("2decode", [&] { content = DialogueFile::decode(bytes, path).value(); });
        bytes = QByteArray();
        step("3journal", [&] { (void)Journal::AppendOpenedDialogue(clock, content.PaneText, journal); });
        step("4pane", [&] {
            TextPane pane;
            pane.resize(480, 320);
            pane.show();
            pane.showText(content.PaneText);
            pane.moveCaretToEnd();
            pane.viewport()->repaint();
            QApplication::processEvents();
        });
        QFile::remove(journal);
    }
    state.counters["MB"] = fileMB(path);
}
BENCHMARK(BM_DialogOpenSteps100MB)->Unit(benchmark::kMillisecond)->Iterations(1);

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
        if (!TextFile::writeBytes(path, DialogueFile::encode(v, pane)) || !dialogue.openFrom(path))
            qFatal("the dialogue could not be prepared");
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
    if (!d.dialogue.saveTo(path)) {
        state.SkipWithError("the dialogue could not be written");
        return;
    }
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
    // Every large block comes fresh from the system and goes back when freed, as at the first opening in a running
    // program: a block kept by the allocator from an earlier iteration would spare the case its page faults.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
