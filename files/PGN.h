#pragma once
// A whole PGN file in memory as a doubly linked list of games.
#include <string>

#include "files/ErrorReporter.h"
#include "files/PGNRecord.h"

namespace vorlix {

class TPGN {
public:
    // Messages of failed loads go to the reporter (silent when none is given).
    TPGN();
    explicit TPGN(TErrorReporter& reporter);
    ~TPGN();
    TPGN(const TPGN&) = delete;
    TPGN& operator=(const TPGN&) = delete;

    void Clear();
    // Appends the games of the file; false after a failure that was reported.
    // Games read before a failure stay in the list. Current is First afterwards.
    bool LoadFromFile(const std::string& fileName);
    int Count() const { return count_; }
    void GoFirst() { Current = First; }
    bool GoNext();

    TPGNRec* First = nullptr;
    TPGNRec* Current = nullptr;

private:
    TPGNRec* Append();

    TErrorReporter* reporter_;
    TPGNRec* last_ = nullptr;
    int count_ = 0;
};

}  // namespace vorlix
