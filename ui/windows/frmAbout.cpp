#include "ui/windows/frmAbout.h"

#include "ui/platform/Fonts.h"
#include "ui/windows/frmSplash.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    setFont(tahoma());

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("imgIcon"));
    const QIcon programIcon = QApplication::windowIcon();
    icon->setPixmap(programIcon.pixmap(QSize(64, 64), devicePixelRatio()));
    icon->setVisible(!programIcon.isNull());

    auto* name = new QLabel(QStringLiteral("Talkomat"), this);
    name->setObjectName(QStringLiteral("lblName"));
    QFont big = tahoma(14);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(QStringLiteral("Версия ") + frmSplash::versionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* description = new QLabel(
        QStringLiteral("Самообучающаяся программа-собеседник: отвечает на ваши реплики и учится у вас."), this);
    description->setObjectName(QStringLiteral("lblDescription"));
    auto* credits = new QLabel(QStringLiteral("Авторы: команда разработчиков Talkomat.\nПостроено на Qt %1.")
                                   .arg(QLatin1String(QT_VERSION_STR)),
                               this);
    credits->setObjectName(QStringLiteral("lblCredits"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(description, 2, 1);
    layout->addWidget(credits, 3, 1);
    layout->setRowMinimumHeight(2, description->sizeHint().height() * 2);
    layout->addWidget(buttons, 4, 0, 1, 2);
    // Nothing in the window grows; the person sees it at the size its texts need.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
