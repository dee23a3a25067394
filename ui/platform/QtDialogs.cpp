#include "ui/platform/QtDialogs.h"

#include "ui/platform/ChooserNames.h"
#include "ui/windows/HelpViewer.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

namespace {

// The program's texts keep Windows line ends; a message box wants bare line feeds.
QString forDisplay(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QMessageBox::Icon qtIcon(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The suffix a name typed without one receives: the first pattern of the chosen filter, when it names one.
QString suffixOf(const QString& nameFilter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([^ ;)*?]+)"));
    const QRegularExpressionMatch m = pattern.match(nameFilter);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace

QStringList qtNameFilters(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    if (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts.at(i);
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (label.contains(QLatin1Char('(') + patterns + QLatin1Char(')')))
            result.append(label);
        else
            result.append(label + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return result;
}

QtDialogs::QtDialogs() = default;

QtDialogs::~QtDialogs() {
    delete m_help.data();
}

void QtDialogs::message(QWidget* parent, const QString& text, const QString& title, Icon icon) {
    QMessageBox box(qtIcon(icon), title, forDisplay(text), QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::question(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, forDisplay(text), QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::input(QWidget* parent, const QString& prompt, const QString& title,
                                        const QString& defaultText) {
    QInputDialog box(parent);
    box.setWindowTitle(title);
    box.setLabelText(forDisplay(prompt));
    box.setTextValue(defaultText);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Отмена"));
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

// The choosers are Qt's own rather than the desktop's: a desktop's chooser speaks the desktop's language, Qt's
// speaks the program's, and only Qt's font chooser can be kept to face, style and size.
std::optional<QString> QtDialogs::openFile(QWidget* parent, const QString& title, const QString& filter,
                                           const QString& initialDir) {
    QFileDialog box(parent, title, initialDir);
    box.setOption(QFileDialog::DontUseNativeDialog);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    box.setFileMode(QFileDialog::ExistingFile);
    box.setNameFilters(qtNameFilters(filter));
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    return box.selectedFiles().constFirst();
}

std::optional<QString> QtDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                                           const QString& initialDir, const QString& fileName) {
    QFileDialog box(parent, title, initialDir);
    box.setOption(QFileDialog::DontUseNativeDialog);
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = qtNameFilters(filter);
    box.setNameFilters(filters);
    if (!filters.isEmpty())
        box.setDefaultSuffix(suffixOf(filters.constFirst()));
    QObject::connect(&box, &QFileDialog::filterSelected, &box,
                     [&box](const QString& chosen) { box.setDefaultSuffix(suffixOf(chosen)); });
    if (!fileName.isEmpty())
        box.selectFile(fileName);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    return box.selectedFiles().constFirst();
}

std::optional<QColor> QtDialogs::color(QWidget* parent, const QColor& initial) {
    QColorDialog box(initial, parent);
    box.setOption(QColorDialog::DontUseNativeDialog);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.selectedColor();
}

std::optional<QFont> QtDialogs::font(QWidget* parent, const QFont& initial) {
    QFontDialog box(initial, parent);
    box.setOption(QFontDialog::DontUseNativeDialog);
    // The chooser offers face, style and size only. Qt's dialog has no option for that; its effects are the one
    // group of check boxes in it.
    for (QGroupBox* group : box.findChildren<QGroupBox*>()) {
        if (!group->findChildren<QCheckBox*>().isEmpty())
            group->hide();
    }
    nameFontChooserControls(box);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    QFont chosen = box.selectedFont();
    // Underline and strike-through come back as they were preset, whatever a style name carried.
    chosen.setUnderline(initial.underline());
    chosen.setStrikeOut(initial.strikeOut());
    return chosen;
}

bool QtDialogs::printer(QWidget* parent, QPrinter& printer) {
    QPrintDialog box(&printer, parent);
    box.setWindowTitle(QStringLiteral("Печать"));
    box.setOption(QAbstractPrintDialog::PrintPageRange, false);
    // The program prints the selection whenever there is one; a choice in the dialog would not be honoured.
    box.setOption(QAbstractPrintDialog::PrintSelection, false);
    namePrintChooserControls(box);
    return box.exec() == QDialog::Accepted;
}

void QtDialogs::help(QWidget* parent, const QString& helpFile, int topic) {
    if (!m_help)
        m_help = new HelpViewer(parent ? parent->window() : nullptr);
    m_help->openTopic(helpFile, topic);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

int QtDialogs::execModal(QDialog& dialog) {
    return dialog.exec();
}
