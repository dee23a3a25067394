#include "core/Cp1251.h"
#include "core/FileError.h"
#include "core/TextFile.h"
#include "support/FailingDevice.h"
#include "support/PrivateMounts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <optional>
#include <unistd.h>

class tst_TextFile : public QObject {
    Q_OBJECT
private slots:
    void splitLines_data();
    void splitLines();
    void everyByteSurvivesARoundTrip();
    void unencodableCharactersBecomeQuestionMarks_data();
    void unencodableCharactersBecomeQuestionMarks();
    void lineLimitRefusesTheWholeFile();
    void failedWriteLeavesThePreviousFile();
    void targetThatIsAFolderIsRefused();
    void appendCreatesAndExtends();
    void oversizedFilesAreRefusedBeforeReading();
    void controlCharactersBecomeBlanks_data();
    void controlCharactersBecomeBlanks();
    void missingFileIsReportedWithItsName();
    void shortWritesAreFailures_data();
    void shortWritesAreFailures();
    void failuresSayTheReasonInRussian_data();
    void failuresSayTheReasonInRussian();
};

void tst_TextFile::splitLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("one line with CR LF") << QByteArray("a\r\n") << QStringList{QStringLiteral("a")};
    QTest::newRow("last line without CR LF")
        << QByteArray("a\r\nb") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("final CR LF starts no line")
        << QByteArray("a\r\nb\r\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("empty lines are lines") << QByteArray("\r\n\r\n") << QStringList{QString(), QString()};
    QTest::newRow("lone CR ends a line") << QByteArray("a\rb") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("CR CR LF is an empty line first")
        << QByteArray("\r\r\nx\r\n") << QStringList{QString(), QString(), QStringLiteral("x")};
    QTest::newRow("lone LF stays in the line") << QByteArray("a\nb\r\n") << QStringList{QStringLiteral("a\nb")};
    QTest::newRow("only the first LF after CR is skipped")
        << QByteArray("a\r\n\nb") << QStringList{QStringLiteral("a"), QStringLiteral("\nb")};
    QTest::newRow("trailing blanks kept") << QByteArray("ПРИВЕТ \r\n") << QStringList{QStringLiteral("ПРИВЕТ ")};
}

void tst_TextFile::splitLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    // The rows are written in UTF-8 for readability; the files are Windows-1251.
    const QByteArray encoded = Cp1251::encode(QString::fromUtf8(bytes));
    QCOMPARE(TextFile::splitLines(encoded), lines);
}

void tst_TextFile::everyByteSurvivesARoundTrip() {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r')
            all.append(char(b));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bytes.txt"));
    QVERIFY(writeAll(path, all + "\r\n"));
    const Result<QStringList> read = TextFile::readLines(path);
    QVERIFY(read.ok());
    QVERIFY(TextFile::writeLines(path, *read).ok());
    QCOMPARE(readAll(path), all + "\r\n");
    QCOMPARE(Cp1251::decode(QByteArray(1, char(0x98))), QString(QChar(0x98)));
    QCOMPARE(Cp1251::decode(QByteArray("\xC0\xFF\xA8\xB8")), QStringLiteral("АяЁё"));
}

void tst_TextFile::unencodableCharactersBecomeQuestionMarks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("latin and cyrillic") << QStringLiteral("Hi, Вася!") << QByteArray("Hi, \xC2\xE0\xF1\xFF!");
    QTest::newRow("chinese") << QStringLiteral("a中b") << QByteArray("a?b");
    QTest::newRow("emoji is one character") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("euro and numero") << QStringLiteral("€№") << QByteArray("\x88\xB9");
    QTest::newRow("NUL survives") << QString(QChar(0)) << QByteArray(1, '\0');
}

void tst_TextFile::unencodableCharactersBecomeQuestionMarks() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Cp1251::encode(text), bytes);
}

void tst_TextFile::lineLimitRefusesTheWholeFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lines.txt"));
    QVERIFY(writeAll(path, QByteArray("1\r\n2\r\n3\r\n")));
    QVERIFY(TextFile::readLines(path, 3).ok());
    const Result<QStringList> tooMany = TextFile::readLines(path, 2);
    QVERIFY(!tooMany.ok());
    QVERIFY(tooMany.error().contains(QStringLiteral("lines.txt")));
}

