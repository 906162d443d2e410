// The vorlix program keeps the text commands free of Qt and hands the commands
// that draw to the rendering program beside it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {

const std::string kBin = VORLIX_BIN_DIR;

// Standard output and error of a shell command, and its exit code.
int Shell(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    char block[4096];
    for (size_t n; (n = fread(block, 1, sizeof block, pipe)) > 0;) output.append(block, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(ProgramSplit, TextProgramNeedsNoQtLibrary) {
    std::string dynamic;
    ASSERT_EQ(Shell("readelf -d '" + kBin + "/vorlix'", dynamic), 0);
    EXPECT_EQ(dynamic.find("libQt"), std::string::npos) << dynamic;
    std::string rendering;
    ASSERT_EQ(Shell("readelf -d '" + kBin + "/vorlix-rendering'", rendering), 0);
    EXPECT_NE(rendering.find("libQt6Gui"), std::string::npos);
}

TEST(ProgramSplit, DrawingCommandsRunInTheRenderingProgram) {
    std::string out;
    // Bad arguments are answered by the render command itself, with its own message.
    EXPECT_EQ(Shell("'" + kBin + "/vorlix' render", out), 2);
    EXPECT_NE(out.find("vorlix render: "), std::string::npos) << out;
}

TEST(ProgramSplit, MissingRenderingProgramIsReported) {
    std::random_device rd;
    const auto dir = std::filesystem::temp_directory_path() / ("vorlix-split-" + std::to_string(rd()));
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(kBin + "/vorlix", dir / "vorlix");
    std::string out;
    EXPECT_EQ(Shell("'" + (dir / "vorlix").string() + "' render --fen x -o x.gif", out), 1);
    EXPECT_NE(out.find("cannot start " + (dir / "vorlix-rendering").string()), std::string::npos) << out;
    // The text commands need nothing beside the program.
    EXPECT_EQ(Shell("'" + (dir / "vorlix").string() + "' games '" VORLIX_TEST_DATA_DIR "/3.pgn'", out), 0);
    EXPECT_EQ(out.substr(0, 2), "1\t");
    std::filesystem::remove_all(dir);
}
