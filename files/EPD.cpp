#include "files/EPD.h"

#include <vector>

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

[[noreturn]] void Major() { throw EMajorEPDError("Very illegal file contents"); }

bool EndsWithLineEnd(std::string_view text) { return !text.empty() && (text.back() == '\n' || text.back() == '\r'); }

// A record's text for the file: its own bytes while it is as it was read.
void AppendRecordText(std::string& out, const TEPDRec& rec, std::string_view lineEnd) {
    const std::string line = EpdLine(rec);
    if (!rec.FileText.empty() && line == rec.ReadLine) {
        out += rec.FileText;
        return;
    }
    const std::string_view file = rec.FileText;
    out += line;
    if (file.empty())
        out += lineEnd;
    else
        out += file.substr(TrimRight(file).size());
}

}  // namespace

void TLineEndCount::Add(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++Lf;
        } else if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++CrLf;
                ++i;
            } else {
                ++Cr;
            }
        }
    }
}

std::string_view TLineEndCount::Dominant() const {
    if (Lf > CrLf && Lf >= Cr) return "\n";
    if (Cr > CrLf && Cr > Lf) return "\r";
    return "\r\n";
}

std::string AppendedFileText(std::string text, std::string_view line) {
    TLineEndCount ends;
    ends.Add(text);
    const std::string_view lineEnd = ends.Dominant();
    if (!text.empty() && !EndsWithLineEnd(text)) text += lineEnd;
    text += line;
    text += lineEnd;
    return text;
}

TEPD::TEPD() : reporter_(&gSilent) {}
TEPD::TEPD(TErrorReporter& reporter) : reporter_(&reporter) {}
TEPD::~TEPD() { Clear(); }

void TEPD::Clear() {
    while (First) {
        TEPDRec* next = First->Next;
        delete First;
        First = next;
    }
    Current = nullptr;
    preamble_.clear();
    lineEnd_ = "\r\n";
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
// are skipped. Every byte read is kept with the record it follows (or before
// the first record), so that the file can be written back as it was.
void TEPD::ReadChunks(const std::string& fileName) {
    TFileInput input(fileName);
    TChunkReader chunks(input, kMaxChunk);
    TEPDRec* record = nullptr;  // the record that operation chunks continue
    std::string* bytes = Last() ? &Last()->FileText : &preamble_;
    if (chunks.SkippedBom()) bytes->append(kUtf8Bom);
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
        atLineStart = EndsWithLineEnd(chunk);
        const std::string_view text = TrimLeft(chunk);
        if (text.empty() || (!startsLine && chunk[0] == ' ')) {
            if (!text.empty()) {
                if (!record) Major();
                ReadOperationChunk(chunk, *record);
            }
            bytes->append(raw);
            continue;
        }
        if (!StartsRecord(startsLine ? text[0] : chunk[0])) Major();
        // The blanks and control characters before a record are ASCII in either encoding.
        const size_t lead = chunk.size() - text.size();
        bytes->append(raw.substr(0, lead));
        record = Append();
        bytes = &record->FileText;
        bytes->assign(raw.substr(lead));
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
    TLineEndCount ends;
    ends.Add(preamble_);
    for (TEPDRec* r = First; r; r = r->Next) {
        ends.Add(r->FileText);
        r->ReadLine = EpdLine(*r);
    }
    lineEnd_ = ends.Dominant();
    Current = First;
    if (error.empty()) return true;
    reporter_->Report(TMsgKind::Error, error);
    return false;
}

std::string TEPD::Text() const {
    std::string text = preamble_;
    for (const TEPDRec* r = First; r; r = r->Next) AppendRecordText(text, *r, lineEnd_);
    return text;
}

void TEPD::SaveToFile(const std::string& fileName) {
    WriteFileSafely(fileName, Text());
    Current = First;
}

TEPDRec* TEPD::AppendLine(std::string_view line) {
    std::string& before = Last() ? Last()->FileText : preamble_;
    if (!before.empty() && !EndsWithLineEnd(before)) before += lineEnd_;
    TEPDRec* const current = Current;
    TEPDRec* rec = Append();
    Current = current;
    // The line's chunks: its fields with the first operation, then one per operation.
    std::vector<std::string_view> parts;
    TEpdQuoting quoting;
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i)
        if (!quoting.Feed(line.data(), i) && line[i] == ';') {
            parts.push_back(line.substr(start, i + 1 - start));
            start = i + 1;
        }
    if (start < line.size()) parts.push_back(line.substr(start));
    try {
        if (!parts.empty()) ReadRecordChunk(TrimLeft(parts[0]), *rec);
        for (size_t i = 1; i < parts.size(); ++i) ReadOperationChunk(parts[i], *rec);
    } catch (const EVorlixError&) {
        rec->Valid = false;
    }
    rec->SourceText.assign(parts.empty() ? std::string_view() : TrimRight(parts[0]));
    rec->FileText.assign(line);
    rec->FileText += lineEnd_;
    rec->ReadLine = EpdLine(*rec);
    return rec;
}

}  // namespace vorlix
