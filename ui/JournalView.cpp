#include "ui/JournalView.h"

#include "dialogue/Journal.h"

QString JournalView::textFromFile(const QByteArray& bytes) {
    return Journal::textFromFile(bytes);
}
