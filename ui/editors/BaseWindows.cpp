#include "ui/editors/BaseWindows.h"

#include "ui/platform/Twips.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>

namespace BaseWindows {

void setUpWindow(QDialog& window, const QString& title, int widthTwips, int heightTwips) {
    window.setWindowTitle(title);
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    setClientSize(window, QSize(Twips::toPixels(widthTwips, Twips::dpiX(&window)),
                                Twips::toPixels(heightTwips, Twips::dpiY(&window))));
}

void setClientSize(QDialog& window, const QSize& size) {
    window.setFixedSize(size);
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame(QPoint(), size);
        frame.moveCenter(screen->availableGeometry().center());
        // Moving it here also keeps the dialog from centring itself over its parent when shown.
        window.move(frame.topLeft());
    }
}

QLabel* label(QWidget* parent, const char* name, const QString& caption) {
    auto* widget = new QLabel(caption, parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, int top, int width) {
    QLabel* widget = label(parent, name, text);
    placeLabel(widget, 120, top, width, 195);
    return widget;
}

void nameAfter(QWidget* control, QLabel* label) {
    static const QRegularExpression remark(QStringLiteral("\\(.*\\)"));
    label->setBuddy(control);
    QString name = label->text();
    name.remove(remark);
    while (name.endsWith(QLatin1Char(':')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    control->setAccessibleName(name);
    control->setAccessibleDescription(control->toolTip());
}

QLineEdit* textBox(QWidget* parent, const char* name, const QString& toolTip) {
    auto* widget = new QLineEdit(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setToolTip(toolTip);
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& toolTip) {
    auto* widget = new QPushButton(caption, parent);
    widget->setObjectName(QLatin1String(name));
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
    return widget;
}

QListView* listBox(QWidget* parent, const char* name, const QString& toolTip, QAbstractItemModel* model) {
    auto* view = new QListView(parent);
    view->setObjectName(QLatin1String(name));
    view->setToolTip(toolTip);
    // Every row has the same height, so the view lays out a full base without measuring each row.
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The rows are already cut to their list text; anything wider than the list is clipped, not elided again.
    view->setTextElideMode(Qt::ElideNone);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setModel(model);
    return view;
}

void place(QWidget* control, int left, int top, int width, int height) {
    const double dx = Twips::dpiX(control);
    const double dy = Twips::dpiY(control);
    control->setGeometry(Twips::toPixels(left, dx), Twips::toPixels(top, dy), Twips::toPixels(width, dx),
                         Twips::toPixels(height, dy));
}

void placeLabel(QWidget* label, int left, int top, int width, int height) {
    place(label, left, top, width, height);
    const QSize wanted = label->sizeHint();
    label->resize(qMax(label->width(), wanted.width()), qMax(label->height(), wanted.height()));
}

int selectedRow(const QAbstractItemView* view) {
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

bool selectRow(QAbstractItemView* view, int row) {
    QItemSelectionModel* selection = view->selectionModel();
    if (row < 0) {
        selection->clear();
        return true;
    }
    const QModelIndex index = view->model()->index(row, 0);
    if (!index.isValid())
        return false;
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    view->scrollTo(index);
    return true;
}

} // namespace BaseWindows
