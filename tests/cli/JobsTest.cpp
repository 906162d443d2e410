// `games` and `replay` on several threads write exactly what one thread writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class JobsTest : public ::testing::Test {
protected:
    JobsTest() {
        std::random_device rd;
        Dir = std::filesystem::temp_directory_path() / ("vorlix-jobs-" + std::to_string(rd()));
        std::filesystem::create_directories(Dir);
    }
    ~JobsTest() override { std::filesystem::remove_all(Dir); }

    // Standard output, standard error and exit code of one run, in one string.
    std::string Run(const std::string& args) const {
        const std::string out = (Dir / "out").string(), err = (Dir / "err").string();
        const int status = std::system(("'" VORLIX_BIN_DIR "/vorlix' " + args + " >'" + out + "' 2>'" + err + "'").c_str());
        return ReadAll(out) + "\n--- stderr:\n" + ReadAll(err) + "\n--- exit " +
               std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }

    std::filesystem::path Dir;
};

// Sample games and games with comments, escape lines and CR line ends around
// their boundaries, repeated to some megabytes, with a bad move now and then.
std::string LargeFile() {
    std::string unit = ReadAll(VORLIX_TEST_DATA_DIR "/benchmark.pgn") + "\n" + ReadAll(VORLIX_TEST_DATA_DIR "/Morphy_ANSI.pgn");
    unit += "\n[Event \"brace\"]\n\n1. e4 {a\n\n[%clk 0:01:00]\n\n} e5 2. Ke3 *\n\n% escape\n\n";
    unit += "[Event \"cr\"]\r\r1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# 1-0\r\r";
    unit += "[Event \"tags\"]\n; comment\n\n[Site \"same game\"]\n\n1. d4 d5 *\n\n";
    std::string text;
    while (text.size() < (6u << 20)) text += unit;
    return text;
}

}  // namespace

TEST_F(JobsTest, SeveralJobsWriteWhatOneJobWrites) {
    const std::string path = (Dir / "large.pgn").string();
    std::ofstream(path, std::ios::binary) << LargeFile();
    for (const char* command : {"games", "replay"}) {
        const std::string one = Run(std::string(command) + " '" + path + "' --jobs 1");
        // A replay with bad games writes the rest and exits with 1.
        EXPECT_NE(one.find(command == std::string("games") ? "--- exit 0" : "--- exit 1"), std::string::npos) << command;
        EXPECT_GT(one.size(), 500000u) << command;
        for (const char* jobs : {"2", "3"})
            EXPECT_TRUE(Run(std::string(command) + " '" + path + "' --jobs " + jobs) == one) << command << " --jobs " << jobs;
    }
}

// Parts read side by side still name each bad game on standard error by its
// number in the whole file, in file order.
TEST_F(JobsTest, BadGamesAreNamedByTheirNumberInTheFile) {
    const std::string path = (Dir / "large.pgn").string();
    std::ofstream(path, std::ios::binary) << LargeFile();
    const std::string all = Run("replay '" + path + "' --jobs 3");
    const size_t split = all.find("\n--- stderr:\n");
    std::istringstream out(all.substr(0, split)), err(all.substr(split + 13));
    std::string line, game, named;
    int errors = 0;
    while (std::getline(out, line)) {
        if (line.rfind("game ", 0) == 0) game = line.substr(5);
        if (line.rfind("error: ", 0) != 0) continue;
        ++errors;
        ASSERT_TRUE(std::getline(err, named));
        EXPECT_EQ(named, "vorlix: " + path + ": Game " + game + ": " + line.substr(7));
    }
    EXPECT_GT(errors, 5);
    ASSERT_TRUE(std::getline(err, line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(std::getline(err, line));
    EXPECT_EQ(line, "--- exit 1");
}

TEST_F(JobsTest, JobsMustBeAPositiveNumber) {
    EXPECT_NE(Run("games x.pgn --jobs 0").find("--- exit 2"), std::string::npos);
    EXPECT_NE(Run("replay x.pgn --jobs").find("--- exit 2"), std::string::npos);
    EXPECT_NE(Run("games x.pgn --jobs 2 --jobs 2").find("--- exit 2"), std::string::npos);
}
