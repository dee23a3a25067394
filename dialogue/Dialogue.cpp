#include "dialogue/Dialogue.h"

#include "core/Variables.h"
#include "core/Version.h"
#include "dialogue/DialogueFile.h"
#include "dialogue/Export.h"
#include "dialogue/Journal.h"
#include "engine/RandomSource.h"

#include <QFileInfo>

Dialogue::Dialogue(Variables& variables, RandomSource& random, const Clock& clock, QObject* parent)
    : QObject(parent), m_v(variables), m_random(random), m_clock(clock) {}

QString Dialogue::humanStartsIntro() {
    return QStringLiteral("Новый диалог. Его начинаете вы. Введите свою реплику и нажмите клавишу 'Enter'.");
}

QString Dialogue::programStartsIntro() {
    return QStringLiteral("Новый диалог. Его начинает программа. Введите свою реплику и нажмите клавишу 'Enter'.");
}

QString Dialogue::defaultFileTitle() {
    return QStringLiteral("dialog.dlg");
}

QString Dialogue::noQuestionsMessage() {
    return QStringLiteral("Новый диалог не может быть начат, так\r\nкак программа не знает ни одного вопроса.");
}

QString Dialogue::caption() const {
    return Version::title() + QStringLiteral(" [") + m_v.DialogFileTitle + QLatin1Char(']');
}

void Dialogue::journal(const Result<>& result) {
    const bool wasWorking = m_journalResult.ok();
    m_journalResult = result;
    // One notice when the journal stops taking lines, not one for every line it refuses.
    if (!result && wasWorking)
        emit journalFailed(result.error());
}

void Dialogue::appendToPane(const QString& addition) {
    m_pane += addition;
    m_records.appended(addition);
    emit paneAppended(addition);
}

void Dialogue::setRunning(bool running) {
    m_running = running;
    emit runningChanged(running);
}

TurnResult Dialogue::Turn(const QString& raw) {
    TurnResult result = ProcessPhrase(m_v, raw, m_random, m_clock, m_index);
    m_records.add(m_pane.size(), result, m_v);
    appendToPane(result.paneAddition());
    journal(Journal::AppendLines({result.HumanLine}, m_journalPath));
    journal(Journal::AppendLines({result.ProgramLine}, m_journalPath));
    if (result.Stopped)
        setRunning(false);
    return result;
}

TurnExplanation Dialogue::explainAt(qsizetype position) {
    const qsizetype start = programLineStart(m_pane, position);
    return ExplainTurn(m_pane, start, start < 0 ? nullptr : m_records.startingAt(start), m_v, m_index);
}

TurnExplanation Dialogue::explainLine(qsizetype line) {
    if (const TurnRecord* record = m_records.onLine(m_pane, line))
        return ExplainTurn(m_pane, qsizetype(record->position), record, m_v, m_index);
    const qsizetype start = lineStartOf(m_pane, line);
    return start < 0 ? TurnExplanation() : explainAt(start);
}

Dialogue::NewResult Dialogue::DialogNew() {
    NewResult outcome = NewResult::Started;
    if (m_humanStarts) {
        m_pane = humanStartsIntro() + QStringLiteral("\r\n");
        m_records.reset(m_pane.size());
        emit paneReset(m_pane);
        m_v.PreviousPhrase.clear();
        m_v.Mode = Modes::conversation();
        m_v.AskedQuestions.clear();
        m_v.AskedQuestionCount = 0;
        journal(Journal::AppendDialogHeader(m_clock, {}, m_journalPath));
    } else if (m_v.QuestionCount < 1) {
        outcome = NewResult::NoQuestions;
    } else {
        const qint16 k = m_v.QuestionCount == 1 ? qint16(1) : qint16(drawIndex(m_random, m_v.QuestionCount) + 1);
        m_v.AskedQuestions = {k};
        m_v.AskedQuestionCount = 1;
        const QString line = programTag() + m_v.QuestionBase.at(k - 1);
        m_pane = programStartsIntro() + QStringLiteral("\r\n\r\n") + line;
        m_records.reset(m_pane.size());
        emit paneReset(m_pane);
        journal(Journal::AppendDialogHeader(m_clock, {line}, m_journalPath));
    }
    m_v.DialogFileTitle = defaultFileTitle();
    emit captionChanged(caption());
    m_v.DialogFilePath.clear();
    m_v.DialogSaved = false;
    setRunning(true);
    return outcome;
}

void Dialogue::DialogStop() {
    setRunning(false);
    m_v.DialogSaved = true;
    appendToPane(QStringLiteral("\r\n\r\n") + stopNotice());
}

Result<> Dialogue::saveTo(const QString& path) {
    Result<> r = DialogueFile::write(path, m_v, m_pane);
    if (!r)
        return r;
    m_v.DialogFilePath = path;
    m_v.DialogFileTitle = QFileInfo(path).fileName();
    m_v.DialogSaved = true;
    emit captionChanged(caption());
    return r;
}

Result<> Dialogue::openFrom(const QString& path) {
    Result<DialogueFileContent> read = DialogueFile::read(path);
    if (!read)
        return Failure{read.error()};
    DialogueFileContent& c = *read;
    m_v.Mode = c.Mode;
    m_v.PreviousPhrase = c.PreviousPhrase;
    m_v.PendingKeys = c.PendingKeys;
    m_v.PendingPhrase = c.PendingPhrase;
    m_v.AskedQuestions = c.AskedQuestions;
    m_v.AskedQuestionCount = qint16(c.AskedQuestions.size());
    // The journal records the continued dialogue as a new block dated now.
    journal(Journal::AppendOpenedDialogue(m_clock, c.PaneText, m_journalPath));
    m_pane = std::move(c.PaneText);
    m_records.reset(m_pane.size());
    emit paneReset(m_pane);
    m_v.DialogFilePath = path;
    m_v.DialogFileTitle = QFileInfo(path).fileName();
    m_v.DialogSaved = true;
    setRunning(true);
    emit captionChanged(caption());
    return Success{};
}

Result<> Dialogue::exportTo(const QString& path, const QFont& font) {
    Result<> r = Export::DialogExport(path, m_pane, font);
    if (r)
        m_v.DialogSaved = true;
    return r;
}
