#include "files/InstallPaths.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>

namespace vorlix {

namespace {

namespace fs = std::filesystem;

// The install layout, relative to the prefix (set by the build, see CMakeLists.txt).
const std::string kBinDir = VORLIX_INSTALL_BINDIR;
const std::string kHelperDir = VORLIX_INSTALL_HELPERDIR;
const std::string kDataDir = VORLIX_INSTALL_DATADIR;
const std::string kDataName = "chess-vorlix";
// The one data file every copy of the data has.
const std::string kDataMarker = "default.vxd";

std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

bool EndsWithFolder(const std::string& folder, const std::string& tail) {
    return folder.size() > tail.size() && folder.compare(folder.size() - tail.size(), tail.size(), tail) == 0 &&
           folder[folder.size() - tail.size() - 1] == '/';
}

bool HoldsData(const std::string& folder) {
    std::error_code error;
    return !folder.empty() && fs::is_regular_file(folder + "/" + kDataMarker, error);
}

bool IsProgram(const std::string& path) { return access(path.c_str(), X_OK) == 0 && !fs::is_directory(path); }

std::vector<std::string> SplitFolders(const char* value, std::vector<std::string> fallback) {
    std::vector<std::string> folders;
    const std::string text = value ? value : "";
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find(':', start);
        if (end == std::string::npos) end = text.size();
        // Relative entries are invalid by the XDG rules and are ignored.
        if (end > start && text[start] == '/')
            folders.push_back(WithoutTrailingSlashes(text.substr(start, end - start)));
        start = end + 1;
    }
    return folders.empty() ? fallback : folders;
}

}  // namespace

std::string RunningProgramFolder() {
    char self[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return ".";
    const std::string path(self, size_t(n));
    const size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string InstallPrefixOf(const std::string& programFolder) {
    const std::string folder = WithoutTrailingSlashes(programFolder);
    for (const std::string& tail : {kHelperDir, kBinDir})
        if (EndsWithFolder(folder, tail)) return folder.substr(0, folder.size() - tail.size() - 1);
    return {};
}

std::vector<std::string> XdgDataFolders() {
    const char* home = std::getenv("HOME");
    std::vector<std::string> folders;
    if (home && *home)
        folders = SplitFolders(std::getenv("XDG_DATA_HOME"), {std::string(home) + "/.local/share"});
    else
        folders = SplitFolders(std::getenv("XDG_DATA_HOME"), {});
    if (folders.size() > 1) folders.resize(1);  // one folder only, by the rules
    for (const std::string& folder : SplitFolders(std::getenv("XDG_DATA_DIRS"), {"/usr/local/share", "/usr/share"}))
        folders.push_back(folder);
    return folders;
}

std::string FindDataFolder(const std::string& programFolder, const std::vector<std::string>& dataFolders) {
    const std::string folder = WithoutTrailingSlashes(programFolder);
    if (HoldsData(folder)) return folder;
    const std::string prefix = InstallPrefixOf(folder);
    if (!prefix.empty() && HoldsData(prefix + "/" + kDataDir)) return prefix + "/" + kDataDir;
    for (const std::string& data : dataFolders)
        if (HoldsData(data + "/" + kDataName)) return data + "/" + kDataName;
    return {};
}

std::string FindHelperProgram(const std::string& programFolder, const std::string& name) {
    const std::string folder = WithoutTrailingSlashes(programFolder);
    const std::string beside = folder + "/" + name;
    if (IsProgram(beside)) return beside;
    const std::string prefix = InstallPrefixOf(folder);
    if (prefix.empty()) return beside;
    const std::string installed = prefix + "/" + kHelperDir + "/" + name;
    return installed;
}

}  // namespace vorlix
