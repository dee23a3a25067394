#pragma once

#include <QByteArray>
#include <QString>

// The journal as the journal viewer shows it.
namespace JournalView {

// Windows-1251 bytes as the journal holds them; CR LF, a lone CR and a lone LF each end a line, and the
// journal's CR CR LF is one empty line.
QString textFromFile(const QByteArray& bytes);

} // namespace JournalView
