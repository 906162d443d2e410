#include "board/DiagramFile.h"

#include <QFile>
#include <QFileInfo>

#include "board/DiagramFileIO.h"
#include "files/ErrorReporter.h"
#include "files/Exceptions.h"
#include "files/IOErrors.h"
#include "files/SafeFileWriter.h"

namespace vorlix {

namespace {

std::string LocalPath(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }

// Sets the update lock for the whole load and clears it (repainting) on every way out.
class TUpdateLock {
public:
    explicit TUpdateLock(TDiagramBoard& board) : board_(board) { board_.BeginUpdate(); }
    ~TUpdateLock() { board_.EndUpdate(); }

private:
    TDiagramBoard& board_;
};

// Reads the file before the board is touched, so a file that cannot be read
// leaves the diagram as it was.
std::vector<uint8_t> ReadDiagramBytes(const QString& fileName) {
    try {
        return ReadWholeFile(LocalPath(fileName), kMaxDiagramFileSize);
    } catch (const EFileTooLarge&) {
        throw EVXDFileError();
    }
}

// Decodes the whole file into a scratch diagram first: a file that fails half
// way leaves the diagram, header and footer exactly as they were.
void CheckDecodes(const std::vector<uint8_t>& bytes, const TDiagram& diagram) {
    if (bytes.empty()) throw EVXDFileError();  // an empty file holds no diagram
    TDiagram scratch;
    scratch.Header = diagram.Header;
    scratch.Footer = diagram.Footer;
    TUpdateLock lock(scratch.Board);
    DecodeDiagram(bytes, scratch);
}

}  // namespace

void SaveDiagramFile(const TDiagram& diagram, const QString& fileName, int version) {
    const std::vector<uint8_t> bytes = EncodeDiagram(diagram, version);
    WriteFileSafely(LocalPath(fileName), {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

bool LoadDiagramFile(const QString& fileName, TDiagram& diagram, TErrorReporter& reporter) {
    // Messages name the file: the same text may come from a file the user did not pick.
    const std::string named = fileName.toStdString() + "\n";
    if (!QFileInfo::exists(fileName)) {
        reporter.Report(TMsgKind::Error, named + IOErrorMessage(ioFileNotFound));
        return false;
    }
    try {
        const std::vector<uint8_t> bytes = ReadDiagramBytes(fileName);
        CheckDecodes(bytes, diagram);
        TDiagramBoard& board = diagram.Board;
        TUpdateLock lock(board);
        board.Border().Clear();
        board.ClearMarks();
        board.SetSideToMove(TSideToMove::None);
        board.SetMoveState({});
        board.SetLightSquareBitmap(QImage());
        board.SetDarkSquareBitmap(QImage());
        DecodeDiagram(bytes, diagram);
        return true;
    } catch (const EVXDFileError& e) {
        reporter.Report(TMsgKind::Error, named + e.what());
    } catch (const EInOutError& e) {
        reporter.Report(TMsgKind::Error, named + e.what());
    } catch (const std::exception& e) {
        reporter.Report(TMsgKind::Error, named + "Unknown error occurred: " + e.what());
    }
    return false;
}

}  // namespace vorlix
