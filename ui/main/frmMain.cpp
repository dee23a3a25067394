#include "ui/main/frmMain.h"

#include "core/Bases.h"
#include "core/Version.h"
#include "dialogue/Dialogue.h"
#include "dialogue/Journal.h"
#include "ui/main/MenuTree.h"
#include "ui/main/PaneColor.h"
#include "ui/platform/BusyCursor.h"
#include "ui/platform/Dialogs.h"
#include "ui/platform/Fonts.h"
#include "ui/platform/Twips.h"
#include "ui/textview/FindBar.h"
#include "ui/textview/TextPane.h"
#include "ui/windows/frmAbout.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>

QString frmMain::helpFileName() {
    return QStringLiteral("help.hlp");
}

QString frmMain::baseCaption() {
    return Version::title();
}

frmMain::frmMain(Variables& v, Dialogue& dialogue, Dialogs& dialogs, QSettings& settings, const Clock& clock,
                 const ProgramFolder& folder, QWidget* parent)
    : QMainWindow(parent), m_v(v), m_dialogue(dialogue), m_dialogs(dialogs), m_settings(settings), m_clock(clock),
      m_folder(folder), m_merge(v) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(baseCaption());
    buildControls();
    buildMenus();
    connectWhyAndFind();

    connect(&m_dialogue, &Dialogue::paneReset, this, &frmMain::showPaneText);
    connect(&m_dialogue, &Dialogue::paneAppended, this, &frmMain::appendPaneText);
    connect(&m_dialogue, &Dialogue::runningChanged, this, &frmMain::setRunningControls);
    connect(&m_dialogue, &Dialogue::captionChanged, this, &QWidget::setWindowTitle);
    // Queued, so that the notice comes after the turn has shown its lines and the window is usable again.
    connect(
        &m_dialogue, &Dialogue::journalFailed, this,
        [this](const QString& error) {
            m_dialogs.notice(this, journalFailedMessage() + QStringLiteral("\n\n") + error, Dialogs::Icon::Exclamation);
        },
        Qt::QueuedConnection);

    const double dx = Twips::dpiX(this);
    const double dy = Twips::dpiY(this);
    resize(Twips::toPixels(7035, dx), Twips::toPixels(4710, dy) + menuBar()->sizeHint().height());
}

frmMain::~frmMain() = default;

void frmMain::buildControls() {
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    // Created in tab order: phrase box, pane, button.
    m_txtPhrase = new QLineEdit(m_client);
    m_txtPhrase->setObjectName(QStringLiteral("txtPhrase"));
    m_txtPhrase->setToolTip(QStringLiteral("Поле ввода реплики человека."));
    // What a screen reader says for the two controls; the tooltips stay their descriptions.
    m_txtPhrase->setAccessibleName(QStringLiteral("Ваша реплика"));
    m_txtPhrase->setAccessibleDescription(m_txtPhrase->toolTip());
    m_txtPhrase->setFont(tahoma());

    // The pane shows the dialogue's own text, which outlives the window, and is told of every change to it.
    m_rtfDialog = new TextPane(m_client);
    m_rtfDialog->setObjectName(QStringLiteral("rtfDialog"));
    m_rtfDialog->setToolTip(QStringLiteral("Поле вывода диалога."));
    m_rtfDialog->setAccessibleName(QStringLiteral("Диалог"));
    m_rtfDialog->showText(m_dialogue.paneText());

    m_cmdApply = new QPushButton(QStringLiteral("Принять"), m_client);
    m_cmdApply->setObjectName(QStringLiteral("cmdApply"));
    m_cmdApply->setDefault(true);
    m_cmdApply->setFocusPolicy(Qt::NoFocus);
    // The phrase box overlaps the pane's bottom edge and must be drawn over it.
    m_txtPhrase->raise();

    // A main window has no default button of its own: Enter in the phrase box presses it here, and only while
    // it is enabled.
    connect(m_txtPhrase, &QLineEdit::returnPressed, this, [this] {
        if (m_cmdApply->isEnabled())
            m_cmdApply->click();
    });
    connect(m_cmdApply, &QPushButton::clicked, this, &frmMain::Enter);

    m_client->installEventFilter(this);
    m_txtPhrase->installEventFilter(this);
    m_txtPhrase->setFocus();
}

