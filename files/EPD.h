#pragma once
// A whole EPD file in memory as a doubly linked list of positions.
#include <string>
#include <string_view>

#include "files/EPDRecord.h"
#include "files/ErrorReporter.h"

namespace vorlix {

// The line ends of a text counted by kind; the most frequent one is the
// text's own, CR LF when it has none.
struct TLineEndCount {
    size_t CrLf = 0, Lf = 0, Cr = 0;
    void Add(std::string_view text);
    std::string_view Dominant() const;
};

class TEPD {
public:
    // Messages of failed loads go to the reporter (silent when none is given).
    TEPD();
    explicit TEPD(TErrorReporter& reporter);
    ~TEPD();
    TEPD(const TEPD&) = delete;
    TEPD& operator=(const TEPD&) = delete;

    void Clear();
    // Appends the records of the file; false after a failure that was reported.
    // Records read before a failure stay in the list. Current is First afterwards.
    bool LoadFromFile(const std::string& fileName);
    // Writes the file back: what came before the first record, then each
    // record, as its bytes from the file when it still makes the line it was
    // read as, else as a new EPD line followed by the blanks and line ends it
    // had (a record without any gets the file's own line end). Raises
    // EInOutError and leaves any old file untouched on failure. Current is
    // First afterwards.
    void SaveToFile(const std::string& fileName);
    // The text SaveToFile writes.
    std::string Text() const;
    // Adds a record made of one EPD line (no line end) at the end, as the
    // file gets it when the line is appended to it (AppendedFileText).
    // Current stays.
    TEPDRec* AppendLine(std::string_view line);
    // The line end of the file read; CR LF when it had none.
    std::string_view LineEnd() const { return lineEnd_; }
    int Count() const;
    void GoFirst() { Current = First; }
    bool GoNext();
    // Removes Current; the next record (or the previous one at the end) becomes Current.
    void DeleteCurrent();
    // The placement field of Current; empty without a Current record.
    std::string PlacementText() const;

    TEPDRec* First = nullptr;
    TEPDRec* Current = nullptr;

private:
    TEPDRec* Append();
    TEPDRec* Last() const;
    void ReadChunks(const std::string& fileName);

    TErrorReporter* reporter_;
    std::string preamble_;  // the file's bytes before its first record
    std::string lineEnd_ = "\r\n";
};

// The text of a file after an EPD line (no line end) was appended to it: a
// last line without its line end gets one first, and the new line ends like
// the file's lines do.
std::string AppendedFileText(std::string text, std::string_view line);

}  // namespace vorlix
