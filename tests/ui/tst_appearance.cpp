#include "ProgramRig.h"
#include "core/Options.h"
#include "core/TextFile.h"
#include "ui/platform/Twips.h"
#include "ui/textview/TextPane.h"
#include "ui/windows/frmKeyboard.h"
#include "ui/windows/frmList.h"

#include <QPushButton>

namespace {

QStringList optionsFile(const ProgramRig& rig) {
    return TextFile::splitLines(readAll(rig.file(QStringLiteral("tk.ini"))));
}

ScriptedDialogs::Step colorStep(const QString& answer) {
    return {ScriptedDialogs::Kind::Color, {}, answer};
}
ScriptedDialogs::Step fontStep(const QString& answer) {
    return {ScriptedDialogs::Kind::Font, {}, answer};
}
ScriptedDialogs::Step nameStep(const QString& answer) {
    return {ScriptedDialogs::Kind::Input, u8("Введите имя:"), answer};
}

// What the journal viewer shows when it opens now.
struct ViewerLook {
    QColor back;
    QFont font;
};
ViewerLook viewerLook(ProgramRig& rig) {
    ViewerLook look;
    rig.dialogs.expectModal(QStringLiteral("frmList"), [&](QDialog& dialog) {
        const TextPane* view = static_cast<frmList&>(dialog).view();
        look.back = view->palette().color(QPalette::Base);
        look.font = view->font();
    });
    rig.action("mnuList")->trigger();
    return look;
}

frmKeyboard* openKeyboard(ProgramRig& rig) {
    rig.action("mnuKeys")->trigger();
    return rig.main()->findChild<frmKeyboard*>(QStringLiteral("frmKeyboard"));
}

// The characters keys 0 to 102 type in upper case.
QString upperCharacters() {
    return u8(
        "01234567890АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯABCDEFGHIJKLMNOPQRSTUVWXYZ~!@#$%^&*(){}[];:\"'<>?/.,\\|`-+_= ");
}

} // namespace

