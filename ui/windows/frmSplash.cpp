#include "ui/windows/frmSplash.h"

#include "core/Version.h"
#include "ui/platform/Fonts.h"
#include "ui/platform/Twips.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QScreen>

namespace {
QRect twipsRect(const QWidget* w, int left, int top, int width, int height) {
    const double dx = Twips::dpiX(w);
    const double dy = Twips::dpiY(w);
    return {Twips::toPixels(left, dx), Twips::toPixels(top, dy), Twips::toPixels(width, dx),
            Twips::toPixels(height, dy)};
}
} // namespace

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_frMain(new QFrame(this)),
      m_lblTitle(new QLabel(Version::titlePrefix(), m_frMain)), m_lblVer(new QLabel(m_frMain)),
      m_lblInfo(new QLabel(QStringLiteral("Загрузка баз знаний..."), m_frMain)) {
    setObjectName(QStringLiteral("frmSplash"));
    m_frMain->setObjectName(QStringLiteral("frMain"));
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    m_lblVer->setObjectName(QStringLiteral("lblVer"));
    m_lblInfo->setObjectName(QStringLiteral("lblInfo"));
    m_frMain->setFrameShape(QFrame::Box);

    QFont title = tahoma();
    title.setPointSizeF(12);
    title.setBold(true);
    m_lblTitle->setFont(title);
    m_lblVer->setFont(title);
    m_lblInfo->setFont(tahoma());

    m_frMain->setGeometry(twipsRect(this, 120, 0, 3015, 975));
    // The layout was drawn for a box that starts half a text line below the frame's top, where a caption would
    // stand; drawn from the very top, it touched the window's edge while the other three sides kept a margin.
    m_frMain->setFrameRect(m_frMain->rect().adjusted(0, QFontMetrics(tahoma()).height() / 2, 0, 0));
    m_lblTitle->setGeometry(twipsRect(this, 240, 240, 2115, 285));
    m_lblTitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblVer->setGeometry(twipsRect(this, 2400, 240, 75, 285));
    m_lblInfo->setGeometry(twipsRect(this, 600, 600, 1740, 195));
    m_lblInfo->adjustSize();
    setFixedSize(twipsRect(this, 0, 0, 3255, 1095).size());
}

QString frmSplash::versionText() {
    return Version::number();
}

void frmSplash::showNow() {
    m_lblVer->setText(versionText());
    // The design width holds one digit; the label grows to the version it is given.
    m_lblVer->adjustSize();
    m_lblVer->setFixedHeight(m_lblTitle->height());
    // Right against the right-aligned title: the few pixels between the two boxes, widened by the font's side
    // bearings, read as a space ("Talkomat v 1.0").
    m_lblVer->move(m_lblTitle->geometry().right() + 1, m_lblTitle->y());
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