void tst_TextFile::failedWriteLeavesThePreviousFile() {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("disk"));
    const QString path = folder + QStringLiteral("/keep.txt");
    // Root ignores a folder's permissions, so as root (CI) the folder is a file system mounted read-only; without
    // root, a folder that takes no new file stands in for it. Either way the temporary file cannot be made.
    std::optional<TmpfsMount> disk;
    if (PrivateMounts::problem().isEmpty())
        disk.emplace(folder, "size=64k");
    if (disk && !disk->mounted())
        QSKIP(qPrintable(disk->problem()));
    if (!disk && geteuid() == 0)
        QSKIP(qPrintable(QStringLiteral("root ignores folder permissions, and no read-only mount: ") +
                         PrivateMounts::problem()));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeAll(path, QByteArray("old\r\n")));
    if (disk)
        QVERIFY2(disk->makeReadOnly(), qPrintable(disk->problem()));
    else
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    const Result r = TextFile::writeLines(path, {QStringLiteral("new")});

    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!disk && r.ok())
        QSKIP("running with rights that ignore folder permissions");
    QVERIFY(!r.ok());
    const QString reason =
        disk ? QStringLiteral("файловая система доступна только для чтения") : QStringLiteral("нет прав доступа");
    QCOMPARE(r.error(), QStringLiteral("Не удалось записать файл \"%1\": %2").arg(FileError::nativePath(path), reason));
    QCOMPARE(readAll(path), QByteArray("old\r\n"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("keep.txt")});
}

void tst_TextFile::targetThatIsAFolderIsRefused() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("folder.tka"));
    QVERIFY(QDir().mkdir(path));
    QVERIFY(writeAll(path + QStringLiteral("/inside"), QByteArray("x")));
    const Result r = TextFile::writeLines(path, {QStringLiteral("new")});
    QVERIFY(!r.ok());
    QVERIFY(r.error().contains(QStringLiteral("folder.tka")));
    QCOMPARE(readAll(path + QStringLiteral("/inside")), QByteArray("x"));
    QVERIFY(!TextFile::readLines(path).ok());
}

void tst_TextFile::appendCreatesAndExtends() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    QVERIFY(TextFile::appendLines(path, {QStringLiteral("a")}).ok());
    QVERIFY(TextFile::appendLines(path, {QStringLiteral("\r"), QStringLiteral("б")}).ok());
    QCOMPARE(readAll(path), QByteArray("a\r\n\r\r\n\xE1\r\n"));
}

void tst_TextFile::oversizedFilesAreRefusedBeforeReading() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.tka"));
    QVERIFY(writeAll(path, QByteArray(4096, 'x')));
    const Result<QStringList> r = TextFile::readLines(path, -1, 4095);
    QVERIFY(!r.ok());
    QVERIFY(r.error().contains(QStringLiteral("huge.tka")));
    QVERIFY(TextFile::readLines(path, -1, 4096).ok());
    // A file of many short lines is refused on its line count without splitting all of it.
    QCOMPARE(TextFile::splitLines(QByteArray(100000, '\r'), 10).size(), 11);
}

void tst_TextFile::controlCharactersBecomeBlanks_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringLiteral("a  b");
    QTest::newRow("tab, bell, DEL") << QStringLiteral("a\t\a\x7F") << QStringLiteral("a   ");
    QTest::newRow("line and paragraph separators") << QStringLiteral("a\u2028b\u2029") << QStringLiteral("a b ");
    QTest::newRow("ordinary text kept") << QStringLiteral("Привет, мир!") << QStringLiteral("Привет, мир!");
}

void tst_TextFile::controlCharactersBecomeBlanks() {
    QFETCH(QString, typed);
    QFETCH(QString, line);
    QCOMPARE(TextFile::singleLine(typed), line);
}

void tst_TextFile::missingFileIsReportedWithItsName() {
    const Result<QStringList> r = TextFile::readLines(QStringLiteral("/nonexistent/folder/base.tka"));
    QVERIFY(!r.ok());
    QVERIFY(r.error().contains(QStringLiteral("base.tka")));
}

