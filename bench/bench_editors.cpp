// The base editors on full bases: opening each one (built, shown and painted once), an add and a delete in the
// answer editor, each with the repaint that follows, and a keystroke in its find field.
// Run: build/release/bench/talkomat_bench_editors
#include "core/Variables.h"
#include "engine/BaseEdit.h"
#include "ui/editors/BaseEditor.h"
#include "ui/editors/frmAnswers.h"
#include "ui/editors/frmQuestions.h"
#include "ui/editors/frmSinonims.h"
#include "ui/editors/frmStatistics.h"
#include "ui/platform/QtDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QStringList lines(int count, const QString& stem) {
    QStringList out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out.append(QStringLiteral("%1 %2 ОЧЕНЬ ДЛИННАЯ СТРОКА, КОТОРУЮ СПИСОК ОБРЕЖЕТ НА СОРОК ВОСЬМОМ ЗНАКЕ")
                       .arg(stem)
                       .arg(i));
    return out;
}

// Full bases: 16,383 answer pairs, 32,767 questions, 16,383 synonym pairs.
Variables fullBases() {
    Variables v;
    v.Alphabet = QStringLiteral("АаБбВвГгДдЕеЖжЗзИиЙйКкЛлМмНнОоПпРрСсТтУуФфХхЦцЧчШшЩщЪъЫыЬьЭэЮюЯя ");
    v.AnswerBase = lines(Variables::MaxLines - 1, QStringLiteral("ОТВЕТ"));
    v.QuestionBase = lines(Variables::MaxLines, QStringLiteral("ВОПРОС"));
    v.SynonymBase = lines(Variables::MaxLines - 1, QStringLiteral(" СЛОВО"));
    v.AnswerCount = qint16(v.AnswerBase.size());
    v.QuestionCount = qint16(v.QuestionBase.size());
    v.SynonymCount = qint16(v.SynonymBase.size());
    return v;
}

template <typename Window> void openWindow(benchmark::State& state) {
    Variables v = fullBases();
    QtDialogs dialogs;
    for (auto _ : state) {
        std::unique_ptr<Window> window;
        if constexpr (std::is_same_v<Window, frmStatistics>)
            window = std::make_unique<Window>(v);
        else
            window = std::make_unique<Window>(v, dialogs);
        window->show();
        // grab() lays out and paints the whole window, as its first showing on screen does.
        benchmark::DoNotOptimize(window->grab());
        window->close();
    }
}

void BM_OpenAnswers(benchmark::State& state) {
    openWindow<frmAnswers>(state);
}
void BM_OpenQuestions(benchmark::State& state) {
    openWindow<frmQuestions>(state);
}
void BM_OpenSinonims(benchmark::State& state) {
    openWindow<frmSinonims>(state);
}
void BM_OpenStatistics(benchmark::State& state) {
    openWindow<frmStatistics>(state);
}

// One pair short of full, so that every add fits; each add is undone by a delete of the last row.
void BM_AnswerAddThenDelete(benchmark::State& state) {
    Variables v = fullBases();
    v.AnswerBase.remove(0, 2);
    v.AnswerCount = qint16(v.AnswerBase.size());
    QtDialogs dialogs;
    frmAnswers window(v, dialogs);
    window.show();
    window.grab();
    auto* keyWords = window.findChild<QLineEdit*>(QStringLiteral("txtKeyWords"));
    auto* answer = window.findChild<QLineEdit*>(QStringLiteral("txtAnswer"));
    auto* add = window.findChild<QPushButton*>(QStringLiteral("cmdAdd"));
    auto* del = window.findChild<QPushButton*>(QStringLiteral("cmdDel"));
    const bool measureAdd = state.range(0) == 0;
    for (auto _ : state) {
        if (!measureAdd)
            state.PauseTiming();
        keyWords->setText(QStringLiteral("привет как дела"));
        answer->setText(QStringLiteral("хорошо"));
        add->click();
        benchmark::DoNotOptimize(window.grab());
        if (measureAdd)
            state.PauseTiming();
        else
            state.ResumeTiming();
        // The new pair is selected: delete it.
        del->click();
        benchmark::DoNotOptimize(window.grab());
        if (measureAdd)
            state.ResumeTiming();
    }
    state.SetLabel(measureAdd ? "add" : "delete");
    window.close();
}

// One keystroke in the find field of an editor: the rows of the full base that hold the typed text. Arguments: the
// base (0 answers, 1 questions, 2 synonyms) and the text (0 held by every row, 1 by a few, 2 by none).
void BM_Filter(benchmark::State& state) {
    const Variables v = fullBases();
    const QString texts[] = {QStringLiteral("длинная строка"), QStringLiteral("1638"), QStringLiteral("нет такого")};
    const QString& text = texts[state.range(1)];
    qsizetype rows = 0;
    for (auto _ : state) {
        const QList<int> found = state.range(0) == 0   ? BaseEdit::FilterAnswers(v, text)
                                 : state.range(0) == 1 ? BaseEdit::FilterQuestions(v, text)
                                                       : BaseEdit::FilterSynonyms(v, text);
        rows = found.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["rows"] = double(rows);
}

// One keystroke in the answer editor's find field on 16,383 pairs: the filter, both lists shown anew and the window
// repainted. The keystrokes alternate between two texts that find the same rows: held by every row (0), by a few
// (1), by none (2).
void BM_FindKeystroke(benchmark::State& state) {
    Variables v = fullBases();
    QtDialogs dialogs;
    frmAnswers window(v, dialogs);
    window.show();
    window.openFind();
    window.grab();
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("txtFind"));
    const QString texts[][2] = {{QStringLiteral("длинная строк"), QStringLiteral("длинная строка")},
                                {QStringLiteral("1638"), QStringLiteral("16381")},
                                {QStringLiteral("нет таког"), QStringLiteral("нет такого")}};
    const auto& pair = texts[state.range(0)];
    int i = 0;
    for (auto _ : state) {
        field->setText(pair[i++ % 2]);
        benchmark::DoNotOptimize(window.grab());
    }
    state.counters["rows"] = double(window.findChild<QListView*>(QStringLiteral("lstKeyWords"))->model()->rowCount());
    window.close();
}

} // namespace

BENCHMARK(BM_FindKeystroke)->ArgName("text")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Filter)->ArgNames({"base", "text"})->ArgsProduct({{0, 1, 2}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAnswers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenQuestions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSinonims)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenStatistics)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnswerAddThenDelete)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // No screen is needed to measure: the offscreen platform unless another one is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
