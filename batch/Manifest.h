#pragma once
// The manifest of a batch run or shard: one JSON object a line, telling what
// the run is (its arguments and shard), every file it wrote (name, size,
// SHA-256, game or record and position numbers) and every game it could not
// replay, then a closing line. A driver checks the union of a sharded run
// against its manifests (VerifyManifests) and reruns only shards whose
// manifest is missing or does not match.
#include <QSaveFile>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "batch/Shard.h"

namespace vorlix {

struct TManifestRun {
    // The run's arguments without those that differ between its shards
    // (--shard, --manifest, --jobs, --overwrite): shards with equal arguments
    // belong to one run.
    std::vector<std::string> Arguments;
    TShard Shard;
};

// What a written file was made from; 0 where it does not apply.
struct TManifestSource {
    int Game = 0;      // PGN: the game's number in the file
    int Record = 0;    // EPD: the record's number in the file
    int Position = 0;  // PGN: the position's number in its game (1 = starting position)
};

class TManifestWriter {
public:
    // Nothing is left behind unless Finish succeeds.
    ~TManifestWriter();
    // Starts the manifest in a temporary file beside fileName; false with a message.
    bool Open(const QString& fileName, const TManifestRun& run, std::string& error);
    bool IsOpen() const { return file_ != nullptr; }
    // Records a written file, reading it back for its size and checksum.
    bool AddFile(const QString& fileName, const TManifestSource& source, std::string& error);
    void AddError(const std::string& message, const TManifestSource& source);
    // Writes the closing line and puts the manifest in place; false with a message.
    bool Finish(int exitCode, std::string& error);

private:
    bool WriteLine(const class QJsonObject& line);

    std::unique_ptr<QSaveFile> file_;
    QString folder_;
    long long files_ = 0, errors_ = 0;
};

struct TVerifyResult {
    long long Files = 0;       // files checked
    long long Problems = 0;    // each one reported
    long long GameErrors = 0;  // games the runs could not replay, as recorded
};

// Checks the files of finished runs against their manifests: every manifest
// complete, every file present with its size and checksum, no file named
// twice, and every shard of each run present exactly once. Problems are
// reported one by one, naming the manifest or the file.
TVerifyResult VerifyManifests(const std::vector<std::string>& manifests, TErrorReporter& reporter);

}  // namespace vorlix
