#include "batch/Manifest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>
#include <set>

namespace vorlix {

namespace {

constexpr int kFormat = 1;
const QString kFormatKey = QStringLiteral("vorlix-batch-manifest");

QString ShardText(const TShard& shard) { return QString::number(shard.Index) + '/' + QString::number(shard.Count); }

void PutSource(QJsonObject& line, const TManifestSource& source) {
    if (source.Game) line["game"] = source.Game;
    if (source.Record) line["record"] = source.Record;
    if (source.Position) line["position"] = source.Position;
}

// Size and SHA-256 of a file as it is on the disk; false when it cannot be read.
bool Digest(const QString& fileName, qint64& size, QByteArray& sha256) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) return false;
    size = file.size();
    sha256 = hash.result().toHex();
    return true;
}

std::string Local(const QString& text) { return text.toLocal8Bit().toStdString(); }

}  // namespace

TManifestWriter::~TManifestWriter() = default;  // an uncommitted QSaveFile removes its temporary file

bool TManifestWriter::Open(const QString& fileName, const TManifestRun& run, std::string& error) {
    file_ = std::make_unique<QSaveFile>(fileName);
    if (!file_->open(QIODevice::WriteOnly)) {
        error = Local(fileName) + ": " + Local(file_->errorString());
        file_.reset();
        return false;
    }
    folder_ = QFileInfo(fileName).absolutePath();
    QJsonArray arguments;
    for (const std::string& a : run.Arguments) arguments.append(QString::fromStdString(a));
    QJsonObject head;
    head[kFormatKey] = kFormat;
    head["run"] = arguments;
    head["shard"] = ShardText(run.Shard);
    if (!WriteLine(head)) {
        error = Local(fileName) + ": " + Local(file_->errorString());
        return false;
    }
    return true;
}

bool TManifestWriter::WriteLine(const QJsonObject& line) {
    QByteArray text = QJsonDocument(line).toJson(QJsonDocument::Compact);
    text += '\n';
    return file_->write(text) == text.size();
}

bool TManifestWriter::AddFile(const QString& fileName, const TManifestSource& source, std::string& error) {
    qint64 size = 0;
    QByteArray sha256;
    if (!Digest(fileName, size, sha256)) {
        error = Local(fileName) + ": cannot be read back for the manifest";
        return false;
    }
    QJsonObject line;
    line["file"] = QDir(folder_).relativeFilePath(QFileInfo(fileName).absoluteFilePath());
    line["size"] = size;
    line["sha256"] = QString::fromLatin1(sha256);
    PutSource(line, source);
    ++files_;
    if (WriteLine(line)) return true;
    error = Local(file_->fileName()) + ": " + Local(file_->errorString());
    return false;
}

void TManifestWriter::AddError(const std::string& message, const TManifestSource& source) {
    QJsonObject line;
    line["error"] = QString::fromStdString(message);
    PutSource(line, source);
    ++errors_;
    WriteLine(line);  // a failed write shows in Finish
}

bool TManifestWriter::Finish(int exitCode, std::string& error) {
    QJsonObject end;
    end["end"] = true;
    end["files"] = files_;
    end["errors"] = errors_;
    end["exit"] = exitCode;
    if (WriteLine(end) && file_->commit()) return true;
    error = Local(file_->fileName()) + ": " + Local(file_->errorString());
    return false;
}

namespace {

struct TRunShards {
    int Count = 0;
    std::map<int, std::vector<std::string>> Manifests;  // shard index -> manifests
};

class TVerifier {
public:
    explicit TVerifier(TErrorReporter& reporter) : reporter_(reporter) {}

    void Manifest(const std::string& name);
    void Shards();
    TVerifyResult Result;

private:
    void Problem(const std::string& subject, const std::string& message) {
        reporter_.Report(TMsgKind::Error, subject + ": " + message);
        ++Result.Problems;
    }
    bool Head(const std::string& name, const QJsonObject& head);
    void File(const std::string& name, const QString& folder, const QJsonObject& line);

