#include "files/PGNIndex.h"

#include <algorithm>
#include <stdexcept>

#include "files/Exceptions.h"
#include "files/PGNParts.h"
#include "files/PGNReader.h"
#include "files/ReaderFailure.h"

namespace vorlix {

namespace {

constexpr uint64_t kProgressStep = 1 << 20;

const std::string* TagField(const TPGNRec& g, int tag) {
    const std::string* fields[kPGNTagCount] = {&g.White,  &g.Black, &g.Event,    &g.Site,     &g.Date,
                                               &g.Result, &g.Round, &g.WhiteElo, &g.BlackElo, &g.ECO};
    return fields[tag];
}

std::string* TagField(TPGNRec& g, int tag) {
    return const_cast<std::string*>(TagField(static_cast<const TPGNRec&>(g), tag));
}

// The pool of each tag, in TPGNTag order.
constexpr int kPoolOfTag[kPGNTagCount] = {0, 0, 1, 2, 3, 4, 5, 6, 6, 7};

}  // namespace

void TPGNIndex::Clear() {
    offsets_.Clear();
    end_ = 0;
    for (TPackedColumn& ids : tagIds_) ids.Clear();
    for (TStringPool& pool : pools_) pool.Clear();
    stopped_ = false;
    fileName_.clear();
}

size_t TPGNIndex::MemoryUsed() const {
    size_t used = offsets_.MemoryUsed();
    for (const TPackedColumn& ids : tagIds_) used += ids.MemoryUsed();
    for (const TStringPool& pool : pools_) used += pool.MemoryUsed();
    return used;
}

const TStringPool& TPGNIndex::PoolOf(TPGNTag tag) const { return pools_[kPoolOfTag[static_cast<int>(tag)]]; }

void TPGNIndex::AddGame(const TPGNRec& game, uint64_t offset) {
    for (int t = 0; t < kPGNTagCount; ++t) tagIds_[t].Push(pools_[kPoolOfTag[t]].Intern(*TagField(game, t)));
    offsets_.Push(offset);
}

void TPGNIndex::Append(const TPGNIndex& part) {
    // The part's values get the ids of the same values here, new ones in the
    // order they first came, so the ids are those one reader would give.
    std::array<std::vector<uint32_t>, kPoolCount> idHere;
    for (int p = 0; p < kPoolCount; ++p) {
        idHere[p].resize(part.pools_[p].Count());
        for (uint32_t id = 0; id < part.pools_[p].Count(); ++id)
            idHere[p][id] = pools_[p].Intern(part.pools_[p].Text(id));
    }
    for (size_t g = 0; g < part.offsets_.Size(); ++g) {
        for (int t = 0; t < kPGNTagCount; ++t) tagIds_[t].Push(idHere[kPoolOfTag[t]][part.tagIds_[t].Get(g)]);
        offsets_.Push(part.offsets_.Get(g));
    }
}

void TPGNIndex::FinishAdding(uint64_t end) {
    const uint64_t lastStart = offsets_.Size() ? offsets_.Get(offsets_.Size() - 1) : 0;
    end_ = std::max(end, lastStart);
    for (TStringPool& pool : pools_) pool.Seal();
}

uint64_t TPGNIndex::GameEnd(size_t i) const { return i + 1 < offsets_.Size() ? offsets_.Get(i + 1) : end_; }

uint32_t TPGNIndex::TagId(int i, TPGNTag tag) const {
    return static_cast<uint32_t>(tagIds_[static_cast<size_t>(tag)].Get(static_cast<size_t>(i)));
}

uint32_t TPGNIndex::TagIdCount(TPGNTag tag) const { return PoolOf(tag).Count(); }

std::string_view TPGNIndex::TagValue(TPGNTag tag, uint32_t id) const { return PoolOf(tag).Text(id); }

std::string_view TPGNIndex::Tag(int i, TPGNTag tag) const { return TagValue(tag, TagId(i, tag)); }

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
        Index.stopped_ = true;
        return false;
    }
    bool WhileWaiting() override {
        if (!Progress || Progress(NextReport > kProgressStep ? NextReport - kProgressStep : 0, Size)) return true;
        Index.stopped_ = true;
        return false;
    }

    TPGNIndex& Index;
    const TProgress& Progress;
    uint64_t Size = 0;
    uint64_t GameOffset = 0;  // where the game being read starts
    uint64_t NextReport = 0;
};

bool TPGNIndex::LoadFromFile(const std::string& fileName, TErrorReporter& reporter, const TProgress& progress, int jobs,
                             uint64_t partSize) {
    Clear();
    fileName_ = fileName;
    const std::vector<uint64_t> cuts = jobs > 1 ? SplitPGNFile(fileName, partSize) : std::vector<uint64_t>{};
    if (cuts.size() <= 2) return LoadInOneJob(reporter, progress);
    return LoadInParts(cuts, jobs, reporter, progress);
}

bool TPGNIndex::LoadInOneJob(TErrorReporter& reporter, const TProgress& progress) {
    TPGNRec game;
    TIndexObserver observer(*this, progress);
    const bool ok = ReadPGNFile(
        fileName_, reporter,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& done) { AddGame(done, observer.GameOffset); }, &observer, TMoveText::Skip);
    // Each game runs up to the next one; the last up to the game dropped by a
    // stop, or the end of the file.
    const bool dropped = stopped_ && Count() > 0 && observer.GameOffset > offsets_.Get(offsets_.Size() - 1);
    FinishAdding(dropped ? observer.GameOffset : observer.Size);
    return ok;
}

bool TPGNIndex::ReadGame(int i, TPGNRec& game, TErrorReporter& reporter) const {
    if (i < 0 || i >= Count()) throw std::out_of_range("TPGNIndex::ReadGame");
    const uint64_t begin = offsets_.Get(static_cast<size_t>(i)), end = GameEnd(static_cast<size_t>(i));
    int started = 0;
    const bool ok = ReadPGNPart(
        fileName_, begin, end, reporter,
        [&] {
            // The part must hold exactly one game, else the file changed since it was read.
            if (started++) throw EPGNFileError("Illegal file contents.");
            ResetGame(game);
            return &game;
        },
        nullptr);
    if (ok && !started) reporter.Report(TMsgKind::Error, NotAValidFileMessage(fileName_, "PGN"));
    return ok && started == 1;
}

}  // namespace vorlix
