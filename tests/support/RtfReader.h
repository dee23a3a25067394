#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a word processor takes from a rich text file: the font table, the character formatting in force at the
// text, and the text with \par as CR LF, \tab, \uN (skipping its one fallback character), \'hh and escaped
// characters. Enough of the format to prove that ours reads back.
struct RtfText {
    // The font table's text, such as "Arial;".
    QString fontTable;
    int halfPoints = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QString text;
    // Every control word with its number, such as "fs20", in order.
    QStringList controlWords;
    // Every group that opens also closes.
    bool balanced = false;

    // The face the font table names, without its ";".
    QString face() const;
};

RtfText readRtf(const QByteArray& rtf);
