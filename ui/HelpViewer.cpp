#include "ui/HelpViewer.h"

#include "core/Cp1251.h"
#include "core/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <cerrno>

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Помощь"));
    // An open help window must not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_browser->setObjectName(QStringLiteral("rtfHelp"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 480);
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
    m_browser->scrollToAnchor(QStringLiteral("topic%1").arg(topic));
}