void frmMain::buildMenus() {
    QHash<QByteArray, QMenu*> menus;
    for (const MenuEntry& entry : menuTree()) {
        QMenu* parent = entry.parent ? menus.value(entry.parent) : nullptr;
        if (entry.kind == MenuEntry::Kind::Menu) {
            QMenu* menu = parent ? parent->addMenu(entry.caption) : menuBar()->addMenu(entry.caption);
            menu->setObjectName(QLatin1String(entry.name));
            menus.insert(entry.name, menu);
            continue;
        }
        Q_ASSERT_X(parent, entry.name, "a command comes after its menu");
        QAction* action =
            entry.kind == MenuEntry::Kind::Separator ? parent->addSeparator() : parent->addAction(entry.caption);
        action->setObjectName(QLatin1String(entry.name));
        action->setShortcut(entry.shortcut);
    }
    m_mnuSave = item("mnuSave");
    m_mnuSaveAs = item("mnuSaveAs");
    m_mnuStop = item("mnuStop");
    m_mnuHuman = item("mnuHuman");
    m_mnuProgramm = item("mnuProgramm");
    m_mnuFirstBase = item("mnuFirstBase");
    m_mnuSecondBase = item("mnuSecondBase");
    m_mnuSeparator2 = item("mnuSeparator2");
    m_mnuRunSplit = item("mnuRunSplit");
    m_mnuHuman->setCheckable(true);
    m_mnuProgramm->setCheckable(true);
    m_mnuHuman->setChecked(true);
    auto* starters = new QActionGroup(this);
    starters->addAction(m_mnuHuman);
    starters->addAction(m_mnuProgramm);

    connect(item("mnuNewDialog"), &QAction::triggered, this, &frmMain::DialogNew);
    connect(m_mnuStop, &QAction::triggered, this, &frmMain::DialogStop);
    connect(item("mnuExit"), &QAction::triggered, this, &QWidget::close);
    connect(m_mnuHuman, &QAction::triggered, this, [this] { m_dialogue.setHumanStarts(true); });
    connect(m_mnuProgramm, &QAction::triggered, this, [this] { m_dialogue.setHumanStarts(false); });
    connect(item("mnuHelp"), &QAction::triggered, this,
            [this] { m_dialogs.help(this, m_folder.resolve(helpFileName()), 1); });
    connect(item("mnuAbout"), &QAction::triggered, this, [this] {
        frmAbout about(this);
        m_dialogs.execModal(about);
    });
    connectDocumentMenus();
    connectBaseMenus();
    connectAppearanceMenus();
}

QAction* frmMain::item(const char* name) const {
    QAction* action = findChild<QAction*>(QLatin1String(name));
    Q_ASSERT_X(action, name, "not in the menu tree");
    return action;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize)
        layoutControls();
    // On X11 a line edit claims Ctrl+E and Ctrl+K for its own line editing; the menu's shortcuts come first.
    if ((watched == m_txtPhrase || (m_find && watched == m_find->field())) &&
        event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        const QList<QAction*> actions = findChildren<QAction*>();
        for (const QAction* action : actions) {
            if (action->isEnabled() && action->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::layoutControls() {
    const double dx = Twips::dpiX(this);
    const double dy = Twips::dpiY(this);
    const double clientWidth = Twips::fromPixels(m_client->width(), dx);
    const double clientHeight = Twips::fromPixels(m_client->height(), dy);
    const int paneHeight = Twips::toPixels(clientHeight - 370, dy);
    // A minimised or tiny window leaves the controls where they were.
    if (paneHeight < 0 || m_client->width() <= 0)
        return;
    const int width = Twips::toPixels(clientWidth + 45, dx);
    // The find row, while it shows, takes its height from the pane's bottom.
    const int findHeight = m_find && !m_find->isHidden() ? qMin(m_find->heightFor(m_client->width()), paneHeight) : 0;
    m_rtfDialog->setGeometry(Twips::toPixels(-15, dx), 0, width, paneHeight - findHeight);
    if (m_find)
        m_find->setGeometry(0, paneHeight - findHeight, m_client->width(), findHeight);
    m_txtPhrase->setGeometry(0, Twips::toPixels(clientHeight - 380, dy), width, Twips::toPixels(375, dy));
    m_cmdApply->setGeometry(0, Twips::toPixels(-600, dy), Twips::toPixels(1215, dx), Twips::toPixels(495, dy));
}

void frmMain::setRunningControls(bool running) {
    m_cmdApply->setEnabled(running);
    m_mnuStop->setEnabled(running);
    m_mnuSave->setEnabled(running);
    m_mnuSaveAs->setEnabled(running);
}

void frmMain::showPaneText() {
    m_rtfDialog->showText(m_dialogue.paneText());
    moveCaretToEnd();
}

void frmMain::appendPaneText() {
    m_rtfDialog->textAppended();
    moveCaretToEnd();
}

void frmMain::moveCaretToEnd() {
    m_rtfDialog->moveCaretToEnd();
}

void frmMain::applyPaneLook(const PaneLook& look) {
    const QColor back = unpackColor(look.BackColor);
    QPalette palette = m_rtfDialog->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, back);
        // The pane is always light unless the person picks otherwise; a dark desktop theme must not paint
        // white letters on it.
        palette.setColor(group, QPalette::Text, back.lightness() < 110 ? QColor(Qt::white) : QColor(Qt::black));
    }
    m_rtfDialog->setPalette(palette);

    QFont font(look.FontName);
    font.setPointSizeF(look.FontSize);
    font.setBold(look.FontBold);
    font.setItalic(look.FontItalic);
    font.setUnderline(look.FontUnderline);
    m_rtfDialog->setFont(font);
}

void frmMain::applyPlacement(const Placement& stored) {
    const double dx = Twips::dpiX(this);
    const double dy = Twips::dpiY(this);
    // The menu bar and the phrase box must fit: a smaller window cannot be used, and it would be stored so again.
    const QSize menus = menuBar()->sizeHint();
    const Placement p =
        withUsableSize(stored, Twips::fromPixels(menus.width(), dx), Twips::fromPixels(menus.height(), dy) + 380);
    QRect frame(Twips::toPixels(p.Left, dx), Twips::toPixels(p.Top, dy), Twips::toPixels(p.Width, dx),
                Twips::toPixels(p.Height, dy));
    frame = fitOntoScreens(frame, availableScreens());
    move(frame.topLeft());
    resize(frame.size());
    m_fitWhenShown = true;
}

QList<QRect> frmMain::availableScreens() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

// The window's frame is known only once it is on screen; the placement is fitted again with it, so that the title
// bar and the bottom edge really are visible.
void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_fitWhenShown || isMaximized() || isFullScreen())
        return;
    m_fitWhenShown = false;
    const QRect frame = frameGeometry();
    const QRect fitted = fitOntoScreens(frame, availableScreens());
    if (fitted == frame)
        return;
    move(fitted.topLeft());
    resize(size() - (frame.size() - fitted.size()));
}

