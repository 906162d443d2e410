// vorlix batch under an address-space limit: threads that cannot be started
// leave fewer at work, and memory that runs out ends the run with a message
// and exit 1; never a signal, and an earlier file stays as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(BatchScarceMemory, EndsWithAMessageNeverASignal) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit under the address-space limit";
#endif
    if (!QFile::exists(VORLIX_BIN_DIR "/vorlix")) GTEST_SKIP() << "vorlix not built";
    QTemporaryDir dir;
    const std::string root = QFile::encodeName(dir.path()).toStdString();
    std::string games;
    for (int i = 0; i < 12; ++i) games += "[Event \"e\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 *\n\n";
    std::ofstream(root + "/g.pgn", std::ios::binary) << games;
    const std::string earlier = "an earlier file";

    const char* const outputs[] = {"b.pdf", "b.gif --jobs 16"};
    // Below about 130 MB these runs fail for want of memory at one step or another.
    for (const int limit : {100000, 120000, 200000}) {
        for (const char* output : outputs) {
            const std::string trace = std::to_string(limit) + " " + output;
            SCOPED_TRACE(trace);
            const std::string err = root + "/err.txt";
            std::ofstream(root + "/b.pdf", std::ios::binary) << earlier;
            const std::string command = "cd '" + root + "' && ulimit -v " + std::to_string(limit) +
                                        " && exec timeout 120 '" +
                                        VORLIX_BIN_DIR "/vorlix' batch g.pgn --positions entire --overwrite -o " +
                                        output + " >/dev/null 2>'" + err + "'";
            const int status = std::system(("sh -c \"" + command + "\"").c_str());
            const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            const std::string message = ReadAll(err);
            EXPECT_TRUE(exitCode == 0 || (exitCode == 1 && message.find("out of memory") != std::string::npos) ||
                        (exitCode == 1 && message.find("Out of memory") != std::string::npos))
                << exitCode << ": " << message;
            if (exitCode != 0 && std::string(output) == "b.pdf") EXPECT_EQ(ReadAll(root + "/b.pdf"), earlier);
        }
    }
}

}  // namespace
