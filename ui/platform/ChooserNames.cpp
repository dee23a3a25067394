#include "ui/platform/ChooserNames.h"

#include <QApplication>
#include <QEvent>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPrintDialog>
#include <QScrollArea>
#include <QTabWidget>

void nameFontChooserControls(QFontDialog& chooser) {
    // Qt's labels over the family list, the style list and the size field, in that order, have them as buddies;
    // the family and style fields above their lists hand the focus on to them. A list view of a combo box's
    // drop-down is no direct child of the chooser.
    QList<QListView*> labelled;
    for (const QLabel* label : chooser.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (auto* list = qobject_cast<QListView*>(label->buddy()))
            labelled.append(list);
        else if (auto* size = qobject_cast<QLineEdit*>(label->buddy()))
            size->setAccessibleName(QStringLiteral("Выбранный размер"));
    }
    QList<QListView*> others;
    for (QListView* list : chooser.findChildren<QListView*>(Qt::FindDirectChildrenOnly)) {
        if (!labelled.contains(list))
            others.append(list);
    }
    if (others.size() == 1)
        others.constFirst()->setAccessibleName(QStringLiteral("Размер"));
    if (labelled.size() != 2)
        return;
    labelled.at(0)->setAccessibleName(QStringLiteral("Шрифт"));
    labelled.at(1)->setAccessibleName(QStringLiteral("Начертание"));
    for (QLineEdit* field : chooser.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        if (field->focusProxy() == labelled.at(0))
            field->setAccessibleName(QStringLiteral("Выбранный шрифт"));
        else if (field->focusProxy() == labelled.at(1))
            field->setAccessibleName(QStringLiteral("Выбранное начертание"));
    }
}

namespace {

// Qt builds the printer's properties window only when the person asks for it, so the names are given whenever a
// window of the print dialog's shows. The filter goes with the dialog, and the application forgets a filter that
// is gone.
class PrintChooserNames final : public QObject {
public:
    explicit PrintChooserNames(QPrintDialog& chooser) : QObject(&chooser), m_chooser(chooser) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() && belongsToChooser(watched)) {
            auto* window = static_cast<QWidget*>(watched);
            if (window->isWindow())
                nameTabs(*window);
        }
        return false;
    }

private:
    bool belongsToChooser(const QObject* object) const {
        for (; object; object = object->parent()) {
            if (object == &m_chooser)
                return true;
        }
        return false;
    }
    // The pages of options that "Параметры >>" shows, those of the printer's properties and the printer's own
    // options on the last of them.
    void nameTabs(QWidget& window) const {
        const bool properties = &window != &m_chooser;
        for (QTabWidget* pages : window.findChildren<QTabWidget*>())
            nameIfUnnamed(window, pages, properties ? u"Свойства принтера" : u"Параметры печати");
        for (QScrollArea* area : window.findChildren<QScrollArea*>())
            nameIfUnnamed(window, area, u"Расширенные параметры");
    }
    static void nameIfUnnamed(const QWidget& window, QWidget* control, QStringView name) {
        if (control->window() == &window && control->accessibleName().isEmpty())
            control->setAccessibleName(name.toString());
    }

    QPrintDialog& m_chooser;
};

} // namespace

void namePrintChooserControls(QPrintDialog& chooser) {
    qApp->installEventFilter(new PrintChooserNames(chooser));
}
