#include "app/FileAssociations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "files/SafeFileWriter.h"

namespace vorlix {
namespace {

const QString kDefaultSection = "[Default Applications]";
const QString kMimePackageName = "chess-vorlix.xml";
const QString kAppIconName = "chess-vorlix";

struct TTypeInfo {
    TChessFileType Type;
    const char* Mime;
    const char* Comment;  // empty: the type is defined elsewhere already
    const char* Glob;
    const char* IconFile;
};

const TTypeInfo kTypes[] = {
    {TChessFileType::PGN, "application/x-chess-pgn", "", "*.pgn", "x_pgn.svg"},
    {TChessFileType::EPD, "application/x-chess-epd", "EPD Chess File", "*.epd", "y_epd.svg"},
    {TChessFileType::VXD, "application/x-vorlix-diagram", "Chess Vorlix Diagram", "*.vxd", "diagram.svg"},
};

QString IconNameOf(const QString& mimeType) { return QString(mimeType).replace('/', '-'); }

QStringList SplitDirs(const QByteArray& value, const QStringList& fallback) {
    QStringList dirs;
    for (const QString& dir : QString::fromLocal8Bit(value).split(':', Qt::SkipEmptyParts)) dirs << dir;
    return dirs.isEmpty() ? fallback : dirs;
}

QStringList ReadLines(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(file.readAll()).split('\n');
}

// The value of the first "key=" line of a section, or a null string.
QString SectionValue(const QStringList& lines, const QString& section, const QString& key) {
    bool inSection = false;
    for (const QString& line : lines) {
        if (line.startsWith('[')) {
            inSection = line.startsWith(section);
            continue;
        }
        if (inSection && line.startsWith(key + "=")) return line.mid(key.size() + 1);
    }
    return {};
}

void MakeFolder(const QString& folder) {
    if (!QDir().mkpath(folder)) throw EAssociationError("Could not create the folder " + folder.toStdString() + ".");
}

void WriteText(const QString& fileName, const QByteArray& text) {
    MakeFolder(QFileInfo(fileName).absolutePath());
    try {
        WriteFileSafely(QFile::encodeName(fileName).toStdString(), std::string_view(text.constData(), text.size()));
    } catch (const std::exception& error) {
        throw EAssociationError(fileName.toStdString() + ": " + error.what());
    }
}

QString ExecQuoted(const QString& path) {
    // Inside a quoted Exec argument these characters take a backslash.
    QString quoted = path;
    for (const char* c : {"\\", "\"", "`", "$"}) quoted.replace(c, QString("\\") + c);
    return '"' + quoted + '"';
}

void RunIfInstalled(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return;
    QProcess process;  // its notes stay out of the program's output
    process.start(program, arguments);
    process.waitForFinished();
}

}  // namespace

TXdgDirs TXdgDirs::FromEnvironment() {
    const QString home = QDir::homePath();
    TXdgDirs dirs;
    dirs.DataHome = SplitDirs(qgetenv("XDG_DATA_HOME"), {home + "/.local/share"}).first();
    dirs.ConfigHome = SplitDirs(qgetenv("XDG_CONFIG_HOME"), {home + "/.config"}).first();
    dirs.DataDirs = SplitDirs(qgetenv("XDG_DATA_DIRS"), {"/usr/local/share", "/usr/share"});
    dirs.ConfigDirs = SplitDirs(qgetenv("XDG_CONFIG_DIRS"), {"/etc/xdg"});
    return dirs;
}

TFileAssociations::TFileAssociations(TXdgDirs dirs, QString programPath, QString iconFolder)
    : dirs_(std::move(dirs)), programPath_(std::move(programPath)), iconFolder_(std::move(iconFolder)) {}

QString TFileAssociations::MimeTypeOf(TChessFileType type) {
    for (const TTypeInfo& info : kTypes)
        if (info.Type == type) return info.Mime;
    return {};
}

QString TFileAssociations::DesktopEntryFile() const { return dirs_.DataHome + "/applications/" + kDesktopEntryName; }
QString TFileAssociations::MimePackageFile() const { return dirs_.DataHome + "/mime/packages/" + kMimePackageName; }
QString TFileAssociations::MimeAppsFile() const { return dirs_.ConfigHome + "/mimeapps.list"; }

QString TFileAssociations::FindDesktopEntry(const QString& name) const {
    for (const QString& dir : QStringList{dirs_.DataHome} + dirs_.DataDirs) {
        const QString file = dir + "/applications/" + name;
        if (QFileInfo::exists(file)) return file;
    }
    return {};
}

QString TFileAssociations::DefaultApplication(const QString& mimeType) const {
    // The user's and the system's mimeapps.list in their order of precedence,
    // each also under the current desktop's prefix.
    QStringList prefixes;
    for (const QString& desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(':', Qt::SkipEmptyParts))
        prefixes << desktop.toLower() + "-";
    prefixes << "";
    QStringList folders = QStringList{dirs_.ConfigHome} + dirs_.ConfigDirs;
    for (const QString& dir : QStringList{dirs_.DataHome} + dirs_.DataDirs) folders << dir + "/applications";
    for (const QString& folder : folders)
        for (const QString& prefix : prefixes) {
            const QString value =
                SectionValue(ReadLines(folder + "/" + prefix + "mimeapps.list"), kDefaultSection, mimeType);
            for (const QString& app : value.split(';', Qt::SkipEmptyParts))
                if (!FindDesktopEntry(app).isEmpty()) return app;
        }
    // Without a default, an entry that claims the type is taken.
    if (ClaimedTypes().contains(mimeType)) return kDesktopEntryName;
    return {};
}

QStringList TFileAssociations::ClaimedTypes() const {
    const QString file = FindDesktopEntry(kDesktopEntryName);
    if (file.isEmpty()) return {};
    return SectionValue(ReadLines(file), "[Desktop Entry]", "MimeType").split(';', Qt::SkipEmptyParts);
}

bool TFileAssociations::IsAssociated(TChessFileType type) const {
    if (DefaultApplication(MimeTypeOf(type)) != kDesktopEntryName) return false;
    return StartsThisProgram(FindDesktopEntry(kDesktopEntryName));
}

bool TFileAssociations::StartsThisProgram(const QString& entryFile) const {
    const QString exec = SectionValue(ReadLines(entryFile), "[Desktop Entry]", "Exec");
    if (exec.contains(programPath_, Qt::CaseInsensitive)) return true;
    // An installed entry names the program without a folder: the PATH must lead here.
    const QString command = exec.section(' ', 0, 0);
    if (command.isEmpty() || command.contains('/')) return false;
    const QString found = QStandardPaths::findExecutable(command);
    const QString self = QFileInfo(programPath_).canonicalFilePath();
    return !found.isEmpty() && !self.isEmpty() && QFileInfo(found).canonicalFilePath() == self;
}

bool TFileAssociations::InstalledForTheSystem(const QString& mimeType) const {
    // The user's own entry, from an earlier association, comes first and is kept up to date.
    const QString entry = FindDesktopEntry(kDesktopEntryName);
    if (entry.isEmpty() || entry == DesktopEntryFile()) return false;
    const QString dataDir = QFileInfo(entry).absolutePath().section('/', 0, -2);
    if (!QFileInfo::exists(dataDir + "/mime/packages/" + kMimePackageName)) return false;
    const QStringList types =
        SectionValue(ReadLines(entry), "[Desktop Entry]", "MimeType").split(';', Qt::SkipEmptyParts);
    return types.contains(mimeType) && StartsThisProgram(entry);
}

void TFileAssociations::Associate(TChessFileType type) {
    const QString mimeType = MimeTypeOf(type);
    // Installed with its entry and types for everybody: only the user's default is set.
    if (InstalledForTheSystem(mimeType)) {
        WriteDefault(mimeType);
        return;
    }
    WriteMimePackage();
    InstallIcons();
    WriteDesktopEntry(mimeType);
    WriteDefault(mimeType);
    RefreshDatabases();
}

void TFileAssociations::WriteMimePackage() {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (const TTypeInfo& info : kTypes) {
        xml += QString("  <mime-type type=\"%1\">\n").arg(info.Mime).toUtf8();
        if (*info.Comment) xml += QString("    <comment>%1</comment>\n").arg(info.Comment).toUtf8();
        xml += QString("    <icon name=\"%1\"/>\n").arg(IconNameOf(info.Mime)).toUtf8();
        xml += QString("    <glob pattern=\"%1\"/>\n").arg(info.Glob).toUtf8();
        xml += "  </mime-type>\n";
    }
    xml += "</mime-info>\n";
    WriteText(MimePackageFile(), xml);
}

void TFileAssociations::InstallIcons() {
    const QString hicolor = dirs_.DataHome + "/icons/hicolor/scalable/";
    auto install = [&](const QString& source, const QString& target) {
        QFile icon(iconFolder_ + source);
        if (!icon.open(QIODevice::ReadOnly)) return;  // an icon we do not ship is no reason to fail
        WriteText(hicolor + target, icon.readAll());
    };
    for (const TTypeInfo& info : kTypes) install(info.IconFile, "mimetypes/" + IconNameOf(info.Mime) + ".svg");
    install("app.svg", "apps/" + kAppIconName + ".svg");
}

void TFileAssociations::WriteDesktopEntry(const QString& mimeType) {
    // The entry claims only the types the user chose, so that the others stay
    // unassociated until asked.
    QStringList types = ClaimedTypes();
    if (!types.contains(mimeType)) types << mimeType;
    const QString text =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Chess Vorlix\n"
        "GenericName=Chess Diagram Editor\n"
        "Comment=Make chess diagrams from positions, PGN and EPD files\n"
        "Exec=" +
        ExecQuoted(programPath_) +
        " %f\n"
        "Icon=" +
        kAppIconName +
        "\n"
        "Terminal=false\n"
        "Categories=Graphics;Game;BoardGame;\n"
        "MimeType=" +
        types.join(';') + ";\n";
    WriteText(DesktopEntryFile(), text.toUtf8());
}

void TFileAssociations::WriteDefault(const QString& mimeType) {
    // As "xdg-mime default" does: the type's line in the user's list names our entry.
    QStringList lines = ReadLines(MimeAppsFile());
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    const QString entry = mimeType + "=" + kDesktopEntryName;
    int header = -1;
    bool inDefault = false;
    for (int i = 0; i < lines.size();) {
        if (lines[i].startsWith('[')) {
            inDefault = lines[i].startsWith(kDefaultSection);
            if (inDefault && header < 0) header = i;
        } else if (inDefault && lines[i].startsWith(mimeType + "=")) {
            lines.removeAt(i);
            continue;
        }
        ++i;
    }
    if (header < 0) {
        if (!lines.isEmpty()) lines << "";
        lines << kDefaultSection << entry;
    } else {
        lines.insert(header + 1, entry);
    }
    WriteText(MimeAppsFile(), (lines.join('\n') + '\n').toUtf8());
}

void TFileAssociations::RefreshDatabases() {
    RunIfInstalled("update-mime-database", {dirs_.DataHome + "/mime"});
    RunIfInstalled("update-desktop-database", {dirs_.DataHome + "/applications"});
}

}  // namespace vorlix
