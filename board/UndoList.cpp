#include "board/UndoList.h"

#include <QFile>
#include <QRandomGenerator>

#include "board/Diagram.h"
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

bool TUndoList::Push(const TDiagram& Diagram) {
    const TDiagramBoard& Board = Diagram.Board;
    if (position_ == maxCount_)
        DeleteEntry(1);
    else
        while (position_ < Count()) DeleteEntry(Count());

    const QString path = directory_ + '/' + NewFileName();
    try {
        SaveDiagramFile(Diagram, path);
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

// A state file removed behind the list's back is reported like any other
// failure, through the board's reporter; without one the list stays silent.
bool TUndoList::LoadFile(TDiagram& Diagram) const {
    TSilentReporter silent;
    TErrorReporter* reporter = Diagram.Board.ErrorReporter();
    return LoadDiagramFile(files_.at(position_ - 1), Diagram, reporter ? *reporter : silent);
}

void TUndoList::Load(TDiagram& Diagram) const {
    if (LoadFile(Diagram) && gameMarks_.at(position_ - 1)) Diagram.Board.SetGameMarks(Diagram.Board.Marks());
}

void TUndoList::Undo(TDiagram& Diagram) {
    if (!CanUndo()) return;
    --position_;
    Load(Diagram);
}

void TUndoList::Redo(TDiagram& Diagram) {
    if (!CanRedo()) return;
    ++position_;
    Load(Diagram);
}

void TUndoList::Clear() {
    for (const QString& file : files_) QFile::remove(file);
    files_.clear();
    gameMarks_.clear();
    position_ = 0;
}

}  // namespace vorlix
