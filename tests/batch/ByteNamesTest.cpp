// vorlix batch with file names that are not UTF-8: folders, chosen names and
// the numbered names formed from them reach the file system byte for byte.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "batch/BatchFileName.h"

namespace vorlix {
namespace {

struct TByteRun {
    int Exit = -1;
    std::string Err;
};

// Runs vorlix with arguments passed as raw bytes (QProcess would recode them as UTF-8).
TByteRun RunVorlix(const std::vector<std::string>& args, const std::string& errFile) {
    std::vector<char*> argv{const_cast<char*>(VORLIX_BIN_DIR "/vorlix")};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    TByteRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream err(errFile, std::ios::binary);
    run.Err.assign(std::istreambuf_iterator<char>(err), {});
    return run;
}

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.insert(e->d_name);
        ::closedir(dir);
    }
    return names;
}

void WriteText(const std::string& file, const char* text) { std::ofstream(file, std::ios::binary) << text; }

TEST(BatchByteNames, NamesMayBeBytesOfAnyKind) {
    // The lossless name round trip the run forms its names with.
    for (const std::string bytes : {std::string("plain/Cap.gif"), std::string("d\xff/\xff\xfe.gif"),
                                    std::string("\xc3\xa9\xed\xa0\x80\xc3"), std::string("\xf0\x9f\x98\x80\x80")}) {
        EXPECT_EQ(LocalFileName(NameOfLocalFile(bytes)), bytes);
        EXPECT_EQ(LocalFileName(SplitChosenName(NameOfLocalFile(bytes), true).Path),
                  bytes.substr(0, bytes.find('/') + 1));
    }
    EXPECT_EQ(NameOfLocalFile("\xc3\xa9"), QString::fromUtf8("\xc3\xa9"));

    if (!QFile::exists(VORLIX_BIN_DIR "/vorlix")) GTEST_SKIP() << "vorlix not built";
    QTemporaryDir dir;
    const std::string root = QFile::encodeName(dir.path()).toStdString();
    const std::string folder = root + "/d\xff", err = root + "/err.txt";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const std::string pgn = folder + "/g\xfe.pgn", epd = folder + "/e\xfe.epd", style = folder + "/s\xfe.vxd";
    WriteText(pgn, "[Event \"x\"]\n\n1. e4 e5 *\n\n[Event \"y\"]\n\n1. d4 *\n");
    WriteText(epd, "8/8/8/8/8/8/8/K6k w - - id \"a\";\n8/8/8/8/8/8/8/K5k1 w - - id \"b\";\n");
    std::filesystem::copy_file(VORLIX_SOURCE_DIR "/resources/default.vxd", style);

    struct TCase {
        std::vector<std::string> Args;  // after the input
        std::string Input;
        std::set<std::string> Written;  // in the folder, besides the inputs
    };
    const std::string stem = folder + "/\xff\xfe";
    const TCase cases[] = {
        {{"-o", stem + ".gif", "--positions", "fixed"},
         pgn,
         {"\xff\xfe"
          "0001.GIF",
          "\xff\xfe"
          "0011.GIF"}},
        {{"-o", stem + ".svg"},
         epd,
         {"\xff\xfe"
          "001.svg",
          "\xff\xfe"
          "002.svg"}},
        {{"-o", stem + ".vxd"},
         epd,
         {"\xff\xfe"
          "001.VXD",
          "\xff\xfe"
          "002.VXD"}},
        {{"-o", stem + ".pdf"}, epd, {"\xff\xfe.pdf"}},
        {{"-o", stem + ".pdf", "--shard", "1/2"}, epd, {"\xff\xfe-1-of-2.pdf"}},
    };
    const std::set<std::string> inputs{"g\xfe.pgn", "e\xfe.epd", "s\xfe.vxd"};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Args[1]);
        std::vector<std::string> args{"batch", c.Input, "--style", style};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        TByteRun run = RunVorlix(args, err);
        ASSERT_EQ(run.Exit, 0) << run.Err;
        std::set<std::string> expected = inputs;
        expected.insert(c.Written.begin(), c.Written.end());
        EXPECT_EQ(Entries(folder), expected);
        for (const std::string& name : c.Written) EXPECT_GT(std::filesystem::file_size(folder + "/" + name), 0u);

        // Again: the files found by their bytes are this run's to refuse, named as they are.
        run = RunVorlix(args, err);
        EXPECT_EQ(run.Exit, 1);
        EXPECT_NE(run.Err.find(folder + "/" + *c.Written.begin() + ": the file exists"), std::string::npos) << run.Err;
        args.push_back("--overwrite");
        EXPECT_EQ(RunVorlix(args, err).Exit, 0);
        EXPECT_EQ(Entries(folder), expected);
        for (const std::string& name : c.Written) std::filesystem::remove(folder + "/" + name);
    }
    // gif reads a style of any name too.
    TByteRun run = RunVorlix({"gif", pgn, "--style", style, "-o", stem + ".gif"}, err);
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(Entries(folder).count("\xff\xfe.gif"), 1u);
    std::filesystem::remove(stem + ".gif");
    // A missing folder is named as given; a manifest, which holds names as text, asks for UTF-8.
    run = RunVorlix({"batch", epd, "-o", root + "/m\xff/a.gif"}, err);
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find(root + "/m\xff/: the folder does not exist"), std::string::npos) << run.Err;
    run = RunVorlix({"batch", epd, "-o", stem + ".gif", "--manifest", root + "/run.json"}, err);
    EXPECT_EQ(run.Exit, 2);
    EXPECT_NE(run.Err.find("UTF-8"), std::string::npos) << run.Err;
    EXPECT_EQ(Entries(folder), inputs);
    std::filesystem::remove_all(folder);  // Qt cannot name it to clear it
}

}  // namespace
}  // namespace vorlix
