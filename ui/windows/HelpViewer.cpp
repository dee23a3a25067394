#include "ui/windows/HelpViewer.h"

#include "core/Cp1251.h"
#include "core/FileError.h"
#include "ui/platform/Twips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include <cerrno>
#include <cmath>

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Помощь"));
    // An open help window must not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_browser->setObjectName(QStringLiteral("rtfHelp"));
    m_browser->setAccessibleName(QStringLiteral("Текст справки"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 480);
}

void HelpViewer::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    placeOver(parentWidget());
}

// Without a window manager the window would open at the screen's corner over the main window, at a size that
// knows nothing of the text. It opens centred over the main window instead, wide enough for about eighty
// characters of the help's font, or for its widest table or word, and no larger than the screen.
void HelpViewer::placeOver(const QWidget* over) {
    const QScreen* screen = over && over->screen() ? over->screen() : this->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int chrome = 2 * m_browser->frameWidth() + m_browser->verticalScrollBar()->sizeHint().width();
    QTextDocument* document = m_browser->document();
    int width = m_browser->fontMetrics().averageCharWidth() * 80;
    document->setTextWidth(width);
    width = qMax(width, int(std::ceil(document->size().width())));
    width = qMin(width + chrome, available.width() * 9 / 10);
    document->setTextWidth(width - chrome);
    const int height = qBound(qMin(480, available.height()), int(std::ceil(document->size().height())) + chrome,
                              available.height() * 8 / 10);
    resize(width, height);
    QRect frame(QPoint(), frameGeometry().size());
    frame.moveCenter(over ? over->frameGeometry().center() : available.center());
    move(fitOntoScreens(frame, {available}).topLeft());
    // The topic was found at the old size; the new width moves it.
    if (!m_anchor.isEmpty())
        m_browser->scrollToAnchor(m_anchor);
}

// Like every file of the program the help may be Windows-1251; a file that is valid UTF-8 or says so is read as such.
QString HelpViewer::decodeHelp(const QByteArray& bytes) {
    const QByteArray head = bytes.left(1024).toLower();
    if (head.contains("windows-1251") || head.contains("cp1251"))
        return Cp1251::decode(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? Cp1251::decode(bytes) : text;
}

void HelpViewer::openTopic(const QString& helpFile, int topic) {
    QFile file(helpFile);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        m_browser->setPlainText(
            FileError::failure("Не удалось открыть файл справки \"%1\": %2", helpFile, errno).message);
        return;
    }
    m_browser->setSearchPaths({QFileInfo(helpFile).absolutePath()});
    m_browser->setHtml(decodeHelp(file.readAll()));
    m_anchor = QStringLiteral("topic%1").arg(topic);
    m_browser->scrollToAnchor(m_anchor);
}
