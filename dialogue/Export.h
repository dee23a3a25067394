#pragma once

#include "core/Result.h"

#include <QFont>
#include <QString>

namespace Export {

QString filter();

// The format is told by the name alone: ".rtf" exactly, in lower case, gives rich text; anything else plain text.
bool isRtfName(const QString& path);

// The pane's text, then one more CR LF, in Windows-1251.
QByteArray plainText(const QString& paneText);
// A rich text document carrying the pane's font face, size, bold, italic and underline; every character survives,
// including those outside the Cyrillic code page.
QByteArray rtf(const QString& paneText, const QFont& font);

Result<> DialogExport(const QString& path, const QString& paneText, const QFont& font);

} // namespace Export
