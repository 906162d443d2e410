#pragma once
// Keeps a batch run from replacing files that it did not write itself, so two
// different runs into one folder fail loudly instead of overwriting each
// other. The folder is listed once; a run whose names cannot meet any file
// there needs no further look.
#include <QSet>
#include <QString>

#include "batch/BatchFileName.h"

namespace vorlix {

class TExistingFiles {
public:
    // The files of name.Path (the current folder when empty) whose names
    // start with name.Stem: the only ones a run's numbered names can meet.
    explicit TExistingFiles(const TChosenName& name);
    bool Empty() const { return names_.isEmpty(); }
    // fileName as the run forms it (name.Path + file name).
    bool Contains(const QString& fileName) const { return names_.contains(fileName); }

private:
    QSet<QString> names_;
};

// The message for a run that would replace a file it did not write.
std::string ClashMessage(const QString& fileName);

}  // namespace vorlix
