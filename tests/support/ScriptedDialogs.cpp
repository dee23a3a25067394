#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QtTest/QTest>

namespace {
QString kindName(ScriptedDialogs::Kind kind) {
    static const char* const names[] = {"message", "question", "input",   "open file", "save file",
                                        "colour",  "font",     "printer", "help",      "modal window"};
    return QLatin1String(names[int(kind)]);
}
} // namespace

std::optional<ScriptedDialogs::Step> ScriptedDialogs::take(Kind kind, const QString& text, const QString& title,
                                                           Icon icon, int topic) {
    m_asked.append(kindName(kind) + QStringLiteral(": ") + text);
    m_shown.append({text, title, icon, topic});
    QString problem;
    if (m_script.isEmpty())
        problem = QStringLiteral("unexpected %1 \"%2\"").arg(kindName(kind), text);
    else if (const Step& next = m_script.constFirst();
             next.kind != kind || (next.prefixOnly ? !text.startsWith(next.text) : next.text != text))
        problem = QStringLiteral("expected %1 \"%2\", got %3 \"%4\"")
                      .arg(kindName(m_script.constFirst().kind), m_script.constFirst().text, kindName(kind), text);
    if (!problem.isEmpty()) {
        m_failures.append(problem);
        // Marks the running test failed without returning from it: we may be deep inside the program's code.
        QTest::qFail(problem.toUtf8().constData(), __FILE__, __LINE__);
        return std::nullopt;
    }
    return m_script.takeFirst();
}

bool ScriptedDialogs::verify() const {
    if (!m_failures.isEmpty())
        return false;
    if (!m_script.isEmpty()) {
        const QString problem = QStringLiteral("%1 scripted dialog(s) never asked, first: %2 \"%3\"")
                                    .arg(m_script.size())
                                    .arg(kindName(m_script.constFirst().kind), m_script.constFirst().text);
        QTest::qFail(problem.toUtf8().constData(), __FILE__, __LINE__);
        return false;
    }
    return true;
}

void ScriptedDialogs::clear() {
    m_script.clear();
    m_asked.clear();
    m_shown.clear();
    m_failures.clear();
}

void ScriptedDialogs::message(QWidget* parent, const QString& text, const QString& title, Icon icon) {
    take(Kind::Message, text, title, icon);
    m_shown.last().windowUsable = parent && parent->window()->isEnabled() && !QApplication::overrideCursor();
}

ScriptedDialogs::Shown ScriptedDialogs::lastChooser() const {
    for (qsizetype i = m_asked.size() - 1; i >= 0; --i)
        if (m_asked.at(i).startsWith(kindName(Kind::OpenFile)) || m_asked.at(i).startsWith(kindName(Kind::SaveFile)))
            return m_shown.at(i);
    return {};
}

bool ScriptedDialogs::question(QWidget*, const QString& text, const QString& title) {
    const auto step = take(Kind::Question, text, title);
    return step && step->yes;
}

std::optional<QString> ScriptedDialogs::input(QWidget*, const QString& prompt, const QString& title,
                                              const QString& defaultText) {
    const auto step = take(Kind::Input, prompt, title);
    m_shown.last().initial = defaultText;
    if (!step || step->answer.isEmpty())
        return std::nullopt;
    return step->answer;
}

std::optional<QString> ScriptedDialogs::openFile(QWidget*, const QString& title, const QString& filter,
                                                 const QString& folder) {
    const auto step = take(Kind::OpenFile, title, title);
    m_shown.last().filter = filter;
    m_shown.last().folder = folder;
    if (!step || step->answer.isEmpty())
        return std::nullopt;
    return step->answer;
}

std::optional<QString> ScriptedDialogs::saveFile(QWidget*, const QString& title, const QString& filter,
                                                 const QString& folder, const QString& fileName) {
    const auto step = take(Kind::SaveFile, title, title);
    m_shown.last().filter = filter;
    m_shown.last().folder = folder;
    m_shown.last().fileName = fileName;
    if (!step || step->answer.isEmpty())
        return std::nullopt;
    return step->answer;
}

std::optional<QColor> ScriptedDialogs::color(QWidget*, const QColor& initial) {
    const auto step = take(Kind::Color, {});
    m_shown.last().initial = initial.name();
    if (!step || step->answer.isEmpty())
        return std::nullopt;
    return QColor::fromString(step->answer);
}

std::optional<QFont> ScriptedDialogs::font(QWidget*, const QFont& initial) {
    const auto step = take(Kind::Font, {});
    m_shown.last().initial = initial.toString();
    if (!step || step->answer.isEmpty())
        return std::nullopt;
    QFont chosen = initial;
    chosen.fromString(step->answer);
    return chosen;
}

bool ScriptedDialogs::printer(QWidget*, QPrinter& printer) {
    const auto step = take(Kind::Printer, {});
    if (step && step->yes && step->preparePrinter)
        step->preparePrinter(printer);
    return step && step->yes;
}

void ScriptedDialogs::help(QWidget*, const QString& helpFile, int topic) {
    take(Kind::Help, helpFile, {}, Icon::None, topic);
}

int ScriptedDialogs::execModal(QDialog& dialog) {
    const auto step = take(Kind::Modal, dialog.objectName());
    if (step && step->inspect)
        step->inspect(dialog);
    return step && step->yes ? QDialog::Accepted : QDialog::Rejected;
}
