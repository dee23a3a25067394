#pragma once

#include "ui/textview/TextPane.h"

#include <QAccessible>
#include <QList>

// The text events the panes announce to assistive tools, seen through the panes' sink while this object lives: the
// platform's bridge takes none without a screen reader listening.
class AccessibleEvents {
public:
    struct Seen {
        QAccessible::Event type;
        QObject* object;
        int position;
        QString inserted;
        QString removed;
        int cursor;
    };

    AccessibleEvents() : m_previous(TextPane::installAccessibleEventSink(&record)) { seenList().clear(); }
    ~AccessibleEvents() { TextPane::installAccessibleEventSink(m_previous); }
    AccessibleEvents(const AccessibleEvents&) = delete;
    AccessibleEvents& operator=(const AccessibleEvents&) = delete;

    const QList<Seen>& seen() const { return seenList(); }
    QList<Seen> ofType(QAccessible::Event type) const {
        QList<Seen> found;
        for (const Seen& s : seenList())
            if (s.type == type)
                found.append(s);
        return found;
    }

private:
    static QList<Seen>& seenList() {
        static QList<Seen> list;
        return list;
    }
    static void record(QAccessibleEvent* event) {
        Seen s{event->type(), event->object(), -1, {}, {}, -1};
        if (event->type() == QAccessible::TextInserted) {
            const auto* e = static_cast<QAccessibleTextInsertEvent*>(event);
            s.position = e->changePosition();
            s.inserted = e->textInserted();
            s.cursor = e->cursorPosition();
        } else if (event->type() == QAccessible::TextRemoved) {
            const auto* e = static_cast<QAccessibleTextRemoveEvent*>(event);
            s.position = e->changePosition();
            s.removed = e->textRemoved();
        } else if (event->type() == QAccessible::TextUpdated) {
            const auto* e = static_cast<QAccessibleTextUpdateEvent*>(event);
            s.position = e->changePosition();
            s.inserted = e->textInserted();
            s.removed = e->textRemoved();
        } else if (event->type() == QAccessible::TextCaretMoved) {
            s.cursor = static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition();
        }
        seenList().append(s);
    }

    TextPane::AccessibleEventSink m_previous;
};
