#include "ui/PrintPane.h"

#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"

#include <QPrinter>
#include <QTextDocument>

void PrintPane(QWidget* parent, Dialogs& dialogs, const QString& text, const QFont& font) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Talkomat"));
    if (!dialogs.printer(parent, printer))
        return;
    BusyCursor busy(parent ? parent->window() : nullptr);
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    document.setDefaultFont(font);
    document.setPlainText(text);
    document.print(&printer);
}
