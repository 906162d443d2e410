#include "board/UndoList.h"

#include <QFile>
#include <QRandomGenerator>

#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "files/ErrorReporter.h"

namespace vorlix {

TUndoList::TUndoList(const QString& TempDirectory) : directory_(TempDirectory) {
    if (directory_.size() > 1 && (directory_.endsWith('/') || directory_.endsWith('\\'))) directory_.chop(1);
}

TUndoList::~TUndoList() { Clear(); }

QString TUndoList::NewFileName() const {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    QString name;
    do {
        name.clear();
        for (int i = 0; i < 8; ++i) name += QChar(kLetters[QRandomGenerator::global()->bounded(52)]);
        name += ".tmp";
    } while (QFile::exists(directory_ + '/' + name));
    return name;
}

void TUndoList::DeleteEntry(int index) {
    QFile::remove(files_.takeAt(index - 1));
    gameMarks_.removeAt(index - 1);
    if (position_ >= index && !(position_ == 1 && !files_.isEmpty())) --position_;
}

bool TUndoList::Push(TDiagramBoard& Board, const THeaderFooterInfo& Header, const THeaderFooterInfo& Footer) {
    if (position_ == maxCount_)
        DeleteEntry(1);
    else
        while (position_ < Count()) DeleteEntry(Count());

    const QString path = directory_ + '/' + NewFileName();
    try {
        Board.SaveToFile(path, kVxdVersion, Footer, Header);
    } catch (const std::exception& e) {
        if (Board.ErrorReporter() && !failureReported_)
            Board.ErrorReporter()->Report(TMsgKind::Warning, "The undo history cannot be kept: its folder\n" +
                                                                 directory_.toStdString() + "\ncannot be written (" +
                                                                 e.what() + ")");
        failureReported_ = true;
        return false;
    }
    failureReported_ = false;
    files_.append(path);
    gameMarks_.append(Board.MarksFromGame());
    ++position_;
    return true;
}

// A state file removed behind the list's back is reported, not passed over in
// silence as the board's reader does for a missing file.
bool TUndoList::LoadFile(TDiagramBoard& Board, THeaderFooterInfo& Header, THeaderFooterInfo& Footer) const {
    if (Board.ErrorReporter())
        return LoadDiagramFile(files_.at(position_ - 1), Board, Header, Footer, *Board.ErrorReporter());
    return Board.LoadFromFile(files_.at(position_ - 1), Header, Footer);
}

void TUndoList::Load(TDiagramBoard& Board, THeaderFooterInfo& Header, THeaderFooterInfo& Footer) const {
    if (LoadFile(Board, Header, Footer) && gameMarks_.at(position_ - 1)) Board.SetGameMarks(Board.Marks());
}

void TUndoList::Undo(TDiagramBoard& Board, THeaderFooterInfo& Header, THeaderFooterInfo& Footer) {
    if (!CanUndo()) return;
    --position_;
    Load(Board, Header, Footer);
}

void TUndoList::Redo(TDiagramBoard& Board, THeaderFooterInfo& Header, THeaderFooterInfo& Footer) {
    if (!CanRedo()) return;
    ++position_;
    Load(Board, Header, Footer);
}

void TUndoList::Clear() {
    for (const QString& file : files_) QFile::remove(file);
    files_.clear();
    gameMarks_.clear();
    position_ = 0;
}

}  // namespace vorlix
