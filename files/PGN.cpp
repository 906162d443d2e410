#include "files/PGN.h"

#include "files/PGNReader.h"

namespace vorlix {

namespace {
TSilentReporter gSilent;
}  // namespace

TPGN::TPGN() : reporter_(&gSilent) {}
TPGN::TPGN(TErrorReporter& reporter) : reporter_(&reporter) {}
TPGN::~TPGN() { Clear(); }

void TPGN::Clear() {
    while (First) {
        TPGNRec* next = First->Next;
        delete First;
        First = next;
    }
    Current = last_ = nullptr;
    count_ = 0;
}

bool TPGN::GoNext() {
    if (!Current || !Current->Next) return false;
    Current = Current->Next;
    return true;
}

TPGNRec* TPGN::Append() {
    auto* rec = new TPGNRec;
    rec->Prev = last_;
    (last_ ? last_->Next : First) = rec;
    last_ = rec;
    ++count_;
    return rec;
}

bool TPGN::LoadFromFile(const std::string& fileName) {
    const bool ok = ReadPGNFile(
        fileName, *reporter_, [this] { return Append(); }, nullptr);
    Current = First;
    return ok;
}

}  // namespace vorlix
