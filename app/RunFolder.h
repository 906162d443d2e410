#pragma once
// A private scratch folder for one run of the editor (the undo states live
// there). It is removed with everything in it when the run ends; folders left
// by runs that ended without cleaning up (killed, crashed) are removed by the
// next run.
#include <QString>
#include <memory>

class QTemporaryDir;

namespace vorlix {

class TRunFolder {
public:
    // Makes the folder inside base.
    explicit TRunFolder(const QString& base);
    ~TRunFolder();
    TRunFolder(const TRunFolder&) = delete;
    TRunFolder& operator=(const TRunFolder&) = delete;

    bool Exists() const { return dir_ != nullptr; }
    // The folder; when it could not be made, the name it would have had, so
    // that writing there fails and the failure names the place.
    QString Path() const;

    // Removes the run folders in base whose process no longer exists.
    static void RemoveAbandoned(const QString& base);

private:
    QString intended_;
    std::unique_ptr<QTemporaryDir> dir_;
};

}  // namespace vorlix
