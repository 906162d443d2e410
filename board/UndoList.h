#pragma once
// The history of diagram states for undo and redo. Every state is a complete
// diagram file in a temporary folder; the list owns those files.
#include <QString>
#include <QStringList>

namespace vorlix {

struct TDiagram;

class TUndoList {
public:
    // One trailing separator of the folder is dropped.
    explicit TUndoList(const QString& TempDirectory);
    ~TUndoList();
    TUndoList(const TUndoList&) = delete;
    TUndoList& operator=(const TUndoList&) = delete;

    int MaxCount() const { return maxCount_; }
    // 1-based index of the state shown; 0 when the history is empty.
    int Position() const { return position_; }
    const QStringList& Files() const { return files_; }
    const QString& Directory() const { return directory_; }
    int Count() const { return int(files_.size()); }

    // Records the diagram as the newest state. A state that cannot be
    // saved is left out; false then. The first such failure is reported through
    // the board's reporter, saying why; the next ones only after a success, so
    // a folder that cannot be written does not bring a message with every edit.
    bool Push(const TDiagram& Diagram);
    bool CanUndo() const { return position_ > 1; }
    bool CanRedo() const { return position_ < Count(); }
    void Undo(TDiagram& Diagram);
    void Redo(TDiagram& Diagram);
    void Clear();

private:
    QString NewFileName() const;
    void DeleteEntry(int index);  // 1-based
    void Load(TDiagram& Diagram) const;
    bool LoadFile(TDiagram& Diagram) const;

    static constexpr int kMaxCount = 40;
    int maxCount_ = kMaxCount;
    int position_ = 0;
    QStringList files_;
    // Per state: its marks came from a game. A state file keeps the marks as a
    // diagram file does; this brings back that a game's replay put them there.
    QList<bool> gameMarks_;
    QString directory_;
    bool failureReported_ = false;
};

}  // namespace vorlix
