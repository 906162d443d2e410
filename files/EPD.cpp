#include "files/EPD.h"

#include "files/ChunkReader.h"
#include "files/EPDRecordReader.h"
#include "files/Exceptions.h"
#include "files/FileInput.h"
#include "files/PositionText.h"
#include "files/ReaderFailure.h"
#include "files/SafeFileWriter.h"
#include "files/TextEncoding.h"
#include "files/TextUtil.h"

namespace vorlix {

namespace {

TSilentReporter gSilent;
constexpr size_t kMaxChunk = 1025;
constexpr int kToleratedMinorErrors = 5;

bool StartsRecord(char c) {
    return (c >= '1' && c <= '8') || PieceFromLetter(c) != pcEmpty || c == '\r' || c == '\n' || c == '\0';
}


bool EndsLine(std::string_view chunk) { return chunk.back() == '\n' || chunk.back() == '\r'; }

[[noreturn]] void Major() { throw EMajorEPDError("Very illegal file contents"); }

}  // namespace

TEPD::TEPD() : Reporter_(&gSilent) {}
TEPD::TEPD(TErrorReporter& reporter) : Reporter_(&reporter) {}
TEPD::~TEPD() { Clear(); }

void TEPD::Clear() {
    while (First) {
        TEPDRec* next = First->Next;
        delete First;
        First = next;
    }
    Current = nullptr;
}

int TEPD::Count() const {
    int n = 0;
    for (const TEPDRec* r = First; r; r = r->Next) ++n;
    return n;
}

bool TEPD::GoNext() {
    if (!Current || !Current->Next) return false;
    Current = Current->Next;
    return true;
}

TEPDRec* TEPD::Last() const {
    TEPDRec* r = First;
    while (r && r->Next) r = r->Next;
    return r;
}

TEPDRec* TEPD::Append() {
    auto* rec = new TEPDRec;
    TEPDRec* last = Current && !Current->Next ? Current : Last();
    rec->Prev = last;
    (last ? last->Next : First) = rec;
    Current = rec;
    return rec;
}

void TEPD::DeleteCurrent() {
    TEPDRec* doomed = Current;
    if (!doomed) return;
    (doomed->Prev ? doomed->Prev->Next : First) = doomed->Next;
    if (doomed->Next) doomed->Next->Prev = doomed->Prev;
    Current = doomed->Next ? doomed->Next : doomed->Prev;
    delete doomed;
}

std::string TEPD::PlacementText() const { return Current ? vorlix::PlacementText(Current->Board) : std::string(); }

// A record is one line: its first chunk starts the line, the chunks after it on
// the same line are its operations. Blank lines and blanks before a line end
// are skipped.
void TEPD::ReadChunks(const std::string& fileName) {
    TFileInput input(fileName);
    TChunkReader chunks(input, kMaxChunk);
    TEPDRec* record = nullptr;  // the record that operation chunks continue
    bool atLineStart = true;
    int minorErrors = 0;
    std::string_view raw;
    bool tooLong = false;
    std::string converted;
    while (chunks.Next(raw, tooLong)) {
        if (tooLong) Major();
        // Text that is not UTF-8 is Windows-1252; deciding per chunk lets the file stream in.
        const bool utf8 = !HasHighBytes(raw) || IsValidUtf8(raw);
        if (!utf8) converted = Cp1252ToUtf8(raw);
        const std::string_view chunk = utf8 ? raw : std::string_view(converted);
        const bool startsLine = atLineStart;
        atLineStart = EndsLine(chunk);
        const std::string_view text = TrimLeft(chunk);
        if (text.empty()) continue;
        if (!startsLine && chunk[0] == ' ') {
            if (!record) Major();
            ReadOperationChunk(chunk, *record);
            continue;
        }
        if (!StartsRecord(startsLine ? text[0] : chunk[0])) Major();
        record = Append();
        record->SourceText.assign(TrimRight(text));
        try {
            ReadRecordChunk(text, *record);
        } catch (const EMinorEPDError&) {
            record->Valid = false;
            if (minorErrors == kToleratedMinorErrors) Major();
            ++minorErrors;
        } catch (...) {
            record->Valid = false;
            throw;
        }
    }
}

bool TEPD::LoadFromFile(const std::string& fileName) {
    const std::string error =
        ReadAndDescribeFailure<EMajorEPDError>([&] { ReadChunks(fileName); }, NotAValidFileMessage(fileName, "EPD"));
    Current = First;
    if (error.empty()) return true;
    Reporter_->Report(TMsgKind::Error, error);
    return false;
}

void TEPD::SaveToFile(const std::string& fileName) {
    std::string text;
    for (const TEPDRec* r = First; r; r = r->Next) {
        text += EpdLine(*r);
        text += "\r\n";
    }
    WriteFileSafely(fileName, text);
    Current = First;
}

}  // namespace vorlix
