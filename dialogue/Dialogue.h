#pragma once

#include "Result.h"
#include "Turn.h"

#include <QObject>
#include <QString>

struct Variables;
class RandomSource;
class Clock;

// The current dialogue: the pane text (kept here exactly, CR LF included; a widget only shows it), who starts
// the next one, and the running state of the controls that only make sense while it goes on.
class Dialogue : public QObject {
    Q_OBJECT
public:
    Dialogue(Variables& variables, RandomSource& random, const Clock& clock, QObject* parent = nullptr);

    const QString& paneText() const { return m_pane; }
    bool isRunning() const { return m_running; }
    bool humanStarts() const { return m_humanStarts; }
    void setHumanStarts(bool humanStarts) { m_humanStarts = humanStarts; }
    QString caption() const;
    QString journalPath() const { return m_journalPath; }
    void setJournalPath(const QString& path) { m_journalPath = path; }
    // The last journal write that failed, if any; a failing journal never stops the dialogue.
    const Result& journalResult() const { return m_journalResult; }

    // A turn on the phrase the person typed: the two lines go to the pane and the journal.
    TurnResult Turn(const QString& raw);

    enum class NewResult { Started, NoQuestions };
    NewResult DialogNew();
    void DialogStop();

    // Replaces the pane and the running state wholesale (an opened dialogue file).
    void restore(const QString& paneText, bool running);

    static QString humanStartsIntro();
    static QString programStartsIntro();
    static QString defaultFileTitle();
    static QString noQuestionsMessage();

signals:
    void paneReset(const QString& text);
    void paneAppended(const QString& addition);
    void runningChanged(bool running);
    void captionChanged(const QString& caption);

private:
    void setRunning(bool running);
    void appendToPane(const QString& addition);
    void journal(const Result& result);

    Variables& m_v;
    RandomSource& m_random;
    const Clock& m_clock;
    QString m_pane;
    QString m_journalPath;
    Result m_journalResult;
    bool m_running = false;
    bool m_humanStarts = true;
};
