#include "ui/windows/frmWhy.h"

#include "ui/platform/Fonts.h"
#include "ui/platform/Twips.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString frmWhy::caption() {
    return QStringLiteral("Почему такой ответ");
}

frmWhy::frmWhy(const QString& explanation, Editor editor, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmWhy"));
    setWindowTitle(caption());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(tahoma());

    m_txtWhy = new QPlainTextEdit(explanation, this);
    m_txtWhy->setObjectName(QStringLiteral("txtWhy"));
    m_txtWhy->setReadOnly(true);
    // The caret moves in it, so that a screen reader can read the explanation line by line; Tab leaves it.
    m_txtWhy->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_txtWhy->setTabChangesFocus(true);
    // The lines wrap at the window's width.
    m_txtWhy->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_txtWhy->setAccessibleName(QStringLiteral("Объяснение"));
    m_txtWhy->setToolTip(QStringLiteral("Почему программа так ответила"));
    m_txtWhy->setAccessibleDescription(m_txtWhy->toolTip());

    m_cmdEdit = new QPushButton(QStringLiteral("Изменить..."), this);
    m_cmdEdit->setObjectName(QStringLiteral("cmdEdit"));
    m_cmdEdit->setToolTip(editor == Editor::Questions ? QStringLiteral("Открыть этот вопрос в базе знаний вопросов")
                          : editor == Editor::Answers ? QStringLiteral("Открыть эту пару в базе знаний ответов")
                                                      : QStringLiteral("Этой записи больше нет в базе знаний"));
    m_cmdEdit->setEnabled(editor != Editor::None);
    m_cmdEdit->setAutoDefault(false);
    m_cmdClose = new QPushButton(QStringLiteral("Закрыть"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setDefault(true);
    connect(m_cmdEdit, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdEdit);
    buttons->addWidget(m_cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_txtWhy);
    layout->addLayout(buttons);

    resize(Twips::toPixels(7200, Twips::dpiX(this)), Twips::toPixels(4800, Twips::dpiY(this)));
    m_txtWhy->setFocus();
}
