#pragma once

#include "ui/platform/Dialogs.h"

#include <QPointer>

class HelpViewer;

// The program's own answers to the seam: Qt's dialogs, created on the stack with the program's titles.
class QtDialogs final : public Dialogs {
public:
    QtDialogs();
    ~QtDialogs() override;

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
    QPointer<HelpViewer> m_help;
};
