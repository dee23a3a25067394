#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest/QTest>

// Rules of the code base that the compiler of this Qt cannot enforce. Each names the file and line that breaks it.
namespace {

struct Source {
    QString path;
    QString text;
};

QList<Source> programSources() {
    QList<Source> sources;
    const QDir root(QStringLiteral(TALKOMAT_SOURCE_DIR));
    for (const char* layer : {"core", "engine", "dialogue", "ui", "app"}) {
        QDirIterator it(root.filePath(QLatin1String(layer)), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (file.open(QIODevice::ReadOnly))
                sources.append({root.relativeFilePath(file.fileName()), QString::fromUtf8(file.readAll())});
        }
    }
    return sources;
}

int lineOf(const QString& text, qsizetype at) {
    return int(text.left(at).count(QLatin1Char('\n'))) + 1;
}

// The arguments of the call whose opening parenthesis is at `open`, split at the commas of its own level. String
// and character literals and line comments are stepped over, so that a bracket inside one does not count.
QStringList arguments(const QString& text, qsizetype open) {
    QStringList args;
    QString current;
    int depth = 0;
    for (qsizetype i = open + 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype start = i;
            for (++i; i < text.size() && text.at(i) != c; ++i)
                if (text.at(i) == QLatin1Char('\\'))
                    ++i;
            current += text.mid(start, i - start + 1);
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('/')) {
            while (i < text.size() && text.at(i) != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{')) {
            ++depth;
        } else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}')) {
            if (depth == 0) {
                args.append(current.trimmed());
                return args;
            }
            --depth;
        } else if (c == QLatin1Char(',') && depth == 0) {
            args.append(current.trimmed());
            current.clear();
            continue;
        }
        current += c;
    }
    return args;
}

// Where `pattern` matches in the program's sources outside `skipped`, as "path:line".
QStringList matches(const QRegularExpression& pattern, const QString& skipped = {}) {
    QStringList found;
    for (const Source& source : programSources()) {
        if (!skipped.isEmpty() && source.path.startsWith(skipped))
            continue;
        for (auto it = pattern.globalMatch(source.text); it.hasNext();)
            found.append(source.path + QLatin1Char(':') +
                         QString::number(lineOf(source.text, it.next().capturedStart())));
    }
    return found;
}

} // namespace

class tst_SourceRules : public QObject {
    Q_OBJECT
private slots:
    void everyConnectHasAContextObject();
    void noDialogIsOpenedPastTheSeam();
    void noWorkingDirectory();
    void noRelativeInclude();
};

// A connect without a receiver outlives the object its functor uses; one with a context object is cut when either
// side goes. Qt 6.7's QT_NO_CONTEXTLESS_CONNECT would refuse it at compile time.
void tst_SourceRules::everyConnectHasAContextObject() {
    static const QRegularExpression call(QStringLiteral("\\bconnect\\s*\\("));
    static const QRegularExpression stringly(QStringLiteral("\\b(SIGNAL|SLOT)\\s*\\("));
    QStringList offences;
    for (const Source& source : programSources()) {
        for (auto it = call.globalMatch(source.text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const QStringList args = arguments(source.text, m.capturedEnd() - 1);
            const bool typed = args.size() == 4 && args.at(3).startsWith(QLatin1String("Qt::"));
            if (args.size() == 3 || typed)
                offences.append(source.path + QLatin1Char(':') +
                                QString::number(lineOf(source.text, m.capturedStart())));
        }
        if (const QRegularExpressionMatch m = stringly.match(source.text); m.hasMatch())
            offences.append(source.path + QLatin1Char(':') + QString::number(lineOf(source.text, m.capturedStart())));
    }
    QVERIFY2(offences.isEmpty(), qPrintable(offences.join(QLatin1Char(' '))));
}

// Every message box and chooser goes through the Dialogs seam, so that tests answer them from a script instead of
// waiting for a person to press a button.
void tst_SourceRules::noDialogIsOpenedPastTheSeam() {
    static const QRegularExpression statics(
        QStringLiteral("\\b(QMessageBox::(information|warning|critical|question|about)|QFileDialog::get\\w+|"
                       "QInputDialog::get\\w+|QColorDialog::getColor|QFontDialog::getFont)\\b"));
    QVERIFY(programSources().size() > 5);
    const QStringList offences = matches(statics);
    QVERIFY2(offences.isEmpty(), qPrintable(offences.join(QLatin1Char(' '))));
}

// The program's files are resolved in its folder, passed to whoever opens one; a working directory changed or
// read anywhere would make a bare name depend on where the process happens to stand.
void tst_SourceRules::noWorkingDirectory() {
    static const QRegularExpression cwd(QStringLiteral("\\bQDir::setCurrent\\b|\\bcurrentPath\\b"));
    const QStringList offences = matches(cwd, QStringLiteral("app/"));
    QVERIFY2(offences.isEmpty(), qPrintable(offences.join(QLatin1Char(' '))));
}

// An include names its layer's folder ("engine/Turn.h"), which a file sees only when its target links that layer;
// "../engine/Turn.h" would reach any layer from anywhere and let an arrow point upwards unnoticed.
void tst_SourceRules::noRelativeInclude() {
    static const QRegularExpression relative(QStringLiteral("#\\s*include\\s*[\"<][^\">\\n]*\\.\\./"));
    const QStringList offences = matches(relative);
    QVERIFY2(offences.isEmpty(), qPrintable(offences.join(QLatin1Char(' '))));
}

QTEST_GUILESS_MAIN(tst_SourceRules)
#include "tst_sourcerules.moc"