class tst_Appearance : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NOTHING_LEFT_OPEN(); }

    void colourIsWrittenAndShown_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("line5");
        QTest::newRow("white") << QStringLiteral("#ffffff") << QStringLiteral(" 16777215 ");
        QTest::newRow("black") << QStringLiteral("#000000") << QStringLiteral(" 0 ");
        QTest::newRow("red low, blue high") << QStringLiteral("#102030") << QStringLiteral(" 3153936 ");
    }
    void colourIsWrittenAndShown() {
        QFETCH(QString, chosen);
        QFETCH(QString, line5);
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        QStringList expected = optionsFile(rig);
        rig.dialogs.add(colorStep(chosen));

        rig.action("mnuColor")->trigger();

        QVERIFY(rig.dialogs.verify());
        QCOMPARE(rig.dialogs.shown().constLast().initial, QStringLiteral("#ffffe6"));
        expected[Options::indexOf(&Variables::DialogBackColor)] = line5;
        QCOMPARE(optionsFile(rig), expected);
        QCOMPARE(rig.rtfDialog()->palette().color(QPalette::Base), QColor::fromString(chosen));
        QCOMPARE(viewerLook(rig).back, QColor::fromString(chosen));
        QVERIFY(rig.dialogs.verify());
        QVERIFY(rig.quit());
    }

    void fontIsWrittenAndShown() {
        ProgramRig rig;
        QDir().mkpath(rig.folder);
        QStringList lines = Options::defaultLines();
        lines[Options::indexOf(&Variables::FontBold)] = QStringLiteral("0");
        lines[Options::indexOf(&Variables::FontStrikethrough)] = QStringLiteral(" -1 ");
        QVERIFY(writeAll(rig.file(QStringLiteral("tk.ini")), TextFile::joinLines(lines)));
        QCOMPARE(rig.start(), Program::Start::Running);
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSizeF(13.5);
        chosen.setBold(true);
        chosen.setItalic(false);
        chosen.setUnderline(true);
        rig.dialogs.add(fontStep(chosen.toString()));

        rig.action("mnuFont")->trigger();

        QVERIFY(rig.dialogs.verify());
        QFont preset;
        QVERIFY(preset.fromString(rig.dialogs.shown().constLast().initial));
        QCOMPARE(preset.family(), QStringLiteral("Arial"));
        QCOMPARE(preset.pointSizeF(), 10.0);
        QVERIFY(!preset.bold());
        const QStringList after = optionsFile(rig);
        const auto at = [](const Options::Field& option) { return Options::indexOf(option); };
        QCOMPARE(after.size(), lines.size());
        QCOMPARE(after.mid(0, at(&Variables::FontName)), lines.mid(0, at(&Variables::FontName)));
        QCOMPARE(after.at(at(&Variables::FontName)), QStringLiteral("DejaVu Serif"));
        QCOMPARE(after.at(at(&Variables::FontSize)), QStringLiteral(" 13.5 "));
        QCOMPARE(after.at(at(&Variables::FontBold)), QStringLiteral("True"));
        QCOMPARE(after.at(at(&Variables::FontItalic)), QStringLiteral("False"));
        QCOMPARE(after.at(at(&Variables::FontUnderline)), QStringLiteral("True"));
        QCOMPARE(after.at(at(&Variables::FontStrikethrough)), QStringLiteral(" -1 "));
        QCOMPARE(after.mid(at(&Variables::Alphabet)), lines.mid(at(&Variables::Alphabet)));

        const QFont pane = rig.rtfDialog()->font();
        QCOMPARE(pane.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(pane.pointSizeF(), 13.5);
        QVERIFY(pane.bold());
        QVERIFY(!pane.italic());
        QVERIFY(pane.underline());
        QVERIFY(!pane.strikeOut());
        const QFont viewer = viewerLook(rig).font;
        QCOMPARE(viewer.family(), pane.family());
        QCOMPARE(viewer.pointSizeF(), pane.pointSizeF());
        QCOMPARE(viewer.bold(), pane.bold());
        QCOMPARE(viewer.underline(), pane.underline());
        QVERIFY(rig.dialogs.verify());

        // The chooser opens next time on what was chosen.
        rig.dialogs.add(fontStep({}));
        rig.action("mnuFont")->trigger();
        QFont again;
        again.fromString(rig.dialogs.shown().constLast().initial);
        QCOMPARE(again.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(again.pointSizeF(), 13.5);
        QVERIFY(again.bold());
        QVERIFY(rig.quit());
    }

    void cancelledChoosersWriteNothing() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        QVERIFY(QFile::remove(rig.file(QStringLiteral("tk.ini"))));
        const QColor back = rig.rtfDialog()->palette().color(QPalette::Base);
        const QFont font = rig.rtfDialog()->font();
        const Variables before = rig.v;
        rig.dialogs.add(colorStep({}));
        rig.dialogs.add(fontStep({}));

        rig.action("mnuColor")->trigger();
        rig.action("mnuFont")->trigger();

        QVERIFY(rig.dialogs.verify());
        QVERIFY(!QFile::exists(rig.file(QStringLiteral("tk.ini"))));
        QCOMPARE(rig.rtfDialog()->palette().color(QPalette::Base), back);
        QCOMPARE(rig.rtfDialog()->font(), font);
        QCOMPARE(Options::optionLines(rig.v), Options::optionLines(before));
        QVERIFY(rig.quit());
    }

    void personsName_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("tag");
        QTest::newRow("spaces around") << u8("  Вася  ") << u8("Вася") << u8("<ВАСЯ>");
        QTest::newRow("only spaces") << u8("   ") << QString() << u8("<>");
        QTest::newRow("inner spaces kept") << u8(" Анна Мария ") << u8("Анна Мария") << u8("<АННА МАРИЯ>");
        QTest::newRow("line break pasted") << u8("Ва\r\nся") << u8("Ва  ся") << u8("<ВА  СЯ>");
        QTest::newRow("cancelled") << QString() << u8("Человек") << u8("<ЧЕЛОВЕК>");
    }
    void personsName() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, tag);
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        QVERIFY(QFile::remove(rig.file(QStringLiteral("tk.ini"))));
        const QStringList before = Options::optionLines(rig.v);
        rig.dialogs.add(nameStep(typed));

        rig.action("nmuHumanName")->trigger();

        QVERIFY(rig.dialogs.verify());
        const ScriptedDialogs::Shown box = rig.dialogs.shown().constLast();
        QCOMPARE(box.title, u8("Имя"));
        QCOMPARE(box.initial, u8("Человек"));
        QCOMPARE(rig.v.HumanName, stored);
        // Written even when nothing changed.
        QStringList expected = before;
        expected[Options::indexOf(&Variables::HumanName)] = stored;
        QCOMPARE(optionsFile(rig), expected);
        QCOMPARE(rig.main()->focusWidget(), rig.txtPhrase());
        rig.say(u8("привет"));
        QVERIFY2(rig.pane().contains(QStringLiteral("\r\n") + tag + u8("Привет.\r\n")), qPrintable(rig.pane()));
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(rig.quit());
    }

    void optionsThatCannotBeWrittenAreReported_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        QTest::newRow("colour") << QStringLiteral("mnuColor") << QStringLiteral("#204060");
        QTest::newRow("font") << QStringLiteral("mnuFont") << QStringLiteral("DejaVu Sans,12,-1,5,700,0,0,0,0,0");
        QTest::newRow("name") << QStringLiteral("nmuHumanName") << u8("Петя");
    }
    void optionsThatCannotBeWrittenAreReported() {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        QVERIFY(QFile::remove(rig.file(QStringLiteral("tk.ini"))));
        QVERIFY(QDir().mkpath(rig.file(QStringLiteral("tk.ini"))));
        if (command == QLatin1String("mnuColor"))
            rig.dialogs.add(colorStep(answer));
        else if (command == QLatin1String("mnuFont"))
            rig.dialogs.add(fontStep(answer));
        else
            rig.dialogs.add(nameStep(answer));
        rig.dialogs.expectMessageStartingWith(u8("Настройки не сохранены"));

        rig.main()->findChild<QAction*>(command)->trigger();

        QVERIFY(rig.dialogs.verify());
        QVERIFY(rig.dialogs.shown().constLast().text.contains(QStringLiteral("tk.ini")));
        // Kept in memory and shown; the next write that works keeps it.
        if (command == QLatin1String("mnuColor")) {
            QCOMPARE(rig.v.DialogBackColor.toFileText(), QStringLiteral(" 6307872 "));
            QCOMPARE(rig.rtfDialog()->palette().color(QPalette::Base), QColor::fromString(answer));
        } else if (command == QLatin1String("mnuFont")) {
            QCOMPARE(rig.v.FontName, QStringLiteral("DejaVu Sans"));
            QCOMPARE(rig.v.FontBold.toFileText(), QStringLiteral("True"));
            QCOMPARE(rig.rtfDialog()->font().family(), QStringLiteral("DejaVu Sans"));
        } else {
            QCOMPARE(rig.v.HumanName, answer);
        }
        QVERIFY(rig.main()->isEnabled());
        QVERIFY(QDir().rmdir(rig.file(QStringLiteral("tk.ini"))));
        QVERIFY(rig.quit());
    }

    void keyboardLayout_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        const QString upper = upperCharacters();
        for (int i = 0; i < 102; ++i) {
            const QString caption = i == 77 ? QStringLiteral("&&") : QString(upper.at(i));
            QTest::addRow("key %d", i) << i << caption << QRect(120 + 360 * (i % 11), 120 + 360 * (i / 11), 375, 375);
        }
        QTest::newRow("space") << 102 << u8(" ПРОБЕЛ ") << QRect(1200, 3360, 1455, 375);
        QTest::newRow("enter") << 103 << u8("ENTER") << QRect(2640, 3720, 1455, 375);
        QTest::newRow("case") << 104 << u8("В ВВЕРХНИЙ РЕГИСТР") << QRect(120, 3720, 2535, 375);
        QTest::newRow("backspace") << 105 << u8("<<< BACKSPASE") << QRect(2640, 3360, 1455, 375);
    }
    void keyboardLayout() {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        frmKeyboard* keyboard = openKeyboard(rig);
        QVERIFY(keyboard);
        QCOMPARE(keyboard->findChildren<QPushButton*>().size(), 106);
        QPushButton* key = keyboard->findChild<QPushButton*>(QStringLiteral("cmdKey_%1").arg(index));
        QVERIFY(key);
        QCOMPARE(key, keyboard->cmdKey(index));
        QCOMPARE(key->text(), caption);
        QCOMPARE(key->font().family(), QStringLiteral("Tahoma"));
        const double dx = Twips::dpiX(keyboard);
        const double dy = Twips::dpiY(keyboard);
        QCOMPARE(key->geometry(), QRect(Twips::toPixels(twips.x(), dx), Twips::toPixels(twips.y(), dy),
                                        Twips::toPixels(twips.width(), dx), Twips::toPixels(twips.height(), dy)));
        keyboard->close();
        QVERIFY(rig.quit());
    }

    void keyboardWindow() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        frmKeyboard* keyboard = openKeyboard(rig);
        QVERIFY(keyboard->isVisible());
        QCOMPARE(keyboard->windowTitle(), u8("Экранная клавиатура"));
        QVERIFY(keyboard->windowFlags().testFlag(Qt::Tool));
        QVERIFY(!keyboard->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!keyboard->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!keyboard->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(rig.main()->isEnabled());
        const double dx = Twips::dpiX(keyboard);
        const double dy = Twips::dpiY(keyboard);
        const QSize size(Twips::toPixels(4185, dx), Twips::toPixels(4185, dy));
        QCOMPARE(keyboard->size(), size);
        keyboard->resize(size * 2);
        QCOMPARE(keyboard->size(), size);

        // Tab order: by index, but backspace right after the space bar and ENTER last.
        QStringList order;
        QWidget* w = keyboard->cmdKey(0);
        for (int i = 0; i < 106; ++i) {
            order.append(w->objectName());
            w = w->nextInFocusChain();
        }
        QStringList expected;
        for (int i = 0; i <= 102; ++i)
            expected.append(frmKeyboard::keyName(i));
        expected << frmKeyboard::keyName(105) << frmKeyboard::keyName(104) << frmKeyboard::keyName(103);
        QCOMPARE(order, expected);
        keyboard->close();
        QVERIFY(rig.quit());
    }

    void everyKeyInBothCases() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        frmKeyboard* keyboard = openKeyboard(rig);
        QLineEdit* phrase = rig.txtPhrase();
        const QString upper = upperCharacters();
        QString lower = upper;
        for (QChar& c : lower)
            if (c.isLetter())
                c = c.toLower();
        QCOMPARE(lower.mid(11, 33), u8("абвгдеёжзийклмнопрстуфхцчшщъыьэюя"));

        for (int i = 0; i <= 102; ++i)
            QTest::mouseClick(keyboard->cmdKey(i), Qt::LeftButton);
        QCOMPARE(phrase->text(), lower);

        phrase->clear();
        keyboard->cmdKey(frmKeyboard::CaseKey)->click();
        QCOMPARE(keyboard->cmdKey(frmKeyboard::CaseKey)->text(), u8("В НИЖНИЙ РЕГИСТР"));
        for (int i = 0; i <= 102; ++i)
            keyboard->cmdKey(i)->click();
        QCOMPARE(phrase->text(), upper);
        keyboard->cmdKey(frmKeyboard::CaseKey)->click();
        QCOMPARE(keyboard->cmdKey(frmKeyboard::CaseKey)->text(), u8("В ВВЕРХНИЙ РЕГИСТР"));
        keyboard->close();
        QVERIFY(rig.quit());
    }

    void typingGoesToTheEndAndBackspaceTakesTheLast() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        frmKeyboard* keyboard = openKeyboard(rig);
        QLineEdit* phrase = rig.txtPhrase();
        QPushButton* backspace = keyboard->cmdKey(frmKeyboard::BackspaceKey);
        backspace->click();
        QCOMPARE(phrase->text(), QString());

        phrase->setText(u8("Привет"));
        phrase->setCursorPosition(0);
        backspace->click();
        QCOMPARE(phrase->text(), u8("Приве"));
        phrase->setSelection(0, 3);
        keyboard->cmdKey(26)->click(); // О
        QCOMPARE(phrase->text(), u8("Привео"));
        keyboard->close();
        QVERIFY(rig.quit());
    }

    void enterRunsATurnEvenWhenStopped() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        frmKeyboard* keyboard = openKeyboard(rig);
        for (int i : {27, 28, 20, 13, 16, 30}) // П Р И В Е Т
            keyboard->cmdKey(i)->click();
        QCOMPARE(rig.txtPhrase()->text(), u8("привет"));
        keyboard->cmdKey(frmKeyboard::EnterKey)->click();
        QCOMPARE(rig.pane(), humanIntro() + u8("\r\n\r\n<ЧЕЛОВЕК>Привет.\r\n<TK> Здравствуй!"));
        QCOMPARE(rig.txtPhrase()->text(), QString());

        rig.action("mnuStop")->trigger();
        rig.txtPhrase()->setText(u8("как дела"));
        keyboard->cmdKey(frmKeyboard::EnterKey)->click();
        QVERIFY2(rig.pane().endsWith(u8("Диалог завершен.\r\n<ЧЕЛОВЕК>Как дела.\r\n<TK> Хорошо.")),
                 qPrintable(rig.pane()));
        QVERIFY(keyboard->isVisible());
        keyboard->close();
        QVERIFY(rig.quit());
    }

    void keyboardClosesWhenTheMainWindowIsActivated() {
        ProgramRig rig;
        QCOMPARE(rig.start(), Program::Start::Running);
        QPointer<frmKeyboard> keyboard = openKeyboard(rig);
        QVERIFY(QTest::qWaitForWindowActive(keyboard.data()));
        keyboard->cmdKey(frmKeyboard::CaseKey)->click();

        rig.main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig.main()));
        QTRY_VERIFY(!keyboard);

        // Opened again, it starts in lower case.
        keyboard = openKeyboard(rig);
        QCOMPARE(keyboard->cmdKey(frmKeyboard::CaseKey)->text(), u8("В ВВЕРХНИЙ РЕГИСТР"));
        keyboard->close();
        QVERIFY(rig.quit());
    }
};

QTEST_MAIN(tst_Appearance)
#include "tst_appearance.moc"