Placement frmMain::currentPlacement() const {
    const double dx = Twips::dpiX(this);
    const double dy = Twips::dpiY(this);
    Placement p;
    p.Left = Twips::fromPixels(pos().x(), dx);
    p.Top = Twips::fromPixels(pos().y(), dy);
    p.Width = Twips::fromPixels(width(), dx);
    p.Height = Twips::fromPixels(height(), dy);
    return p;
}

StartupOutcome frmMain::Form_Load() {
    return RunStartup(m_v, *this, m_settings, m_folder);
}

void frmMain::setLoading(bool loading) {
    if (loading)
        m_loading = std::make_unique<BusyCursor>(this);
    else
        m_loading.reset();
}

void frmMain::hideMergeItems() {
    m_mnuRunSplit->setVisible(false);
    m_mnuSeparator2->setVisible(false);
}

Result<> frmMain::checkJournal() {
    return Journal::ListCheck(m_clock, m_dialogue.journalPath());
}

void frmMain::startDialogue() {
    DialogNew();
}

void frmMain::Enter() {
    {
        BusyCursor busy(this);
        m_dialogue.Turn(m_txtPhrase->text());
        m_txtPhrase->clear();
    }
    moveCaretToEnd();
    // Disabling the window took the focus away from the phrase box; the next phrase goes there again.
    m_txtPhrase->setFocus();
}

void frmMain::DialogNew() {
    if (m_dialogue.DialogNew() == Dialogue::NewResult::NoQuestions)
        m_dialogs.notice(this, Dialogue::noQuestionsMessage());
    m_txtPhrase->setFocus();
}

void frmMain::DialogStop() {
    m_dialogue.DialogStop();
}

bool frmMain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        emit activated();
    return QMainWindow::event(event);
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (confirmClose())
        event->accept();
    else
        event->ignore();
}

bool frmMain::confirmClose() {
    const QString question = QStringLiteral("Вопрос");
    if (!m_dialogs.question(this, QStringLiteral("Выйти?"), question))
        return false;
    // After a failed save the person was told why; the program stays so that the dialogue can be saved elsewhere.
    if (!m_v.DialogSaved && m_dialogs.question(this, QStringLiteral("Сохранить диалог перед выходом?"), question) &&
        DialogSave() == SaveOutcome::Failed)
        return false;
    if ((m_v.QuestionBaseChanged || m_v.AnswerBaseChanged || m_v.SynonymBaseChanged) &&
        m_dialogs.question(this, QStringLiteral("Сохранить базы знаний перед выходом?"), question)) {
        const Result<> saved = whileBusy(this, [&] { return SaveBases(m_v, m_folder); });
        // Ending now would throw away what the program learned: the person is told and the program stays, so the
        // cause can be fixed and the bases saved on the next try (or dropped by answering No).
        if (!saved) {
            m_dialogs.failure(this, saved.error() + QStringLiteral("\r\nБазы знаний не сохранены. Программа продолжает "
                                                                   "работу, чтобы изменения не пропали."));
            return false;
        }
    }
    if (!isMinimized())
        writePlacement(m_settings, currentPlacement());
    return true;
}

QString frmMain::journalFailedMessage() {
    return QStringLiteral("Журнал разговоров не пополняется. Диалог продолжается, но его строки не попадут в журнал.");
}
