#include "batch/OverwriteGuard.h"

#include <dirent.h>

namespace vorlix {

TExistingFiles::TExistingFiles(const TChosenName& name) {
    // Listed by bytes: Qt would change a name that is not UTF-8.
    DIR* dir = ::opendir(name.Path.isEmpty() ? "." : LocalFileName(name.Path).c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_type == DT_DIR) continue;
        const QString file = NameOfLocalFile(entry->d_name);
        if (file.startsWith(name.Stem) && file != "." && file != "..") names_.insert(name.Path + file);
    }
    ::closedir(dir);
}

std::string ClashMessage(const QString& fileName) {
    return LocalFileName(fileName) +
           ": the file exists and this run did not write it; nothing was written (give --overwrite to replace it)";
}

}  // namespace vorlix