    TErrorReporter& reporter_;
    std::map<QString, std::string> owners_;  // absolute file name -> its manifest
    std::map<QString, TRunShards> runs_;     // the run's arguments -> its shards
};

bool TVerifier::Head(const std::string& name, const QJsonObject& head) {
    if (head.value(kFormatKey).toInt() != kFormat || !head.value("run").isArray()) {
        Problem(name, "not a manifest of vorlix batch");
        return false;
    }
    TShard shard;
    std::string error;
    if (!ParseShard(head.value("shard").toString().toStdString(), shard, error)) {
        Problem(name, "the manifest names no valid shard");
        return false;
    }
    const QString run = QString::fromUtf8(QJsonDocument(head.value("run").toArray()).toJson(QJsonDocument::Compact));
    TRunShards& shards = runs_[run];
    if (shards.Count && shards.Count != shard.Count)
        Problem(name, "shard " + std::to_string(shard.Index) + "/" + std::to_string(shard.Count) +
                          " belongs to a run of " + std::to_string(shards.Count) + " shards given before");
    else
        shards.Count = shard.Count;
    shards.Manifests[shard.Index].push_back(name);
    return true;
}

void TVerifier::File(const std::string& name, const QString& folder, const QJsonObject& line) {
    const QString relative = line.value("file").toString();
    const QString path = QDir::cleanPath(QDir(folder).absoluteFilePath(relative));
    const std::string subject = Local(path);
    ++Result.Files;
    const auto [owner, added] = owners_.emplace(path, name);
    if (!added) Problem(subject, "named by " + owner->second + " and by " + name);
    qint64 size = 0;
    QByteArray sha256;
    if (!QFileInfo::exists(path)) return Problem(subject, "missing (" + name + ")");
    if (!Digest(path, size, sha256)) return Problem(subject, "cannot be read");
    const qint64 expected = static_cast<qint64>(line.value("size").toDouble(-1));
    if (size != expected)
        return Problem(subject, std::to_string(size) + " bytes, the manifest says " + std::to_string(expected) + " (" +
                                    name + ")");
    if (QString::fromLatin1(sha256) != line.value("sha256").toString())
        Problem(subject, "its contents differ from the checksum in " + name);
}

void TVerifier::Manifest(const std::string& name) {
    QFile file(QString::fromLocal8Bit(name.c_str()));
    if (!file.open(QIODevice::ReadOnly)) return Problem(name, Local(file.errorString()));
    const QString folder = QFileInfo(file).absolutePath();
    bool headRead = false, ended = false;
    long long files = 0;
    for (int number = 1; !file.atEnd(); ++number) {
        const QByteArray text = file.readLine().trimmed();
        if (text.isEmpty()) continue;
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(text, &parseError);
        if (!doc.isObject()) return Problem(name, "line " + std::to_string(number) + " is not a JSON object");
        const QJsonObject line = doc.object();
        if (!headRead) {
            if (!Head(name, line)) return;
            headRead = true;
        } else if (ended) {
            return Problem(name, "line " + std::to_string(number) + " follows the closing line");
        } else if (line.contains("file")) {
            ++files;
            File(name, folder, line);
        } else if (line.contains("error")) {
            ++Result.GameErrors;
        } else if (line.value("end").toBool()) {
            ended = true;
            if (line.value("files").toDouble() != files)
                Problem(name, "the closing line counts " + std::to_string(line.value("files").toInteger()) +
                                  " files, the manifest lists " + std::to_string(files));
        } else {
            return Problem(name, "line " + std::to_string(number) + " is neither a file, an error nor the end");
        }
    }
    if (!headRead) return Problem(name, "the manifest is empty");
    if (!ended) Problem(name, "the manifest has no closing line: its run did not finish");
}

void TVerifier::Shards() {
    for (const auto& [run, shards] : runs_) {
        for (const auto& [index, names] : shards.Manifests)
            if (names.size() > 1)
                Problem(names[1], "shard " + std::to_string(index) + "/" + std::to_string(shards.Count) +
                                      " has been given already (" + names[0] + ")");
        for (int k = 1; k <= shards.Count; ++k)
            if (!shards.Manifests.count(k))
                Problem(
                    shards.Manifests.begin()->second.front(),
                    "shard " + std::to_string(k) + "/" + std::to_string(shards.Count) + " of this run has no manifest");
    }
}

}  // namespace

TVerifyResult VerifyManifests(const std::vector<std::string>& manifests, TErrorReporter& reporter) {
    TVerifier verifier(reporter);
    for (const std::string& name : manifests) verifier.Manifest(name);
    verifier.Shards();
    return verifier.Result;
}

}  // namespace vorlix
