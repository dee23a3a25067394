#include "core/Options.h"
#include "core/OptionsRecovery.h"
#include "core/PaneLook.h"
#include "core/Placement.h"
#include "core/ProgramFolder.h"
#include "core/SingleInstance.h"
#include "core/Startup.h"
#include "core/TextFile.h"
#include "dialogue/Journal.h"
#include "support/FakeClock.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

QByteArray defaultOptionsBytes() {
    return TextFile::joinLines(Options::defaultLines());
}

QByteArray optionsWith(const Options::Field& option, const QString& value) {
    QStringList lines = Options::defaultLines();
    lines[Options::indexOf(option)] = value;
    return TextFile::joinLines(lines);
}

// The main window as start-up sees it: what it is told, in order, and the real journal check.
struct FakeWindow final : StartupWindow {
    explicit FakeWindow(const QString& journal) : journal(journal) {}
    void setLoading(bool loading) override {
        steps << (loading ? QStringLiteral("loading") : QStringLiteral("loaded"));
    }
    void applyPlacement(const Placement&) override { steps << QStringLiteral("placement"); }
    void applyPaneLook(const PaneLook& l) override {
        look = l;
        steps << QStringLiteral("look");
    }
    void hideMergeItems() override { steps << QStringLiteral("merge"); }
    Result<> checkJournal() override {
        steps << QStringLiteral("journal");
        return Journal::ListCheck(clock, journal);
    }
    void startDialogue() override { steps << QStringLiteral("dialogue"); }

    const FakeClock clock;
    QString journal;
    std::optional<PaneLook> look;
    QStringList steps;
};

} // namespace

