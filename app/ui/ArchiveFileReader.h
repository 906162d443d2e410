#pragma once
// Stands in for an archive viewer window where none is built in: opening the
// file only reads it (its reader reports what is wrong with it) and shows nothing.
#include <QFile>
#include <QString>

#include "files/ErrorReporter.h"
#include "viewers/ui/ViewerHost.h"

namespace vorlix {

// TReader is one of the file collections (TPGN, TEPD).
template <class TReader>
class TArchiveFileReader : public TArchiveViewer {
public:
    explicit TArchiveFileReader(TErrorReporter& reporter) : FReader(reporter) {}

    bool LoadArchive(const QString& fileName) override {
        FReader.Clear();
        return FReader.LoadFromFile(QFile::encodeName(fileName).toStdString());
    }
    void ShowArchive() override {}
    void CloseArchive() override { FReader.Clear(); }
    bool ArchiveVisible() const override { return false; }
    const TReader& Reader() const { return FReader; }

private:
    TReader FReader;
};

}  // namespace vorlix
