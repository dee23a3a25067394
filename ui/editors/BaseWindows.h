#pragma once

#include "ui/platform/Fonts.h"

class QAbstractItemView;
class QAbstractItemModel;
class QDialog;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QWidget;

// What the base editors and the statistics window share: places given in twips, the fixed-size window centred on
// the screen, and a list's one selected row.
namespace BaseWindows {

// A fixed dialog border without minimise and maximise buttons, the client area given in twips, centred on the
// screen rather than over the main window.
void setUpWindow(QDialog& window, const QString& title, int widthTwips, int heightTwips);
// Gives the window another fixed client size in pixels, centred again.
void setClientSize(QDialog& window, const QSize& size);

QLabel* label(QWidget* parent, const char* name, const QString& caption);
// A label of an editor: 120 twips from the left edge, 195 high.
QLabel* caption(QWidget* parent, const char* name, const QString& text, int top, int width);
// A screen reader names a field or list after the label beside it (without its colon and remarks in brackets) and
// reads its tooltip as the description.
void nameAfter(QWidget* control, QLabel* label);
QLineEdit* textBox(QWidget* parent, const char* name, const QString& toolTip);
QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& toolTip = {});
// One selected row at a time, rows in base order, nothing edited in place.
QListView* listBox(QWidget* parent, const char* name, const QString& toolTip, QAbstractItemModel* model);

void place(QWidget* control, int left, int top, int width, int height);
// A label keeps its place but grows to its text when the font on this system is wider than the one it was
// drawn with.
void placeLabel(QWidget* label, int left, int top, int width, int height);

// -1 when no row is selected.
int selectedRow(const QAbstractItemView* view);
// Selects the row and brings it into view; -1 clears the selection. A row the list does not have is refused
// (false) and the selection stays as it was.
bool selectRow(QAbstractItemView* view, int row);

} // namespace BaseWindows
