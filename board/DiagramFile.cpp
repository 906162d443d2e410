#include "board/DiagramFile.h"

#include <QFile>
#include <QFileInfo>

#include "board/DiagramBoard.h"
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

void Report(TErrorReporter* reporter, const std::string& message) {
    if (reporter) reporter->Report(TMsgKind::Error, message);
}

// Reads the file before the board is touched, so a file that cannot be read
// leaves the diagram as it was.
std::vector<uint8_t> ReadDiagramBytes(const QString& fileName) {
    try {
        return ReadWholeFile(LocalPath(fileName), kMaxDiagramFileSize);
    } catch (const EFileTooLarge&) {
        throw EVXDFileError();
    }
}

// Decodes the whole file into a scratch board first: a file that fails half
// way leaves the diagram, header and footer exactly as they were.
void CheckDecodes(const std::vector<uint8_t>& bytes, const THeaderFooterInfo& header, const THeaderFooterInfo& footer) {
    if (bytes.empty()) throw EVXDFileError();  // an empty file holds no diagram
    TDiagramBoard scratch;
    THeaderFooterInfo scratchHeader = header, scratchFooter = footer;
    TUpdateLock lock(scratch);
    DecodeDiagram(bytes, scratch, scratchHeader, scratchFooter);
}

}  // namespace

void TDiagramBoard::SaveToFile(const QString& FileName, int Version, const THeaderFooterInfo& Footer,
                               const THeaderFooterInfo& Header) {
    const std::vector<uint8_t> bytes = EncodeDiagram(*this, Version, Footer, Header);
    WriteFileSafely(LocalPath(FileName), {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

bool TDiagramBoard::LoadFromFile(const QString& FileName, THeaderFooterInfo& Header, THeaderFooterInfo& Footer) {
    if (!QFileInfo::exists(FileName)) return false;
    // Messages name the file: the same text may come from a file the user did not pick.
    const std::string named = FileName.toStdString() + "\n";
    try {
        const std::vector<uint8_t> bytes = ReadDiagramBytes(FileName);
        CheckDecodes(bytes, Header, Footer);
        TUpdateLock lock(*this);
        border_.Clear();
        ClearMarks();
        SetLightSquareBitmap(QImage());
        SetDarkSquareBitmap(QImage());
        DecodeDiagram(bytes, *this, Header, Footer);
        return true;
    } catch (const EVXDFileError& e) {
        Report(errorReporter_, named + e.what());
    } catch (const EInOutError& e) {
        Report(errorReporter_, named + e.what());
    } catch (const std::exception& e) {
        Report(errorReporter_, named + "Unknown error occurred: " + e.what());
    }
    return false;
}

bool LoadDiagramFile(const QString& fileName, TDiagramBoard& board, THeaderFooterInfo& header,
                     THeaderFooterInfo& footer, TErrorReporter& reporter) {
    if (!QFileInfo::exists(fileName)) {
        reporter.Report(TMsgKind::Error, fileName.toStdString() + "\n" + IOErrorMessage(ioFileNotFound));
        return false;
    }
    TErrorReporter* previous = board.ErrorReporter();
    board.SetErrorReporter(&reporter);
    const bool loaded = board.LoadFromFile(fileName, header, footer);
    board.SetErrorReporter(previous);
    return loaded;
}

}  // namespace vorlix
