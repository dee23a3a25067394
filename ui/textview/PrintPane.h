#pragma once

#include <QFont>
#include <QString>

class Dialogs;
class QWidget;

// Prints a pane's text in the pane's font: the caller passes the selected text when there is a selection and the
// whole text otherwise. A line ends at LF (a CR before it belongs to the line end) and wraps at the page width.
// The printer chooser is titled "Печать"; cancelling prints nothing, and a printer that fails is not reported, as
// the program never has.
void PrintPane(QWidget* parent, Dialogs& dialogs, const QString& text, const QFont& font);
