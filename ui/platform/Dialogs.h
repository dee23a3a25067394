#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QDialog;
class QPrinter;
class QWidget;

// Every message box, input box, chooser and modal window of the program goes through this seam, so that tests can
// answer them from a script and nothing ever waits for a person in a test run. A chooser that is cancelled gives
// no value; its caller then ends the command without a word.
class Dialogs {
public:
    enum class Icon { None, Information, Exclamation, Critical };

    virtual ~Dialogs() = default;

    // A notice with an OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& title, Icon icon) = 0;
    // Yes and No; true for Yes.
    virtual bool question(QWidget* parent, const QString& text, const QString& title) = 0;
    virtual std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;

    // Filters are written as label and pattern pairs separated by "|", the first pair preselected.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& filter,
                                            const QString& initialDir) = 0;
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& filter,
                                            const QString& initialDir, const QString& fileName) = 0;
    virtual std::optional<QColor> color(QWidget* parent, const QColor& initial) = 0;
    virtual std::optional<QFont> font(QWidget* parent, const QFont& initial) = 0;
    // Prepares `printer` for the chosen device; no page range is offered.
    virtual bool printer(QWidget* parent, QPrinter& printer) = 0;
    virtual void help(QWidget* parent, const QString& helpFile, int topic) = 0;

    // Runs one of the program's own modal windows and returns its result code.
    virtual int execModal(QDialog& dialog) = 0;

    // The two kinds of message the program shows: a notice titled "Сообщение", a failure titled "Ошибка".
    void notice(QWidget* parent, const QString& text, Icon icon = Icon::Information) {
        message(parent, text, noticeTitle(), icon);
    }
    void failure(QWidget* parent, const QString& text) { message(parent, text, errorTitle(), Icon::Critical); }
    static QString noticeTitle() { return QStringLiteral("Сообщение"); }
    static QString errorTitle() { return QStringLiteral("Ошибка"); }
};

// "Диалоги (*.dlg)|*.dlg|Все файлы|*.*" in the form Qt's file dialogs take: one entry per pair.
QStringList qtNameFilters(const QString& filter);
