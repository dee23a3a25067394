#pragma once

#include "core/Cp1251.h"
#include "dialogue/Dialogue.h"
#include "support/FakeClock.h"
#include "support/FakeRandom.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "support/WindowChecks.h"
#include "ui/main/Program.h"
#include "ui/main/frmMain.h"
#include "ui/textview/TextPane.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <memory>

inline QString humanIntro() {
    return u8("Новый диалог. Его начинаете вы. Введите свою реплику и нажмите клавишу 'Enter'.");
}

// One installation in a temporary folder: the program's folder, the shipped files it is seeded from and the
// settings store, with scripted dialogs, draws and clock.
struct ProgramRig {
    QTemporaryDir temp;
    QString folder;
    QString seed;
    Variables v;
    FakeRandom random;
    FakeClock clock;
    ScriptedDialogs dialogs;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<Program> program;

    ProgramRig() {
        folder = temp.filePath(QStringLiteral("Talkomat"));
        seed = temp.filePath(QStringLiteral("seed"));
        QDir().mkpath(seed);
        seedFile(QStringLiteral("standart.tka"),
                 u8("ПРИВЕТ \r\nЗдравствуй!\r\nПОКА \r\nДо встречи, #name! #STOP\r\nКАК ДЕЛА \r\nХорошо.\r\n"));
        seedFile(QStringLiteral("standart.tkq"), u8("Как тебя зовут?\r\nСколько тебе лет?\r\n"));
        seedFile(QStringLiteral("standart.tks"), u8(" ЗДОРОВО \r\n ПРИВЕТ \r\n"));
        writeAll(QDir(seed).filePath(QStringLiteral("help.hlp")),
                 QByteArrayLiteral("<html><body><a name=\"topic1\"></a><h1>Help</h1></body></html>"));
        settings = std::make_unique<QSettings>(temp.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        // Zero draws never add a question, so that replies are exactly the answers of the base.
        for (int i = 0; i < 400; ++i)
            random.push(0.0);
    }

    void seedFile(const QString& name, const QString& text) { writeAll(QDir(seed).filePath(name), cp1251(text)); }
    QString file(const QString& name) const { return QDir(folder).filePath(name); }

    Program::Start start() {
        program = std::make_unique<Program>(ProgramContext{v, random, clock, dialogs, *settings, folder, seed});
        return program->start();
    }
    frmMain* main() const { return program ? program->mainWindow() : nullptr; }
    template <typename T> T* find(const char* name) const { return main()->findChild<T*>(QLatin1String(name)); }
    QAction* action(const char* name) const { return find<QAction>(name); }
    QString pane() const { return program->dialogue()->paneText(); }
    TextPane* rtfDialog() const { return find<TextPane>("rtfDialog"); }
    QLineEdit* txtPhrase() const { return find<QLineEdit>("txtPhrase"); }
    void say(const QString& phrase) {
        txtPhrase()->setText(phrase);
        main()->Enter();
    }
    QByteArray journalBytes() const { return readAll(file(QStringLiteral("ChatList.log"))); }
    // Split at CR LF only, so that the journal's lone-CR line before each header stays visible as "\r".
    QStringList journal() const {
        QStringList lines = Cp1251::decode(journalBytes()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.constLast().isEmpty())
            lines.removeLast();
        return lines;
    }

    ScriptedDialogs& expectSaveFile(const QString& title, const QString& answer) {
        return dialogs.add({ScriptedDialogs::Kind::SaveFile, title, answer});
    }
    ScriptedDialogs& expectOpenFile(const QString& title, const QString& answer) {
        return dialogs.add({ScriptedDialogs::Kind::OpenFile, title, answer});
    }

    // Leaves the program: "Выйти?" yes, and no to whatever else it asks.
    bool quit() {
        dialogs.expectQuestion(u8("Выйти?"), true);
        if (!v.DialogSaved)
            dialogs.expectQuestion(u8("Сохранить диалог перед выходом?"), false);
        if (v.AnswerBaseChanged || v.QuestionBaseChanged || v.SynonymBaseChanged)
            dialogs.expectQuestion(u8("Сохранить базы знаний перед выходом?"), false);
        return main()->close() && dialogs.verify();
    }
};
