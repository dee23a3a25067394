#pragma once

#include "core/Result.h"
#include "dialogue/TurnExplanation.h"
#include "dialogue/TurnRecords.h"
#include "engine/EngineIndex.h"
#include "engine/Turn.h"

#include <QFont>
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
    // The journal's full path, in the program's folder; whoever knows the folder sets it before the first dialogue.
    QString journalPath() const { return m_journalPath; }
    void setJournalPath(const QString& path) { m_journalPath = path; }
    // How the last journal write went; a failing journal never stops the dialogue.
    const Result<>& journalResult() const { return m_journalResult; }

    // A turn on the phrase the person typed: the two lines go to the pane and the journal.
    TurnResult Turn(const QString& raw);

    // Why the program line holding `position` of paneText() (or the line with that number, 0-based, lines ending
    // at LF) was said, from what this run recorded and the bases as they are now. Only turns taken since the pane
    // was last replaced (a new dialogue, a dialogue opened) have a record; nothing of it reaches a file.
    TurnExplanation explainAt(qsizetype position);
    TurnExplanation explainLine(qsizetype line);
    const TurnRecords& turnRecords() const { return m_records; }

    enum class NewResult { Started, NoQuestions };
    NewResult DialogNew();
    void DialogStop();

    // Writes the dialogue file; only a complete write takes the new name and counts the dialogue as saved.
    Result<> saveTo(const QString& path);
    // Reads the whole file first: a damaged one leaves the current dialogue, its state and the pane untouched.
    // An opened dialogue runs, even one that had been stopped before it was saved.
    Result<> openFrom(const QString& path);
    // Plain text or rich text by the name's ending; the dialogue then counts as saved.
    Result<> exportTo(const QString& path, const QFont& font);

    static QString humanStartsIntro();
    static QString programStartsIntro();
    static QString defaultFileTitle();
    static QString noQuestionsMessage();

signals:
    void paneReset(const QString& text);
    void paneAppended(const QString& addition);
    void runningChanged(bool running);
    void captionChanged(const QString& caption);
    // The journal has just stopped taking lines (it is told again only after it worked once more).
    void journalFailed(const QString& error);

private:
    void setRunning(bool running);
    void appendToPane(const QString& addition);
    void journal(const Result<>& result);

    Variables& m_v;
    RandomSource& m_random;
    const Clock& m_clock;
    QString m_pane;
    QString m_journalPath;
    // No write of the journal has failed yet.
    Result<> m_journalResult = Success{};
    EngineIndex m_index;
    TurnRecords m_records;
    bool m_running = false;
    bool m_humanStarts = true;
};
