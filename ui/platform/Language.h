#pragma once

class QCoreApplication;

// Qt draws some windows of its own for the program: the file, colour, font and print choosers, the overwrite
// question and the text fields' context menus. They speak Russian like the rest of the program when Qt's Russian
// translations are installed; without them they stay as Qt draws them, and nothing is said about it.
void installRussian(QCoreApplication& app);
