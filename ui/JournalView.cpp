#include "ui/JournalView.h"

#include "core/Cp1251.h"

QString JournalView::textFromFile(const QByteArray& bytes) {
    QString text = Cp1251::decode(bytes);
    // One pass in place: converting line ends by replacing substrings would move the whole text once per line.
    // The journal writes a line holding a single CR before each dialogue (CR CR LF on disk); it shows as one empty
    // line, not two.
    QChar* data = text.data();
    const qsizetype size = text.size();
    const QChar cr = QLatin1Char('\r');
    const QChar lf = QLatin1Char('\n');
    qsizetype out = 0;
    for (qsizetype in = 0; in < size; ++in) {
        const QChar c = data[in];
        if (c != cr) {
            data[out++] = c;
        } else if (in + 1 < size && data[in + 1] == lf) {
            data[out++] = lf;
            ++in;
        } else if (!(in + 2 < size && data[in + 1] == cr && data[in + 2] == lf)) {
            data[out++] = lf;
        }
    }
    text.truncate(out);
    return text;
}
