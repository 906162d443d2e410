#pragma once
// The sample chess files the replay tests run on.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

// Every PGN file of the sample folder.
inline std::vector<std::string> SamplePgnFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(VORLIX_TEST_DATA_DIR))
        if (entry.path().extension() == ".pgn") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// A sample file; a gzip-compressed one is unpacked into a temporary file that
// is removed again with this object.
class TSampleFile {
public:
    static TSampleFile Unzipped(const std::string& name) {
        TSampleFile f;
        std::random_device rd;
        f.path_ = (std::filesystem::temp_directory_path() / ("vorlix-sample-" + std::to_string(rd()))).string();
        f.temporary_ = true;
        const std::string command =
            "gzip -dc '" + std::string(VORLIX_TEST_DATA_DIR) + "/" + name + "' > '" + f.path_ + "'";
        f.ok_ = std::system(command.c_str()) == 0;
        return f;
    }
    TSampleFile(TSampleFile&& other) noexcept
        : path_(std::move(other.path_)), temporary_(other.temporary_), ok_(other.ok_) {
        other.temporary_ = false;
    }
    TSampleFile(const TSampleFile&) = delete;
    ~TSampleFile() {
        if (temporary_) std::filesystem::remove(path_);
    }
    const std::string& Path() const { return path_; }
    bool Ok() const { return ok_; }

private:
    TSampleFile() = default;
    std::string path_;
    bool temporary_ = false;
    bool ok_ = false;
};
