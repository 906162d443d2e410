#pragma once
// Where the editor finds its data files and keeps its scratch files.
#include <QString>
#include <QStringList>

namespace vorlix {

class TAppPaths {
public:
    // The folder of the program file, with a trailing slash.
    static QString ProgramFolder();

    // Makes "TEMP" beside the program the current folder, creating it when it is
    // missing (the current folder then stays as it was). When the program's folder
    // is read-only, as it is once installed, a per-user "TEMP" takes its place.
    // Returns the scratch folder in use (with a trailing slash); failures are ignored.
    static QString PrepareWorkingFolder(const QString& programFolder);

    // Where the file dialogs start when no folder was remembered: the
    // program's folder while it can be written (a copy unpacked by hand), else
    // the user's documents folder, else the home folder. Trailing slash.
    static QString DefaultDocumentFolder(const QString& programFolder);

    // File names from the command line as full paths, resolved against the
    // folder the program was started in (before anything changes folder).
    static QStringList ResolveArguments(const QStringList& arguments, const QString& startFolder);

    // The scratch folder chosen by the last PrepareWorkingFolder.
    static QString WorkingFolder();

private:
    static QString workingFolder_;
};

}  // namespace vorlix