class tst_Startup : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    void writeBases() {
        QVERIFY(writeAll(path(QStringLiteral("standart.tka")), cp1251(QStringLiteral("ПРИВЕТ \r\nЗдравствуй!\r\n"))));
        QVERIFY(writeAll(path(QStringLiteral("standart.tkq")), cp1251(QStringLiteral("Как дела?\r\nКто ты?\r\n"))));
        QVERIFY(writeAll(path(QStringLiteral("standart.tks")), cp1251(QStringLiteral(" дом \r\n хата \r\n"))));
    }

    StartupOutcome runStartup(Variables& v, FakeWindow& window) {
        QSettings settings(path(QStringLiteral("settings.ini")), QSettings::IniFormat);
        return RunStartup(v, window, settings, ProgramFolder(m_dir.path()));
    }
    StartupOutcome runStartup(Variables& v) {
        FakeWindow window(path(QStringLiteral("ChatList.log")));
        return runStartup(v, window);
    }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(path(name));
    }

    void firstStartWritesDefaultsAndLoadsBases() {
        writeBases();
        Variables v;
        FakeWindow window(path(QStringLiteral("ChatList.log")));

        const StartupOutcome outcome = runStartup(v, window);

        QVERIFY2(outcome.result, qPrintable(outcome.result.error()));
        QVERIFY(outcome.recovered());
        QCOMPARE(readAll(path(QStringLiteral("tk.ini"))), defaultOptionsBytes());
        QVERIFY(!QFile::exists(path(QStringLiteral("tk.ini.bak"))));
        QCOMPARE(readAll(path(QStringLiteral("ChatList.log"))),
                 cp1251(QStringLiteral("Все диалоги с 12-06-2026 по сегодняшний день включительно.\r\n")));
        QCOMPARE(v.AnswerCount, qint16(2));
        QCOMPARE(v.QuestionCount, qint16(2));
        QCOMPARE(v.SynonymBase, QStringList({QStringLiteral(" ДОМ "), QStringLiteral(" ХАТА ")}));
        QCOMPARE(v.Mode, Modes::conversation());
        QCOMPARE(v.HumanName, QStringLiteral("Человек"));
        QVERIFY(window.look);
        QCOMPARE(window.look->BackColor, 15138815u);
        QCOMPARE(window.look->FontName, QStringLiteral("Arial"));
        QCOMPARE(window.look->FontSize, 10.0);
        QVERIFY(window.steps.contains(QStringLiteral("merge")));
        // The missing options fail the first run before anything reaches the window but its placement.
        QCOMPARE(window.steps.join(QLatin1Char(' ')),
                 QStringLiteral("loading placement look merge journal loaded dialogue"));
    }

    void goodOptionsAreKeptByteForByte() {
        writeBases();
        const QByteArray options =
            optionsWith(&Variables::HumanName, QStringLiteral("  Маша ")).replace(" 10 ", "12,5");
        QVERIFY(writeAll(path(QStringLiteral("tk.ini")), options + "extra line\r\n"));
        Variables v;
        const StartupOutcome outcome = runStartup(v);
        QVERIFY2(outcome.result, qPrintable(outcome.result.error()));
        QVERIFY(!outcome.recovered());
        QCOMPARE(v.HumanName, QStringLiteral("  Маша "));
        QCOMPARE(paneLookFrom(v)->FontSize, 12.5);
        QCOMPARE(readAll(path(QStringLiteral("tk.ini"))), options + "extra line\r\n");
    }

    void damagedOptionsAreRecovered_data() {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<bool>("keepsBackup");

        const QStringList defaults = Options::defaultLines();
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("twelve lines") << TextFile::joinLines(defaults.mid(0, Options::RequiredLines - 1)) << true;
        QTest::newRow("empty file") << QByteArray("") << true;
        QTest::newRow("letters for the colour")
            << optionsWith(&Variables::DialogBackColor, QStringLiteral("жёлтый")) << true;
        QTest::newRow("colour beyond 24 bits")
            << optionsWith(&Variables::DialogBackColor, QStringLiteral(" 16777216 ")) << true;
        QTest::newRow("size is text") << optionsWith(&Variables::FontSize, QStringLiteral("big")) << true;
        QTest::newRow("size zero") << optionsWith(&Variables::FontSize, QStringLiteral(" 0 ")) << true;
        QTest::newRow("bold is text") << optionsWith(&Variables::FontBold, QStringLiteral("Yes")) << true;
        QTest::newRow("underline empty") << optionsWith(&Variables::FontUnderline, QString()) << true;
        QTest::newRow("answer base gone")
            << optionsWith(&Variables::AnswerBaseFile, QStringLiteral("gone.tka")) << true;
        QTest::newRow("question base gone")
            << optionsWith(&Variables::QuestionBaseFile, QStringLiteral("gone.tkq")) << true;
        QTest::newRow("synonym base gone")
            << optionsWith(&Variables::SynonymBaseFile, QStringLiteral("gone.tks")) << true;
    }
    void damagedOptionsAreRecovered() {
        QFETCH(QByteArray, options);
        QFETCH(bool, keepsBackup);
        writeBases();
        if (!options.isNull() || keepsBackup)
            QVERIFY(writeAll(path(QStringLiteral("tk.ini")), options));
        Variables v;

        const StartupOutcome outcome = runStartup(v);

        QVERIFY2(outcome.result, qPrintable(outcome.result.error()));
        QVERIFY(outcome.recovered());
        QVERIFY(outcome.firstFailure && !outcome.firstFailure->isEmpty());
        QCOMPARE(readAll(path(QStringLiteral("tk.ini"))), defaultOptionsBytes());
        QCOMPARE(QFile::exists(path(QStringLiteral("tk.ini.bak"))), keepsBackup);
        if (keepsBackup)
            QCOMPARE(readAll(path(QStringLiteral("tk.ini.bak"))), options);
        QCOMPARE(v.AnswerBaseFile, QStringLiteral("standart.tka"));
        QCOMPARE(v.AnswerCount, qint16(2));
        QCOMPARE(v.FontSize.toFileText(), QStringLiteral(" 10 "));
    }

    // A start that fails in both runs leaves the defaults in tk.ini; the next start that fails must not take those
    // for the person's file and replace the backup with them.
    void backupKeepsThePersonsFile() {
        writeBases();
        const QByteArray damaged = optionsWith(&Variables::DialogBackColor, QStringLiteral("жёлтый"));
        QVERIFY(writeAll(path(QStringLiteral("tk.ini")), damaged));
        QVERIFY(QFile::rename(path(QStringLiteral("standart.tkq")), path(QStringLiteral("away.tkq"))));
        for (int start = 0; start < 2; ++start) {
            Variables v;
            QVERIFY(!runStartup(v).result.ok());
            QCOMPARE(readAll(path(QStringLiteral("tk.ini.bak"))), damaged);
            QCOMPARE(readAll(path(QStringLiteral("tk.ini"))), defaultOptionsBytes());
        }
        QVERIFY(!QFile::exists(path(QStringLiteral("tk.ini.1.bak"))));

        // Another damaged file of the person's gets a backup of its own beside the first.
        QVERIFY(QFile::rename(path(QStringLiteral("away.tkq")), path(QStringLiteral("standart.tkq"))));
        const QByteArray other = optionsWith(&Variables::FontSize, QStringLiteral("big"));
        QVERIFY(writeAll(path(QStringLiteral("tk.ini")), other));
        Variables v;
        QVERIFY(runStartup(v).result.ok());
        QCOMPARE(readAll(path(QStringLiteral("tk.ini.bak"))), damaged);
        QCOMPARE(readAll(path(QStringLiteral("tk.ini.1.bak"))), other);
    }

    void backupThatCannotBeMadeLeavesTheFile() {
        writeBases();
        // A folder in the options file's place can be neither read nor copied.
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("tk.ini")));
        Variables v;
        const StartupOutcome outcome = runStartup(v);
        QVERIFY2(outcome.result.ok(), qPrintable(outcome.result.error()));
        QVERIFY(outcome.backupFailure);
        QVERIFY2(outcome.backupFailure->contains(QStringLiteral("tk.ini")), qPrintable(*outcome.backupFailure));
        QVERIFY(QFileInfo(path(QStringLiteral("tk.ini"))).isDir());
        QCOMPARE(v.HumanName, QStringLiteral("Человек"));
        QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("tk.ini")));
    }

    void failureInTheSecondRunNamesTheFile() {
        writeBases();
        QVERIFY(QFile::remove(path(QStringLiteral("standart.tkq"))));
        Variables v;
        const StartupOutcome outcome = runStartup(v);
        QVERIFY(!outcome.result);
        QVERIFY(outcome.recovered());
        QVERIFY2(outcome.result.error().contains(QStringLiteral("standart.tkq")), qPrintable(outcome.result.error()));
    }

    void journalThatCannotBeCreatedFailsStartup() {
        writeBases();
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("ChatList.log")));
        Variables v;
        const StartupOutcome outcome = runStartup(v);
        QVERIFY(!outcome.result);
        QVERIFY2(outcome.result.error().contains(QStringLiteral("ChatList.log")), qPrintable(outcome.result.error()));
        QVERIFY(QDir(m_dir.path()).rmdir(QStringLiteral("ChatList.log")));
    }

    void paneLook_data() {
        QTest::addColumn<QString>("color");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("bold");
        QTest::addColumn<bool>("converts");
        QTest::addColumn<quint32>("expectedColor");
        QTest::addColumn<double>("expectedSize");
        QTest::addColumn<bool>("expectedBold");

        QTest::newRow("defaults") << " 15138815 "
                                  << " 10 "
                                  << "False" << true << 15138815u << 10.0 << false;
        QTest::newRow("white") << " 16777215 "
                               << " 8,25 "
                               << "true" << true << 16777215u << 8.25 << true;
        QTest::newRow("bold as number") << "0"
                                        << "9"
                                        << " -1 " << true << 0u << 9.0 << true;
        QTest::newRow("negative colour") << "-2147483643"
                                         << "10"
                                         << "False" << false << 0u << 0.0 << false;
        QTest::newRow("huge size") << "0"
                                   << "100000"
                                   << "False" << false << 0u << 0.0 << false;
        QTest::newRow("negative size") << "0"
                                       << "-3"
                                       << "False" << false << 0u << 0.0 << false;
        QTest::newRow("bold word") << "0"
                                   << "10"
                                   << "bold" << false << 0u << 0.0 << false;
    }
    void paneLook() {
        QFETCH(QString, color);
        QFETCH(QString, size);
        QFETCH(QString, bold);
        QFETCH(bool, converts);
        Variables v;
        v.DialogBackColor = OptionValue::fromText(color);
        v.FontName = QStringLiteral("Arial");
        v.FontSize = OptionValue::fromText(size);
        v.FontBold = OptionValue::fromText(bold);
        v.FontItalic = OptionValue::fromText(QStringLiteral("False"));
        v.FontUnderline = OptionValue::fromText(QStringLiteral("False"));
        if (!converts) {
            QVERIFY(!paneLookFrom(v).ok());
            return;
        }
        const PaneLook look = *paneLookFrom(v);
        QTEST(look.BackColor, "expectedColor");
        QTEST(look.FontSize, "expectedSize");
        QTEST(look.FontBold, "expectedBold");
    }

    void placementDefaultsWhenAbsent() {
        QSettings settings(path(QStringLiteral("settings.ini")), QSettings::IniFormat);
        QCOMPARE(readPlacement(settings), (Placement{0, -360, 7155, 5400}));
    }

    void placementRoundTrip() {
        const QString file = path(QStringLiteral("settings.ini"));
        {
            QSettings settings(file, QSettings::IniFormat);
            writePlacement(settings, Placement{1500, -15.4, 9000, 6000});
        }
        QSettings settings(file, QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("Settings/MainTop")).toString(), QStringLiteral("-15"));
        QCOMPARE(settings.value(QStringLiteral("Settings/MainWidth")).toString(), QStringLiteral("9000"));
        QCOMPARE(readPlacement(settings), (Placement{1500, -15, 9000, 6000}));
    }

    void placementValueThatIsNotANumberFallsBack() {
        QSettings settings(path(QStringLiteral("settings.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Settings/MainLeft"), QStringLiteral("левее"));
        settings.setValue(QStringLiteral("Settings/MainTop"), QStringLiteral(" 150 "));
        settings.setValue(QStringLiteral("Settings/MainWidth"), QStringLiteral("8000.5"));
        QCOMPARE(readPlacement(settings), (Placement{0, 150, 8000.5, 5400}));
    }

    void secondInstanceIsRefused() {
        SingleInstance first(m_dir.path());
        QVERIFY(first.tryLock());
        SingleInstance second(m_dir.path());
        QVERIFY(!second.tryLock());
    }

    void lockLeftByACrashIsTakenOver() {
        const QString lockPath = path(SingleInstance::lockFileName());
        QByteArray lockBytes;
        {
            QLockFile lock(lockPath);
            QVERIFY(lock.tryLock(0));
            lockBytes = readAll(lockPath);
        }
        // A process that has ended stands for the copy that crashed while holding the lock.
        QProcess gone;
        gone.start(QStringLiteral("true"), {});
        QVERIFY(gone.waitForFinished());
        const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
        QList<QByteArray> fields = lockBytes.split('\n');
        QVERIFY(!fields.isEmpty());
        fields[0] = QByteArray::number(deadPid == 0 ? 999999 : deadPid);
        QVERIFY(writeAll(lockPath, fields.join('\n')));

        SingleInstance next(m_dir.path());
        QVERIFY(next.tryLock());
    }

    void folderIsSeededWithoutOverwriting() {
        const QString seed = path(QStringLiteral("seed"));
        const QString folder = path(QStringLiteral("folder/deeper"));
        QVERIFY(QDir().mkpath(seed));
        for (const QString& name : shippedFiles())
            QVERIFY(writeAll(QDir(seed).filePath(name), "shipped " + name.toLatin1()));
        QFile::setPermissions(QDir(seed).filePath(QStringLiteral("help.hlp")), QFile::ReadOwner);
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeAll(QDir(folder).filePath(QStringLiteral("standart.tka")), "taught by the person"));

        const Result r = prepareProgramFolder(folder, seed);

        QVERIFY2(r, qPrintable(r.error()));
        QCOMPARE(readAll(QDir(folder).filePath(QStringLiteral("standart.tka"))), QByteArray("taught by the person"));
        QCOMPARE(readAll(QDir(folder).filePath(QStringLiteral("standart.tkq"))), QByteArray("shipped standart.tkq"));
        QCOMPARE(readAll(QDir(folder).filePath(QStringLiteral("help.hlp"))), QByteArray("shipped help.hlp"));
        QVERIFY(QFile::permissions(QDir(folder).filePath(QStringLiteral("help.hlp"))) & QFile::WriteOwner);
    }

    void folderThatCannotBeMadeIsReported() {
        QVERIFY(writeAll(path(QStringLiteral("plainfile")), "x"));
        const Result r = prepareProgramFolder(path(QStringLiteral("plainfile/sub")), path(QStringLiteral("seed")));
        QVERIFY(!r);
        QVERIFY2(r.error().contains(QStringLiteral("plainfile")), qPrintable(r.error()));
    }
};

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
