#include "frmAbout.h"

#include "frmSplash.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(8.25);
    setFont(tahoma);

    auto* name = new QLabel(QStringLiteral("Talkomat"), this);
    name->setObjectName(QStringLiteral("lblName"));
    QFont big = tahoma;
    big.setPointSizeF(14);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(QStringLiteral("Версия ") + frmSplash::versionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* description = new QLabel(
        QStringLiteral("Самообучающаяся программа-собеседник: отвечает на ваши реплики и учится у вас."), this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setWordWrap(true);
    auto* credits = new QLabel(QStringLiteral("Авторы: команда разработчиков Talkomat. Построено на Qt %1.")
                                   .arg(QLatin1String(QT_VERSION_STR)),
                               this);
    credits->setObjectName(QStringLiteral("lblCredits"));
    credits->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(description);
    layout->addWidget(credits);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}
