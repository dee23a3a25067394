#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

// The program's folder, where its own files lie: the options, the journal, the help, the shipped bases and any
// base named without a folder. Every bare or relative name is resolved here for the whole run, whatever folders
// the file choosers visit; the process's working directory plays no part.
class ProgramFolder {
public:
    // No folder: names are taken as they stand. Only for callers that name every file by its full path.
    ProgramFolder() = default;
    explicit ProgramFolder(const QString& path);

    const QString& path() const { return m_path; }
    // An absolute path stays as it is; anything else lies in the folder.
    QString resolve(const QString& name) const;

private:
    QString m_path;
};

// The program's folder: created when missing and given any of the shipped files it lacks. A file already there is
// never replaced: it holds what the person taught the program.
Result<> prepareProgramFolder(const QString& folder, const QString& seedDir);
QStringList shippedFiles();
