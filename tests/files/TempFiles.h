#pragma once
// A scratch folder for one test, removed afterwards.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class TTempDir {
public:
    TTempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("vorlix-test-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TTempDir() { std::filesystem::remove_all(path_); }
    std::string Write(const std::string& name, const std::string& contents) const {
        const std::string path = File(name);
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};
