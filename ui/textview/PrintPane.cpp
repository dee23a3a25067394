#include "ui/textview/PrintPane.h"

#include "ui/platform/BusyCursor.h"
#include "ui/platform/Dialogs.h"
#include "ui/textview/TextPane.h"

#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

void PrintPane(QWidget* parent, Dialogs& dialogs, const QString& text, const QFont& font) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Talkomat"));
    if (!dialogs.printer(parent, printer))
        return;
    BusyCursor busy(parent ? parent->window() : nullptr);
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    painter.setPen(Qt::black);
    // Line by line, each laid out only when its turn comes: a dialogue of a hundred megabytes prints without a
    // document of the whole text in memory. The margins are those a text document prints with, 2 cm.
    const QFont printed(font, &printer);
    const qreal rowHeight = QFontMetricsF(printed, &printer).lineSpacing();
    const qreal margin = 2 / 2.54 * printer.resolution();
    const QRectF page = QRectF(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size())
                            .adjusted(margin, margin, -margin, -margin);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QStringView all(text);
    qreal y = page.top();
    const auto print = [&](QStringView piece) {
        QTextLayout layout(piece.toString(), printed, &printer);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
            row.setLineWidth(page.width());
            row.setPosition(QPointF(0, 0));
        }
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            if (y + rowHeight > page.bottom() && y > page.top()) {
                if (!printer.newPage())
                    return false;
                y = page.top();
            }
            layout.lineAt(i).draw(&painter, QPointF(page.left(), y));
            y += rowHeight;
        }
        return true;
    };
    for (qsizetype from = 0;;) {
        const qsizetype lf = all.indexOf(QLatin1Char('\n'), from);
        qsizetype end = lf < 0 ? all.size() : lf;
        if (lf >= 0 && end > from && all.at(end - 1) == QLatin1Char('\r'))
            --end;
        // A very long line goes to the layout in pieces, as the pane shows it.
        qsizetype piece = from;
        do {
            const qsizetype length = qMin(end - piece, TextPane::maxLineLength());
            if (!print(all.mid(piece, length)))
                return;
            piece += length;
        } while (piece < end);
        if (lf < 0)
            break;
        from = lf + 1;
    }
}
