// The main window's menu commands for the pane colour and font, the person's name and the on-screen keyboard.
#include "ui/main/frmMain.h"

#include "core/Options.h"
#include "core/TextFile.h"
#include "engine/Phrase.h"
#include "ui/main/PaneColor.h"
#include "ui/platform/BusyCursor.h"
#include "ui/platform/Dialogs.h"
#include "ui/windows/frmKeyboard.h"

#include <QAction>
#include <QLineEdit>

void frmMain::connectAppearanceMenus() {
    connect(item("mnuColor"), &QAction::triggered, this, &frmMain::mnuColor_Click);
    connect(item("mnuFont"), &QAction::triggered, this, &frmMain::mnuFont_Click);
    connect(item("nmuHumanName"), &QAction::triggered, this, &frmMain::nmuHumanName_Click);
    connect(item("mnuKeys"), &QAction::triggered, this, &frmMain::mnuKeys_Click);
}

QString frmMain::optionsFile() const {
    return m_folder.resolve(Options::optionsFileName());
}

// When the options file cannot be written the new value still stays in memory, and a colour or font is still
// applied to the pane: the person is told, and the next successful write of the options keeps it.
void frmMain::reportOptionsSave(const Result<>& saved) {
    if (!saved)
        m_dialogs.failure(this,
                          QStringLiteral("Настройки не сохранены и будут потеряны при выходе.\r\n") + saved.error());
}

void frmMain::mnuColor_Click() {
    const std::optional<QColor> chosen =
        m_dialogs.color(this, unpackColor(quint32(Options::int32Value(m_v, &Variables::DialogBackColor))));
    if (!chosen)
        return;
    m_v.DialogBackColor = OptionValue::fromInt(packColor(*chosen));
    reportOptionsSave(Options::SaveOptions(m_v, optionsFile()));
    // Every value here was converted at start-up or set by a chooser; nothing is left that cannot convert.
    if (const Result<PaneLook> look = paneLookFrom(m_v))
        applyPaneLook(*look);
}

void frmMain::mnuFont_Click() {
    QFont preset(m_v.FontName);
    preset.setPointSizeF(Options::numberValue(m_v, &Variables::FontSize));
    preset.setBold(Options::flagValue(m_v, &Variables::FontBold));
    preset.setItalic(Options::flagValue(m_v, &Variables::FontItalic));
    preset.setUnderline(Options::flagValue(m_v, &Variables::FontUnderline));
    const std::optional<QFont> chosen = m_dialogs.font(this, preset);
    if (!chosen)
        return;
    m_v.FontName = TextFile::singleLine(chosen->family());
    // A font given in pixels has no point size; the preset's size then stands.
    const double size = chosen->pointSizeF() > 0 ? chosen->pointSizeF() : preset.pointSizeF();
    m_v.FontSize = OptionValue::fromFloat(float(size));
    m_v.FontBold = OptionValue::fromBool(chosen->bold());
    m_v.FontItalic = OptionValue::fromBool(chosen->italic());
    m_v.FontUnderline = OptionValue::fromBool(chosen->underline());
    reportOptionsSave(Options::SaveOptions(m_v, optionsFile()));
    if (const Result<PaneLook> look = paneLookFrom(m_v))
        applyPaneLook(*look);
}

void frmMain::nmuHumanName_Click() {
    const std::optional<QString> typed =
        m_dialogs.input(this, QStringLiteral("Введите имя:"), QStringLiteral("Имя"), m_v.HumanName);
    m_txtPhrase->setFocus();
    // A control character pasted into the box must not split the options file's first line; only blanks count
    // as surrounding space, anything else typed belongs to the name.
    if (typed && !typed->isEmpty())
        m_v.HumanName = trimBlanks(TextFile::singleLine(*typed));
    const Result<> saved = whileBusy(this, [&] { return Options::SaveOptions(m_v, optionsFile()); });
    m_txtPhrase->setFocus();
    reportOptionsSave(saved);
}

void frmMain::mnuKeys_Click() {
    // A keyboard closed a moment ago is already on its way to deletion and cannot be shown again.
    frmKeyboard* keyboard = nullptr;
    for (frmKeyboard* open : findChildren<frmKeyboard*>())
        if (open->isVisible())
            keyboard = open;
    if (!keyboard)
        keyboard = new frmKeyboard(
            m_txtPhrase, [this] { Enter(); }, this);
    keyboard->show();
    keyboard->raise();
    keyboard->activateWindow();
}