void tst_TextFile::shortWritesAreFailures_data() {
    QTest::addColumn<qint64>("capacity");
    QTest::addColumn<int>("errorNumber");
    QTest::addColumn<QString>("reason"); // empty: everything fits
    QTest::newRow("everything fits") << qint64(100) << ENOSPC << QString();
    QTest::newRow("exactly full") << qint64(12) << ENOSPC << QString();
    QTest::newRow("nothing taken") << qint64(0) << ENOSPC << QStringLiteral("на диске нет места");
    QTest::newRow("cut in the middle of a line") << qint64(5) << ENOSPC << QStringLiteral("на диске нет места");
    QTest::newRow("read-only file system")
        << qint64(0) << EROFS << QStringLiteral("файловая система доступна только для чтения");
    QTest::newRow("file too large") << qint64(11) << EFBIG << QStringLiteral("файл слишком велик");
    QTest::newRow("input/output error") << qint64(3) << EIO << QStringLiteral("ошибка ввода-вывода на диске");
}

void tst_TextFile::shortWritesAreFailures() {
    QFETCH(qint64, capacity);
    QFETCH(int, errorNumber);
    QFETCH(QString, reason);
    const QByteArray bytes = TextFile::joinLines({QStringLiteral("first"), QStringLiteral("two")});
    QCOMPARE(bytes.size(), 12);
    FailingDevice device(capacity, errorNumber);
    const QString path = QStringLiteral("/somewhere/base.tka");

    const Result<> r = TextFile::writeAll(device, bytes, path);

    QCOMPARE(r.ok(), reason.isEmpty());
    QVERIFY(bytes.startsWith(device.taken()));
    if (!r.ok()) {
        QCOMPARE(r.error(),
                 QStringLiteral("Не удалось записать файл \"%1\": %2").arg(FileError::nativePath(path), reason));
    }
}

// The system's own texts are English; each common cause is said in Russian, with the file's full path.
void tst_TextFile::failuresSayTheReasonInRussian_data() {
    QTest::addColumn<QString>("operation"); // read, write or append
    QTest::addColumn<QString>("name");      // below the test's folder, or absolute
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << "read"
                                  << "missing.tka"
                                  << QStringLiteral("Не удалось открыть файл \"%1\": нет такого файла");
    QTest::newRow("missing folder") << "read"
                                    << "no such folder/base.tka"
                                    << QStringLiteral("Не удалось открыть файл \"%1\": нет такой папки");
    QTest::newRow("a folder to read") << "read"
                                      << "folder"
                                      << QStringLiteral("Не удалось открыть файл \"%1\": на месте файла стоит папка");
    QTest::newRow("writing into a missing folder")
        << "write"
        << "no such folder/base.tka" << QStringLiteral("Не удалось записать файл \"%1\": нет такой папки");
    QTest::newRow("a file where a folder should be")
        << "write"
        << "plain/base.tka" << QStringLiteral("Не удалось записать файл \"%1\": на месте папки стоит файл");
    QTest::newRow("appending to a full disk")
        << "append"
        << "/dev/full" << QStringLiteral("Не удалось дописать файл \"%1\": на диске нет места");
}

void tst_TextFile::failuresSayTheReasonInRussian() {
    QFETCH(QString, operation);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QVERIFY(writeAll(dir.filePath(QStringLiteral("plain")), "x"));
    const QString path = QDir::isAbsolutePath(name) ? name : dir.filePath(name);

    QString error;
    if (operation == QLatin1String("read"))
        error = TextFile::readLines(path).error();
    else if (operation == QLatin1String("write"))
        error = TextFile::writeLines(path, {QStringLiteral("x")}).error();
    else
        error = TextFile::appendLines(path, {QStringLiteral("x")}).error();

    QCOMPARE(error, message.arg(QDir::toNativeSeparators(path)));
}

int main(int argc, char* argv[]) {
    PrivateMounts::enter();
    QCoreApplication app(argc, argv);
    tst_TextFile test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_textfile.moc"
