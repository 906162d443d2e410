#pragma once
// The program as the opener of PGN, EPD and diagram files, the way Linux
// desktops keep it: a desktop entry in the user's applications folder, MIME
// types with their icons in the user's MIME packages, and the default
// application of each type in the user's mimeapps.list. Nothing needs root.
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace vorlix {

enum class TChessFileType { PGN, EPD, VXD };

// The base folders of the XDG base directory rules.
struct TXdgDirs {
    QString DataHome, ConfigHome;
    QStringList DataDirs, ConfigDirs;
    // From XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_DATA_DIRS and XDG_CONFIG_DIRS
    // with their documented defaults.
    static TXdgDirs FromEnvironment();
};

// A file of the association could not be written; the message names it.
class EAssociationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline const QString kDesktopEntryName = "chess-vorlix.desktop";

class TFileAssociations {
public:
    // iconFolder holds x_pgn.svg, y_epd.svg, diagram.svg and app.svg.
    TFileAssociations(TXdgDirs dirs, QString programPath, QString iconFolder = ":/editor/icons/");

    static QString MimeTypeOf(TChessFileType type);

    // The desktop entry the desktop opens files of the type with, as
    // "xdg-mime query default" answers it; empty when none is found.
    QString DefaultApplication(const QString& mimeType) const;
    // Our desktop entry is the type's default and starts this program.
    bool IsAssociated(TChessFileType type) const;
    // Makes this program the type's default: MIME package and icons, desktop
    // entry claiming the type, mimeapps.list; then refreshes the MIME and
    // desktop databases where their tools are installed. When the program was
    // installed for the whole system with its entry and MIME types, only the
    // user's mimeapps.list changes. Raises EAssociationError.
    void Associate(TChessFileType type);

    QString DesktopEntryFile() const;
    QString MimePackageFile() const;
    QString MimeAppsFile() const;

private:
    QString FindDesktopEntry(const QString& name) const;
    // The entry's Exec starts this program: by its path, or by a bare name that the PATH leads to it.
    bool StartsThisProgram(const QString& entryFile) const;
    // The entry in force is a system-wide one of this program, claiming the
    // type, with the MIME types installed beside it.
    bool InstalledForTheSystem(const QString& mimeType) const;
    QStringList ClaimedTypes() const;
    void WriteMimePackage();
    void InstallIcons();
    void WriteDesktopEntry(const QString& mimeType);
    void WriteDefault(const QString& mimeType);
    void RefreshDatabases();

    TXdgDirs dirs_;
    QString programPath_;
    QString iconFolder_;
};

}  // namespace vorlix
