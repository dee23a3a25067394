#include "ui/windows/frmKeyboard.h"

#include "ui/platform/Fonts.h"
#include "ui/platform/Twips.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

struct Key {
    const char* caption; // UTF-8
    int left;            // twips
    int top;
    int width;
};

// Keys 0 to 101 sit in a grid of eleven; the rest are wider and placed by hand.
QList<Key> keyLayout() {
    // clang-format off
    static const char* const grid[] = {
        "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0",
        "А", "Б", "В", "Г", "Д", "Е", "Ё", "Ж", "З", "И", "Й",
        "К", "Л", "М", "Н", "О", "П", "Р", "С", "Т", "У", "Ф",
        "Х", "Ц", "Ч", "Ш", "Щ", "Ъ", "Ы", "Ь", "Э", "Ю", "Я",
        "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K",
        "L", "M", "N", "O", "P", "Q", "R", "S", "T", "U", "V",
        "W", "X", "Y", "Z", "~", "!", "@", "#", "$", "%", "^",
        "&&", "*", "(", ")", "{", "}", "[", "]", ";", ":", "\"",
        "'", "<", ">", "?", "/", ".", ",", "\\", "|", "`", "-",
        "+", "_", "=",
    };
    // clang-format on
    QList<Key> keys;
    for (int i = 0; i < int(std::size(grid)); ++i)
        keys.append({grid[i], 120 + 360 * (i % 11), 120 + 360 * (i / 11), 375});
    keys.append({" ПРОБЕЛ ", 1200, 3360, 1455});
    keys.append({"ENTER", 2640, 3720, 1455});
    keys.append({"В ВВЕРХНИЙ РЕГИСТР", 120, 3720, 2535});
    keys.append({"<<< BACKSPASE", 2640, 3360, 1455});
    return keys;
}

} // namespace

QString frmKeyboard::caption() {
    return QStringLiteral("Экранная клавиатура");
}
QString frmKeyboard::toUpperCaption() {
    return QStringLiteral("В ВВЕРХНИЙ РЕГИСТР");
}
QString frmKeyboard::toLowerCaption() {
    return QStringLiteral("В НИЖНИЙ РЕГИСТР");
}
QString frmKeyboard::keyName(int index) {
    return QStringLiteral("cmdKey_%1").arg(index);
}

frmKeyboard::frmKeyboard(QLineEdit* phrase, std::function<void()> enter, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_phrase(phrase), m_enter(std::move(enter)) {
    setObjectName(QStringLiteral("frmKeyboard"));
    setWindowTitle(caption());
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(tahoma());

    const double dx = Twips::dpiX(this);
    const double dy = Twips::dpiY(this);
    const QList<Key> keys = keyLayout();
    for (int i = 0; i < keys.size(); ++i) {
        const Key& k = keys.at(i);
        auto* button = new QPushButton(QString::fromUtf8(k.caption), this);
        button->setObjectName(keyName(i));
        button->setAutoDefault(false);
        button->setGeometry(Twips::toPixels(k.left, dx), Twips::toPixels(k.top, dy), Twips::toPixels(k.width, dx),
                            Twips::toPixels(375, dy));
        // Where Tahoma is missing its substitute may be wider; a caption is made smaller rather than cut off.
        QFont font = button->font();
        while (font.pointSizeF() > 6 &&
               QFontMetrics(font).horizontalAdvance(button->text()) > button->width() - Twips::toPixels(60, dx))
            font.setPointSizeF(font.pointSizeF() - 0.25);
        button->setFont(font);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdKey_Click(i); });
        m_keys.append(button);
    }
    for (int i = 0; i < 102; ++i)
        setTabOrder(m_keys.at(i), m_keys.at(i + 1));
    setTabOrder(m_keys.at(102), m_keys.at(BackspaceKey));
    setTabOrder(m_keys.at(BackspaceKey), m_keys.at(CaseKey));
    setTabOrder(m_keys.at(CaseKey), m_keys.at(EnterKey));

    // The window keeps one size, whatever its border is dragged to.
    setFixedSize(Twips::toPixels(4185, dx), Twips::toPixels(4185, dy));
    const QScreen* screen = parent && parent->screen() ? parent->screen() : QApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

QPushButton* frmKeyboard::cmdKey(int index) const {
    return m_keys.value(index);
}

void frmKeyboard::cmdKey_Click(int index) {
    QPushButton* caseKey = m_keys.at(CaseKey);
    const bool lowerCase = caseKey->text() == toUpperCaption();
    if (index == CaseKey) {
        caseKey->setText(lowerCase ? toLowerCaption() : toUpperCaption());
    } else if (index == EnterKey) {
        if (m_enter)
            m_enter();
    } else if (index == BackspaceKey) {
        if (m_phrase && !m_phrase->text().isEmpty())
            m_phrase->setText(m_phrase->text().chopped(1));
    } else if (index >= 0 && index < EnterKey && m_phrase) {
        // The caption's text is what counts: "&&" shows one ampersand and types one.
        QChar c = m_keys.at(index)->text().at(0);
        if (lowerCase)
            c = c.toLower();
        m_phrase->setText(m_phrase->text() + c);
    }
}

void frmKeyboard::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Another window of ours taking over ends the keyboard; another application taking over does not.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        QWidget* active = QApplication::activeWindow();
        if (active && active != this)
            close();
    }
}
