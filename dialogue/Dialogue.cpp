#include "Dialogue.h"

#include "Journal.h"
#include "RandomSource.h"
#include "Variables.h"

Dialogue::Dialogue(Variables& variables, RandomSource& random, const Clock& clock, QObject* parent)
    : QObject(parent), m_v(variables), m_random(random), m_clock(clock), m_journalPath(Journal::journalFileName()) {}

QString Dialogue::humanStartsIntro() {
    return QStringLiteral("Новый диалог. Его начинаете вы. Введите свою реплику и нажмите клавишу 'Enter'.");
}

QString Dialogue::programStartsIntro() {
    return QStringLiteral("Новый диалог. Его начинает программа. Введите свою реплику и нажмите клавишу 'Enter'.");
}

QString Dialogue::defaultFileTitle() { return QStringLiteral("dialog.dlg"); }

QString Dialogue::noQuestionsMessage() {
    return QStringLiteral("Новый диалог не может быть начат, так\r\nкак программа не знает ни одного вопроса.");
}

QString Dialogue::caption() const {
    return QStringLiteral("Talkomat v%1.%2 [")
               .arg(TALKOMAT_VERSION_MAJOR)
               .arg(TALKOMAT_VERSION_MINOR) +
           m_v.DialogFileTitle + QLatin1Char(']');
}

void Dialogue::journal(const Result& result) {
    if (!result)
        m_journalResult = result;
}

void Dialogue::appendToPane(const QString& addition) {
    m_pane += addition;
    emit paneAppended(addition);
}

void Dialogue::setRunning(bool running) {
    m_running = running;
    emit runningChanged(running);
}

TurnResult Dialogue::Turn(const QString& raw) {
    TurnResult result = ProcessPhrase(m_v, raw, m_random, m_clock);
    appendToPane(result.paneAddition());
    journal(Journal::AppendLines({result.HumanLine}, m_journalPath));
    journal(Journal::AppendLines({result.ProgramLine}, m_journalPath));
    if (result.Stopped)
        setRunning(false);
    return result;
}

Dialogue::NewResult Dialogue::DialogNew() {
    NewResult outcome = NewResult::Started;
    if (m_humanStarts) {
        m_pane = humanStartsIntro() + QStringLiteral("\r\n");
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

void Dialogue::restore(const QString& paneText, bool running) {
    m_pane = paneText;
    emit paneReset(m_pane);
    emit captionChanged(caption());
    setRunning(running);
}
