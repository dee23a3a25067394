#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << QStringLiteral("Talkomat: the engine is built; the main window is not there yet.\n");
    return 0;
}
