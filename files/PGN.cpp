#include "files/PGN.h"

#include <new>

#include "files/Exceptions.h"
#include "files/FileInput.h"
#include "files/LineReader.h"
#include "files/PGNGameBuilder.h"
#include "files/TextEncoding.h"

namespace vorlix {

namespace {
TSilentReporter gSilent;

void ConvertField(std::string& s) {
    if (HasHighBytes(s)) s = Cp1252ToUtf8(s);
}
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

void TPGN::ConvertFromCp1252(TPGNRec* from) {
    for (TPGNRec* r = from; r; r = r->Next) {
        for (std::string* s : {&r->Event, &r->Site, &r->Date, &r->Round, &r->Result, &r->White, &r->WhiteElo,
                               &r->Black, &r->BlackElo, &r->ECO, &r->FEN, &r->Moves})
            ConvertField(*s);
    }
}

bool TPGN::LoadFromFile(const std::string& fileName) {
    TPGNRec* const lastBefore = Last_;
    TPGNGameBuilder builder([this] { return Append(); });
    std::string error;
    try {
        TFileInput input(fileName);
        TLineReader lines(input);
        std::string_view line;
        while (lines.Next(line)) builder.AddLine(line, lines.MayHoldHighBytes());
    } catch (const EPGNFileError&) {
        error = fileName + " does not seem to\r\n be a valid PGN file.";
    } catch (const EVorlixError& e) {
        error = e.Message();
    } catch (const std::bad_alloc&) {
        error = "Out of memory.";
    } catch (const std::exception& e) {
        error = e.what();
    }
    builder.Finish();
    if (!builder.TextIsUtf8()) ConvertFromCp1252(lastBefore ? lastBefore->Next : First);
    Current = First;
    if (error.empty()) return true;
    Reporter_->Report(TMsgKind::Error, error);
    return false;
}

}  // namespace vorlix
