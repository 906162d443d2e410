#pragma once
// A whole EPD file in memory as a doubly linked list of positions.
#include <string>

#include "files/EPDRecord.h"
#include "files/ErrorReporter.h"

namespace vorlix {

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
    // Writes one EPD line (CR LF) per record; raises EInOutError and leaves any
    // old file untouched on failure. Current is First afterwards.
    void SaveToFile(const std::string& fileName);
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

    TErrorReporter* Reporter_;
};

}  // namespace vorlix
