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
    // A limit (shell commands before the run) applies to vorlix alone, in a shell of its own.
    std::string Run(const std::string& args, const std::string& limit = "") const {
        const std::string out = (Dir / "out").string(), err = (Dir / "err").string();
        const std::string run = "'" VORLIX_BIN_DIR "/vorlix' " + args + " >'" + out + "' 2>'" + err + "'";
        const int status = std::system(limit.empty() ? run.c_str() : ("sh -c \"" + limit + run + "\"").c_str());
        return ReadAll(out) + "\n--- stderr:\n" + ReadAll(err) + "\n--- exit " +
               std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }

    std::filesystem::path Dir;
};

// Sample games and games with comments, escape lines and CR line ends around
// their boundaries, repeated to some megabytes, with a bad move now and then.
std::string LargeFile() {
    std::string unit =
        ReadAll(VORLIX_TEST_DATA_DIR "/benchmark.pgn") + "\n" + ReadAll(VORLIX_TEST_DATA_DIR "/Morphy_ANSI.pgn");
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
        EXPECT_NE(one.find(command == std::string("games") ? "--- exit 0" : "--- exit 1"), std::string::npos)
            << command;
        EXPECT_GT(one.size(), 500000u) << command;
        for (const char* jobs : {"2", "3"})
            EXPECT_TRUE(Run(std::string(command) + " '" + path + "' --jobs " + jobs) == one)
                << command << " --jobs " << jobs;
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

TEST_F(JobsTest, JobsMustBeAPositiveNumberUpTo256) {
    EXPECT_NE(Run("games x.pgn --jobs 0").find("--- exit 2"), std::string::npos);
    EXPECT_NE(Run("replay x.pgn --jobs").find("--- exit 2"), std::string::npos);
    EXPECT_NE(Run("games x.pgn --jobs 2 --jobs 2").find("--- exit 2"), std::string::npos);
    for (const char* command : {"games", "replay"}) {
        const std::string r = Run(std::string(command) + " x.pgn --jobs 100000");
        EXPECT_NE(r.find("vorlix: --jobs takes a number from 1 to 256\n"), std::string::npos) << r;
        EXPECT_NE(r.find("--- exit 2"), std::string::npos) << command;
    }
}

// With little address space, threads that cannot be started leave fewer of
// them at work, and memory that runs out ends the run with a message: never a
// signal, never output that claims success.
TEST_F(JobsTest, ScarceMemoryGivesFewerThreadsOrAMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit under the address-space limit";
#endif
    const std::string path = (Dir / "large.pgn").string();
    std::ofstream(path, std::ios::binary) << LargeFile();
    for (const char* command : {"games", "replay"}) {
        const std::string one = Run(std::string(command) + " '" + path + "' --jobs 1");
        for (const char* jobs : {"8", "64", "256"}) {
            SCOPED_TRACE(std::string(command) + " --jobs " + jobs);
            const std::string limited =
                Run(std::string(command) + " '" + path + "' --jobs " + jobs, "ulimit -v 250000; ");
            const bool same = limited == one;
            const bool told = limited.find("out of memory") != std::string::npos ||
                              limited.find("Out of memory") != std::string::npos;
            EXPECT_TRUE(same || (told && limited.find("--- exit 1") != std::string::npos))
                << limited.substr(limited.find("\n--- stderr:\n"));
        }
    }
}
