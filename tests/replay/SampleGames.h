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
        f.Path_ = (std::filesystem::temp_directory_path() / ("vorlix-sample-" + std::to_string(rd()))).string();
        f.Temporary_ = true;
        const std::string command = "gzip -dc '" + std::string(VORLIX_TEST_DATA_DIR) + "/" + name + "' > '" + f.Path_ + "'";
        f.Ok_ = std::system(command.c_str()) == 0;
        return f;
    }
    TSampleFile(TSampleFile&& other) noexcept : Path_(std::move(other.Path_)), Temporary_(other.Temporary_), Ok_(other.Ok_) {
        other.Temporary_ = false;
    }
    TSampleFile(const TSampleFile&) = delete;
    ~TSampleFile() {
        if (Temporary_) std::filesystem::remove(Path_);
    }
    const std::string& Path() const { return Path_; }
    bool Ok() const { return Ok_; }

private:
    TSampleFile() = default;
    std::string Path_;
    bool Temporary_ = false;
    bool Ok_ = false;
};
