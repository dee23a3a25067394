// The main window's menu commands for the pane colour and font, the person's name and the on-screen keyboard.
#include "ui/frmMain.h"

#include "core/Options.h"
#include "core/TextFile.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "ui/frmKeyboard.h"

#include <QAction>
#include <QLineEdit>

namespace {

qint32 packColor(const QColor& c) {
    return qint32(c.red() | (c.green() << 8) | (c.blue() << 16));
}

QColor unpackColor(qint32 packed) {
    return QColor(packed & 0xFF, (packed >> 8) & 0xFF, (packed >> 16) & 0xFF);
}

// Only blanks count as surrounding space; anything else typed belongs to the name.
QString trimBlanks(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) == QLatin1Char(' '))
        --to;
    return text.mid(from, to - from);
}

} // namespace

void frmMain::connectAppearanceMenus() {
    // The new value stays in memory and in the pane even when the options file cannot be written: the person is
    // told, and the next successful write of the options keeps it.
    auto report = [this](const Result<>& saved) {
        if (!saved)
            m_dialogs.message(this,
                              QStringLiteral("Настройки не сохранены и будут потеряны при выходе.\r\n") + saved.error,
                              QStringLiteral("Ошибка"), Dialogs::Icon::Critical);
    };
    auto saveOptions = [this, report] {
        report(Options::SaveOptions(m_v, m_folder.resolve(Options::optionsFileName())));
    };
    auto applyLook = [this] {
        // Every value here was converted at start-up or set by a chooser; nothing is left that cannot convert.
        if (const Result<PaneLook> look = paneLookFrom(m_v))
            applyPaneLook(*look);
    };

    connect(menuItem("mnuColor"), &QAction::triggered, this, [this, saveOptions, applyLook] {
        const std::optional<QColor> chosen =
            m_dialogs.color(this, unpackColor(m_v.DialogBackColor.asInt32().value_or(0xE6FFFF)));
        if (!chosen)
            return;
        m_v.DialogBackColor = OptionValue::fromInt(packColor(*chosen));
        saveOptions();
        applyLook();
    });

    connect(menuItem("mnuFont"), &QAction::triggered, this, [this, saveOptions, applyLook] {
        QFont preset(m_v.FontName);
        preset.setPointSizeF(m_v.FontSize.asNumber().value_or(10.0));
        preset.setBold(m_v.FontBold.asBool().value_or(false));
        preset.setItalic(m_v.FontItalic.asBool().value_or(false));
        preset.setUnderline(m_v.FontUnderline.asBool().value_or(false));
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
        saveOptions();
        applyLook();
    });

    connect(menuItem("nmuHumanName"), &QAction::triggered, this, [this, report] {
        const std::optional<QString> typed =
            m_dialogs.input(this, QStringLiteral("Введите имя:"), QStringLiteral("Имя"), m_v.HumanName);
        m_txtPhrase->setFocus();
        // A control character pasted into the box must not split the options file's first line.
        if (typed && !typed->isEmpty())
            m_v.HumanName = trimBlanks(TextFile::singleLine(*typed));
        Result<> saved;
        {
            BusyCursor busy(this);
            saved = Options::SaveOptions(m_v, m_folder.resolve(Options::optionsFileName()));
        }
        m_txtPhrase->setFocus();
        report(saved);
    });

    connect(menuItem("mnuKeys"), &QAction::triggered, this, [this] {
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
    });
}
