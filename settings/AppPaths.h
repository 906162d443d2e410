#pragma once
// Where the editor finds its data files and keeps its scratch files. Nothing
// is written beside the program: installed, its folder is not the user's.
#include <QString>
#include <QStringList>

namespace vorlix {

// What a file dialog is for: images start among the user's pictures.
enum class TDocumentKind { Documents, Pictures };

class TAppPaths {
public:
    // The folder of the program file, with a trailing slash.
    static QString ProgramFolder();

    // The folder of the read-only data (the default diagram, the sounds), with
    // a trailing slash: beside the program in the build tree, else the
    // install's share folder, else an XDG data folder (files/InstallPaths.h).
    // The program's folder when none holds the data, which is then missing.
    static QString DataFolder();

    // The program's folder in the user's cache (XDG_CACHE_HOME), with a
    // trailing slash; not created here.
    static QString CacheFolder();

    // Makes "TEMP" in the user's cache folder the current folder, creating it
    // when it is missing; when that cannot be made, "TEMP" in the system's
    // temporary folder. Returns the scratch folder in use (with a trailing
    // slash) or an empty string; failures are ignored.
    static QString PrepareWorkingFolder();

    // Where the file dialogs start when no folder was remembered: the user's
    // pictures folder for images, else the documents folder, else the home
    // folder (the first of them that exists). Trailing slash.
    static QString DefaultDocumentFolder(TDocumentKind kind);

    // File names from the command line as full paths, resolved against the
    // folder the program was started in (before anything changes folder).
    static QStringList ResolveArguments(const QStringList& arguments, const QString& startFolder);

    // The scratch folder chosen by the last PrepareWorkingFolder.
    static QString WorkingFolder();

private:
    static QString workingFolder_;
};

}  // namespace vorlix
