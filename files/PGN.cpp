#include "files/PGN.h"

#include "files/PGNReader.h"

namespace vorlix {

namespace {
TSilentReporter gSilent;
}  // namespace

TPGN::TPGN() : Reporter_(&gSilent) {}
TPGN::TPGN(TErrorReporter& reporter) : Reporter_(&reporter) {}
TPGN::~TPGN() { Clear(); }

void TPGN::Clear() {
    while (First) {
        TPGNRec* next = First->Next;
        delete First;
        First = next;
    }
    Current = Last_ = nullptr;
    Count_ = 0;
}

bool TPGN::GoNext() {
    if (!Current || !Current->Next) return false;
    Current = Current->Next;
    return true;
}

TPGNRec* TPGN::Append() {
    auto* rec = new TPGNRec;
    rec->Prev = Last_;
    (Last_ ? Last_->Next : First) = rec;
    Last_ = rec;
    ++Count_;
    return rec;
}

bool TPGN::LoadFromFile(const std::string& fileName) {
    const bool ok = ReadPGNFile(fileName, *Reporter_, [this] { return Append(); }, nullptr);
    Current = First;
    return ok;
}

}  // namespace vorlix
