#pragma once

#include "ui/platform/Dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

// Answers the program's dialogs from a script, in order. A dialog the script did not expect, or one of another
// kind or text, fails the running test at once (and is answered with No or a cancel); a script left over is
// reported by verify().
class ScriptedDialogs final : public Dialogs {
public:
    enum class Kind { Message, Question, Input, OpenFile, SaveFile, Color, Font, Printer, Help, Modal };

    struct Step {
        Kind kind;
        QString text;   // message or question text, prompt, chooser title, help file, or window object name
        QString answer; // input text or chosen file; empty means cancelled
        bool yes = false;
        std::function<void(QDialog&)> inspect = {};
        // For texts that end in a reason given by the system: only the beginning must match.
        bool prefixOnly = false;
        // For a printer step answered yes: points the printer somewhere a test can look, such as a PDF file.
        std::function<void(QPrinter&)> preparePrinter = {};
    };

    ScriptedDialogs& expectMessage(const QString& text) { return add({Kind::Message, text, {}}); }
    ScriptedDialogs& expectMessageStartingWith(const QString& text) {
        return add({Kind::Message, text, {}, false, {}, true});
    }
    ScriptedDialogs& expectQuestion(const QString& text, bool yes) { return add({Kind::Question, text, {}, yes}); }
    ScriptedDialogs& expectHelp(const QString& file) { return add({Kind::Help, file, {}}); }
    ScriptedDialogs& expectPrinter(bool yes, std::function<void(QPrinter&)> prepare = {}) {
        return add({Kind::Printer, {}, {}, yes, {}, false, std::move(prepare)});
    }
    ScriptedDialogs& expectModal(const QString& objectName, std::function<void(QDialog&)> inspect = {}) {
        return add({Kind::Modal, objectName, {}, false, std::move(inspect)});
    }
    ScriptedDialogs& add(Step step) {
        m_script.append(std::move(step));
        return *this;
    }

    // Everything asked so far, as "kind: text", for assertions on what the person saw.
    const QStringList& asked() const { return m_asked; }
    struct Shown {
        QString text;
        QString title;
        Icon icon = Icon::None;
        int topic = 0;
        // What a file chooser was given.
        QString filter = {};
        QString folder = {};
        QString fileName = {};
        // The value a chooser or input box started on: a colour's name, QFont::toString(), the default text.
        QString initial = {};
        // For a message: whether its window could take input the moment it was shown, neither disabled nor busy.
        bool windowUsable = false;
    };
    const QList<Shown>& shown() const { return m_shown; }
    // What the last file chooser was given.
    Shown lastChooser() const;
    qsizetype remaining() const { return m_script.size(); }
    bool failed() const { return !m_failures.isEmpty(); }
    const QStringList& failures() const { return m_failures; }
    // True when every scripted dialog was asked and nothing else; otherwise fails the test with the details.
    bool verify() const;
    void clear();

    void message(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    bool question(QWidget* parent, const QString& text, const QString& title) override;
    std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& initialDir) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& filter,
                                    const QString& initialDir, const QString& fileName) override;
    std::optional<QColor> color(QWidget* parent, const QColor& initial) override;
    std::optional<QFont> font(QWidget* parent, const QFont& initial) override;
    bool printer(QWidget* parent, QPrinter& printer) override;
    void help(QWidget* parent, const QString& helpFile, int topic) override;
    int execModal(QDialog& dialog) override;

private:
    // The next step if it matches, or nothing after recording the failure.
    std::optional<Step> take(Kind kind, const QString& text, const QString& title = {}, Icon icon = Icon::None,
                             int topic = 0);

    QList<Step> m_script;
    QStringList m_asked;
    QList<Shown> m_shown;
    QStringList m_failures;
};
