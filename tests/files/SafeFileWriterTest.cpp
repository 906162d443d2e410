#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "TempFiles.h"
#include "files/Exceptions.h"
#include "files/IOErrors.h"
#include "files/SafeFileWriter.h"

using namespace vorlix;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const TTempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(SafeFileWriter, ReplacesAFileKeepingItsPermissionsAndLeavesNoTemporaryFile) {
    TTempDir dir;
    const std::string file = dir.Write("a.epd", "old");
    ::chmod(file.c_str(), 0640);
    WriteFileSafely(file, "new");
    EXPECT_EQ(dir.Read("a.epd"), "new");
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"a.epd"});
}

TEST(SafeFileWriter, WritesThroughLinksToTheirTarget) {
    TTempDir dir;
    dir.Write("target.epd", "old");
    fs::create_symlink("target.epd", dir.Path() / "link.epd");
    fs::create_symlink("link.epd", dir.Path() / "link2.epd");
    WriteFileSafely(dir.File("link2.epd"), "new");
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.epd"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "link2.epd"));
    EXPECT_EQ(dir.Read("target.epd"), "new");

    fs::create_symlink("later.epd", dir.Path() / "dangling.epd");
    WriteFileSafely(dir.File("dangling.epd"), "made");
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "dangling.epd"));
    EXPECT_EQ(dir.Read("later.epd"), "made");
}

TEST(SafeFileWriter, DevicesAndPipesAreWrittenNotReplaced) {
    WriteFileSafely("/dev/null", "into the void");
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    TTempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("pipe", dir.Path() / "pipe-link");
    std::string received;
    std::thread reader([&] {
        std::ifstream in(fifo, std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(in), {});
    });
    WriteFileSafely(dir.File("pipe-link"), "through the pipe");
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(SafeFileWriter, RefusesOtherSpecialFiles) {
    TTempDir dir;
    const std::string path = dir.File("sock");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof addr.sun_path);
    std::strcpy(addr.sun_path, path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    try {
        WriteFileSafely(path, "x");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_NE(e.Message().find("Not a regular file"), std::string::npos);
    }
    EXPECT_TRUE(fs::is_socket(path));
    ::close(fd);
    EXPECT_THROW(WriteFileSafely(dir.Path().string(), "x"), EInOutError);
}

TEST(SafeFileWriter, AKilledSaveLeavesNoTemporaryFileAndTheOldFile) {
    TTempDir dir;
    const std::string file = dir.Write("big.epd", "old");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const std::string contents(256 << 20, 'x');
        ::write(ready[1], "g", 1);
        WriteFileSafely(file, contents);
        ::_exit(0);
    }
    char go;
    ASSERT_EQ(::read(ready[0], &go, 1), 1);
    ::usleep(20000);  // in the middle of writing
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"big.epd"});
    const auto size = fs::file_size(file);
    EXPECT_TRUE(size == 3 || size == (256u << 20)) << size;
}

// Saves made while signals arrive: an ignored SIGINT stays ignored and costs no
// save; SIGTERM at any moment leaves the targets whole and no temporary file,
// also while several threads save side by side (as a batch run's workers do).
TEST(SafeFileWriter, SavesUnderSignalsKeepIgnoredSignalsIgnoredAndLeaveNoTemporaryFile) {
    struct TCase {
        int Signal;
        bool Ignored;  // the program ignores the signal, as a batch in a script's background does
        int Rounds;
        int Threads;  // each saving its own file
    };
    for (const TCase c : {TCase{SIGINT, true, 1, 1}, TCase{SIGTERM, false, 40, 1}, TCase{SIGINT, true, 1, 3},
                          TCase{SIGTERM, false, 40, 3}}) {
        SCOPED_TRACE(testing::Message() << "signal " << c.Signal << ", threads " << c.Threads);
        for (int round = 0; round < c.Rounds; ++round) {
            TTempDir dir;
            std::vector<std::string> files, names;
            for (int t = 0; t < c.Threads; ++t) {
                names.push_back("d" + std::to_string(t) + ".gif");
                files.push_back(dir.Write(names.back(), "old"));
            }
            int ready[2];
            ASSERT_EQ(::pipe(ready), 0);
            const pid_t child = ::fork();
            if (child == 0) {
                if (c.Ignored) ::signal(c.Signal, SIG_IGN);
                ::write(ready[1], "g", 1);
                std::atomic<bool> failed{false};
                auto save = [&](const std::string& file) {
                    try {
                        for (int i = 0; i < 400; ++i) WriteFileSafely(file, std::string(100 + i % 7, 'x'), false);
                    } catch (...) {
                        failed = true;
                    }
                };
                std::vector<std::thread> others;
                for (int t = 1; t < c.Threads; ++t) others.emplace_back(save, files[size_t(t)]);
                save(files[0]);
                for (std::thread& t : others) t.join();
                ::_exit(failed ? 3 : 0);
            }
            char go;
            ASSERT_EQ(::read(ready[0], &go, 1), 1);
            int status = 0;
            if (c.Ignored) {
                // Signals all through the run: every save must succeed.
                while (::waitpid(child, &status, WNOHANG) == 0) {
                    ::kill(child, c.Signal);
                    ::usleep(50);
                }
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            } else {
                ::usleep(200 + 97 * round);  // somewhere inside a save
                ::kill(child, c.Signal);
                ::waitpid(child, &status, 0);
            }
            ::close(ready[0]);
            ::close(ready[1]);
            EXPECT_EQ(Names(dir), names) << "round " << round;
            for (const std::string& file : files) {
                const auto size = fs::file_size(file);
                EXPECT_TRUE(size == 3 || (size >= 100 && size < 107)) << size;
            }
        }
    }
}

TEST(IOErrors, SystemErrorsOutsideTheTableAreNamed) {
    EXPECT_EQ(IOErrorMessage(IOErrorFromErrno(ENOENT)), "File not found!");
    EXPECT_EQ(IOErrorMessage(IOErrorFromErrno(ENOSPC)), "No space left on device");
    EXPECT_EQ(IOErrorMessage(9), "Unknown file error occurred: 9");
}
