#include "ui/windows/frmList.h"

#include "dialogue/Journal.h"
#include "ui/platform/BusyCursor.h"
#include "ui/platform/Dialogs.h"
#include "ui/platform/Fonts.h"
#include "ui/platform/Twips.h"
#include "ui/textview/FindBar.h"
#include "ui/textview/PrintPane.h"
#include "ui/textview/TextPane.h"

#include <QEvent>
#include <QPushButton>

QString frmList::caption() {
    return QStringLiteral("Журнал");
}

frmList::frmList(Dialogs& dialogs, const Clock& clock, const QString& journalPath, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_clock(clock), m_journalPath(journalPath) {
    setObjectName(QStringLiteral("frmList"));
    setWindowTitle(caption());
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_rtfList = new TextPane(this);
    m_rtfList->setObjectName(QStringLiteral("rtfList"));
    m_rtfList->setToolTip(QStringLiteral("Поле вывода журнала"));
    m_rtfList->setAccessibleName(caption());

    auto button = [this](const char* name, const QString& text, const QString& tip) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(tip);
        b->setFont(tahoma());
        b->setAutoDefault(false);
        return b;
    };
    m_cmdOK = button("cmdOK", QStringLiteral("Закрыть"), QStringLiteral("Кнопка закрытия журнала"));
    m_cmdClear = button("cmdClear", QStringLiteral("Очистить"), QStringLiteral("Кнопка очистки журнала"));
    m_cmdPrint = button("cmdPrint", QStringLiteral("Печать"), QStringLiteral("Кнопка вывода на печать журнала"));
    m_cmdOK->setDefault(true);
    setTabOrder(m_rtfList, m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdClear);
    setTabOrder(m_cmdClear, m_cmdPrint);

    connect(m_cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cmdClear, &QPushButton::clicked, this, &frmList::cmdClear_Click);
    connect(m_cmdPrint, &QPushButton::clicked, this, &frmList::cmdPrint_Click);
    // Ctrl+F: the find row between the journal and the buttons, taken from the journal's height while it shows.
    m_find = new FindBar(m_rtfList, this);
    connect(m_find, &FindBar::layoutChanged, this, &frmList::layoutControls);

    const double dx = Twips::dpiX(this);
    const double dy = Twips::dpiY(this);
    resize(Twips::toPixels(6210, dx), Twips::toPixels(5700, dy));
    updateMinimumSize();
    layoutControls();
    m_cmdOK->setFocus();
}

void frmList::copyLook(const QColor& back, const QColor& text, const QFont& font) {
    QPalette palette = m_rtfList->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, back);
        palette.setColor(group, QPalette::Text, text);
    }
    m_rtfList->setPalette(palette);
    // Strike-through is not part of the pane's look.
    QFont copied = font;
    copied.setStrikeOut(false);
    m_rtfList->setFont(copied);
}

void frmList::setClearAllowed(bool allowed) {
    m_cmdClear->setEnabled(allowed);
}

Result<> frmList::Form_Load() {
    const Result<QString> text = Journal::ReadJournal(m_journalPath);
    m_rtfList->setPlainText(text.valueOr({}));
    if (!text)
        return Failure{text.error()};
    return Success{};
}

void frmList::cmdClear_Click() {
    const Result<> r = whileBusy(this, [this]() -> Result<> {
        if (Result<> written = Journal::WriteJournalTitle(m_clock, m_journalPath); !written)
            return written;
        return Form_Load();
    });
    if (!r)
        m_dialogs.failure(this, QStringLiteral("Журнал не очищен.\r\n") + r.error());
}

void frmList::cmdPrint_Click() {
    PrintPane(this, m_dialogs, m_rtfList->hasSelection() ? m_rtfList->selectedText() : m_rtfList->text(),
              m_rtfList->font());
}

void frmList::updateMinimumSize() {
    // The smallest window is 4000 by 2300 twips with its frame; the frame is known only once it is shown.
    const QSize frame = frameGeometry().size() - size();
    const double dx = Twips::dpiX(this);
    const double dy = Twips::dpiY(this);
    setMinimumSize(qMax(1, Twips::toPixels(4000, dx) - frame.width()),
                   qMax(1, Twips::toPixels(2300, dy) - frame.height()));
}

void frmList::layoutControls() {
    const double dx = Twips::dpiX(this);
    const double dy = Twips::dpiY(this);
    const double clientWidth = Twips::fromPixels(width(), dx);
    const double clientHeight = Twips::fromPixels(height(), dy);
    const int paneHeight = Twips::toPixels(clientHeight - 540, dy);
    // Minimised, the formulas would give negative sizes; the controls stay where they were.
    if (paneHeight <= 0 || width() <= 0)
        return;
    const int findHeight = m_find->isHidden() ? 0 : qMin(m_find->heightFor(width()), paneHeight - 1);
    m_rtfList->setGeometry(0, 0, width(), paneHeight - findHeight);
    m_find->setGeometry(0, paneHeight - findHeight, width(), findHeight);
    const int top = Twips::toPixels(clientHeight - 435, dy);
    const int buttonWidth = Twips::toPixels(1095, dx);
    const int buttonHeight = Twips::toPixels(375, dy);
    m_cmdPrint->setGeometry(Twips::toPixels(clientWidth - 3390, dx), top, buttonWidth, buttonHeight);
    m_cmdClear->setGeometry(Twips::toPixels(clientWidth - 2295, dx), top, buttonWidth, buttonHeight);
    m_cmdOK->setGeometry(Twips::toPixels(clientWidth - 1215, dx), top, buttonWidth, buttonHeight);
}

void frmList::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutControls();
}

void frmList::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    updateMinimumSize();
    m_cmdOK->setFocus();
}

bool frmList::event(QEvent* event) {
    // While the find row is open the focus stays where the search left it.
    if (event->type() == QEvent::WindowActivate && m_find->isHidden())
        m_cmdOK->setFocus();
    return QDialog::event(event);
}
