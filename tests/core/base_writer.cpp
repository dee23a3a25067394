// A child process for the fault tests: it writes bases while the test kills it or fills its disk.
//   base_writer loop DIR   writes the three bases of DIR over and over, alternating two contents
//   base_writer full DIR [LINES]   on a small file system: writes small bases, the options and a journal, fills
//                                  the disk, then tries bases of LINES lines (20000 unless given), the options
//                                  and an append
#include "core/Bases.h"
#include "core/TextFile.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

QStringList content(char which, int lines) {
    QStringList out;
    for (int i = 0; i < lines; ++i)
        out << QStringLiteral("%1 строка %2 ").arg(QLatin1Char(which)).arg(i);
    return out;
}

void setBases(Variables& v, char which, int lines) {
    v.AnswerBase = v.QuestionBase = v.SynonymBase = content(which, lines);
    v.AnswerCount = v.QuestionCount = v.SynonymCount = qint16(lines);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QDir dir(args.at(2));
    Variables v;
    v.AnswerBaseFile = dir.filePath(QStringLiteral("a.tka"));
    v.QuestionBaseFile = dir.filePath(QStringLiteral("q.tkq"));
    v.SynonymBaseFile = dir.filePath(QStringLiteral("s.tks"));

    if (args.at(1) == QLatin1String("loop")) {
        std::puts("writing");
        std::fflush(stdout);
        for (unsigned i = 0;; ++i) {
            setBases(v, i % 2 ? 'B' : 'A', i % 2 ? 3000 : 2000);
            if (!SaveBases(v))
                return 3;
            std::puts("saved");
            std::fflush(stdout);
        }
    }
    if (args.at(1) == QLatin1String("full")) {
        // Small files are the ones a buffered writer still holds when it commits: the failure came too late.
        const int newLines = args.size() > 3 ? args.at(3).toInt() : 20000;
        setBases(v, 'A', 10);
        const QString options = dir.filePath(QStringLiteral("tk.ini"));
        const QString journal = dir.filePath(QStringLiteral("ChatList.log"));
        if (!SaveBases(v) || !TextFile::writeLines(options, content('O', 13)) ||
            !TextFile::appendLines(journal, content('J', 3)))
            return 4;
        const QByteArray optionsBefore = readAll(options);
        const QByteArray journalBefore = readAll(journal);
        QFile filler(dir.filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly))
            return 5;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        setBases(v, 'B', newLines);
        const Result r = SaveBases(v);
        if (r.ok())
            return 6; // a full disk cannot have taken the new bases
        std::printf("%s\n", r.error().toUtf8().constData());
        Variables again = v;
        if (!LoadAnswers(again) || !LoadQuestions(again) || !LoadSinonims(again))
            return 7;
        const QStringList old = content('A', 10);
        QStringList oldSynonyms;
        for (const QString& line : old)
            oldSynonyms << line.toUpper(); // the synonym base is read in upper case
        if (again.AnswerBase != old || again.QuestionBase != old || again.SynonymBase != oldSynonyms)
            return 8;
        // The options file is small enough for any buffer, and an append longer than the page the journal still
        // has room in is cut short on the way: neither may be left changed.
        if (TextFile::writeLines(options, content('P', 13)).ok() || readAll(options) != optionsBefore)
            return 9;
        if (TextFile::appendLines(journal, {QString(6000, QLatin1Char('j'))}).ok() || readAll(journal) != journalBefore)
            return 10;
        // Nothing half written is left beside the files.
        const QStringList left = QDir(dir).entryList(QDir::Files);
        if (left.size() != 6)
            std::printf("left: %s\n", left.join(QLatin1Char(' ')).toUtf8().constData());
        return left.size() == 6 ? 0 : 11;
    }
    return 2;
}
