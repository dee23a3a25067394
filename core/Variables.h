#pragma once

#include "core/OptionValue.h"

#include <QList>
#include <QString>
#include <QStringList>

// The program's whole working state. The application owns exactly one and hands it by reference to every
// part that needs it; tests make their own.
//
// The base lists are held 0-based in memory, while the rest of the program speaks of lines 1..Count: line n of
// a base is AnswerBase[n - 1]. Each count always equals its list's size and never passes MaxLines.
struct Variables {
    static constexpr qint16 MaxLines = 32767;

    QString Mode;

    // The options, in the order of the lines of the options file (the table in Options.cpp).
    QString HumanName;
    QString AnswerBaseFile;
    QString QuestionBaseFile;
    QString SynonymBaseFile;
    OptionValue DialogBackColor;
    QString FontName;
    OptionValue FontSize;
    OptionValue FontBold;
    OptionValue FontItalic;
    OptionValue FontUnderline;
    OptionValue FontStrikethrough;
    QString Alphabet;

    QStringList AnswerBase;
    QStringList QuestionBase;
    QStringList SynonymBase;
    qint16 AnswerCount = 0;
    qint16 QuestionCount = 0;
    qint16 SynonymCount = 0;
    bool SynonymBaseChanged = false;
    bool QuestionBaseChanged = false;
    bool AnswerBaseChanged = false;

    OptionValue ShortPhraseLimit;

    QString PendingKeys;
    QString PendingPhrase;
    QString PreviousPhrase;
    QList<qint16> AskedQuestions;
    qint16 AskedQuestionCount = 0;

    QString MergeFirstBaseFile;
    QString MergeSecondBaseFile;

    bool DialogSaved = false;
    QString DialogFilePath;
    QString DialogFileTitle;
};

namespace Modes {
inline QString conversation() {
    return QStringLiteral("разговор");
}
inline QString learning() {
    return QStringLiteral("обучение");
}
} // namespace Modes
