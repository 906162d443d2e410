#include "files/PGNIndex.h"

#include <algorithm>
#include <cstring>

#include "files/Exceptions.h"
#include "files/PGNReader.h"
#include "files/ReaderFailure.h"

namespace vorlix {

namespace {

constexpr size_t kTagBlockSize = 1 << 20;
constexpr uint64_t kProgressStep = 1 << 20;

const std::string* TagField(const TPGNRec& g, int tag) {
    const std::string* fields[kPGNTagCount] = {&g.White, &g.Black, &g.Event, &g.Site, &g.Date,
                                               &g.Result, &g.Round, &g.WhiteElo, &g.BlackElo, &g.ECO};
    return fields[tag];
}

std::string* TagField(TPGNRec& g, int tag) {
    return const_cast<std::string*>(TagField(static_cast<const TPGNRec&>(g), tag));
}

// Tag text is stored as ten fields, each a length (7 bits per byte, low bits
// first, high bit set while more follow) and its bytes.
size_t LengthSize(size_t n) {
    size_t size = 1;
    while (n >= 0x80) {
        n >>= 7;
        ++size;
    }
    return size;
}

char* PutLength(char* out, size_t n) {
    while (n >= 0x80) {
        *out++ = static_cast<char>((n & 0x7F) | 0x80);
        n >>= 7;
    }
    *out++ = static_cast<char>(n);
    return out;
}

const unsigned char* GetLength(const unsigned char* in, size_t& n) {
    n = 0;
    for (int shift = 0;; shift += 7) {
        const unsigned char b = *in++;
        n |= static_cast<size_t>(b & 0x7F) << shift;
        if (!(b & 0x80)) return in;
    }
}

}  // namespace

void TPGNIndex::Clear() {
    Games_.clear();
    Games_.shrink_to_fit();
    TagBlocks_.clear();
    BlockUsed_ = 0;
    Stopped_ = false;
    FileName_.clear();
}

size_t TPGNIndex::MemoryUsed() const {
    return Games_.capacity() * sizeof(TEntry) + TagBlocks_.size() * kTagBlockSize;
}

char* TPGNIndex::TagSpace(size_t size, uint64_t& where) {
    if (TagBlocks_.empty() || BlockUsed_ + size > kTagBlockSize) {
        // A game with very long tags gets a block of its own.
        TagBlocks_.push_back(std::make_unique<char[]>(std::max(size, kTagBlockSize)));
        BlockUsed_ = size > kTagBlockSize ? kTagBlockSize : 0;
        if (size > kTagBlockSize) {
            where = static_cast<uint64_t>(TagBlocks_.size() - 1) << 32;
            return TagBlocks_.back().get();
        }
    }
    where = (static_cast<uint64_t>(TagBlocks_.size() - 1) << 32) | BlockUsed_;
    char* space = TagBlocks_.back().get() + BlockUsed_;
    BlockUsed_ += size;
    return space;
}

void TPGNIndex::AddGame(const TPGNRec& game, uint64_t offset, uint64_t length) {
    size_t size = 0;
    for (int t = 0; t < kPGNTagCount; ++t) {
        const size_t n = TagField(game, t)->size();
        size += LengthSize(n) + n;
    }
    uint64_t where = 0;
    char* out = TagSpace(size, where);
    for (int t = 0; t < kPGNTagCount; ++t) {
        const std::string& s = *TagField(game, t);
        out = PutLength(out, s.size());
        std::memcpy(out, s.data(), s.size());
        out += s.size();
    }
    Games_.push_back({offset, length, where});
}

const unsigned char* TPGNIndex::TagText(int i) const {
    const uint64_t where = Games_[static_cast<size_t>(i)].Tags;
    return reinterpret_cast<const unsigned char*>(TagBlocks_[where >> 32].get() + (where & 0xFFFFFFFFu));
}

std::string_view TPGNIndex::Tag(int i, TPGNTag tag) const {
    const unsigned char* p = TagText(i);
    size_t n = 0;
    for (int t = 0;; ++t) {
        p = GetLength(p, n);
        if (t == static_cast<int>(tag)) return {reinterpret_cast<const char*>(p), n};
        p += n;
    }
}

void TPGNIndex::TagsOf(int i, TPGNRec& game) const {
    ResetGame(game);
    for (int t = 0; t < kPGNTagCount; ++t) TagField(game, t)->assign(Tag(i, static_cast<TPGNTag>(t)));
}

// Learns where each game starts, reports progress and passes on a stop.
class TPGNIndex::TIndexObserver : public TPGNReadObserver {
public:
    TIndexObserver(TPGNIndex& index, const TProgress& progress) : Index(index), Progress(progress) {}
    void FileOpened(uint64_t size) override { Size = size; }
    void GameStarts(uint64_t offset) override { GameOffset = offset; }
    bool BeforeLine(uint64_t offset) override {
        if (!Progress || offset < NextReport) return true;
        NextReport = offset + kProgressStep;
        if (Progress(offset, Size)) return true;
        Index.Stopped_ = true;
        return false;
    }

    TPGNIndex& Index;
    const TProgress& Progress;
    uint64_t Size = 0;
    uint64_t GameOffset = 0;  // where the game being read starts
    uint64_t NextReport = 0;
};

bool TPGNIndex::LoadFromFile(const std::string& fileName, TErrorReporter& reporter, const TProgress& progress) {
    Clear();
    FileName_ = fileName;
    TPGNRec game;
    TIndexObserver observer(*this, progress);
    const bool ok = ReadPGNFile(
        fileName, reporter,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& done) { AddGame(done, observer.GameOffset, 0); }, &observer);
    // Each game runs up to the next one; the last up to the game dropped by a
    // stop, or the end of the file.
    for (size_t i = 0; i + 1 < Games_.size(); ++i) Games_[i].FileLength = Games_[i + 1].FileOffset - Games_[i].FileOffset;
    if (!Games_.empty()) {
        TEntry& last = Games_.back();
        const uint64_t end = Stopped_ && observer.GameOffset > last.FileOffset ? observer.GameOffset : observer.Size;
        last.FileLength = end > last.FileOffset ? end - last.FileOffset : 0;
    }
    return ok;
}

bool TPGNIndex::ReadGame(int i, TPGNRec& game, TErrorReporter& reporter) const {
    const TEntry& entry = Games_.at(static_cast<size_t>(i));
    int started = 0;
    const bool ok = ReadPGNPart(
        FileName_, entry.FileOffset, entry.FileOffset + entry.FileLength, reporter,
        [&] {
            // The part must hold exactly one game, else the file changed since it was read.
            if (started++) throw EPGNFileError("Illegal file contents.");
            ResetGame(game);
            return &game;
        },
        nullptr);
    if (ok && !started) reporter.Report(TMsgKind::Error, NotAValidFileMessage(FileName_, "PGN"));
    return ok && started == 1;
}

}  // namespace vorlix
