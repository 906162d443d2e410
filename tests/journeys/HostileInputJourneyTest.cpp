// The real program under hostile input: a PGN "file" that is a pipe whose
// writer never sends the rest, ended by a quit signal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "tests/common/EditorProcess.h"

using namespace vorlix;

namespace {

// The viewer reads a pipe that sends half a game and then nothing: a quit
// signal ends the program at once through its normal shut-down.
TEST(HostileInputJourney, AQuitSignalEndsTheProgramWhileAPipeSendsNothing) {
    const QString program = VORLIX_BIN_DIR "/chess-vorlix";
    if (!QFile::exists(program)) GTEST_SKIP() << "chess-vorlix not built";
    for (const int signal : {SIGTERM, SIGINT}) {
        QTemporaryDir home;
        const QString settingsFile = home.filePath("settings.ini");
        {
            TSettingsStore answers(settingsFile);
            answers.WriteBool(kMainKey, "AskPGNReg", false);
            answers.WriteBool(kMainKey, "AskEPDReg", false);
            answers.WriteBool(kMainKey, "ShowTips", false);
            answers.Flush();
        }
        const QByteArray pipe = QFile::encodeName(home.filePath("slow.pgn"));
        ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
        // Read and write ends here: the program's reader sees a writer that stays silent.
        const int writer = ::open(pipe.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(writer, 0);
        const char half[] = "[Event \"slow\"]\n[White \"a\"]\n\n1. e4 e5 2. Nf3 ";
        ASSERT_EQ(::write(writer, half, sizeof half - 1), ssize_t(sizeof half - 1));

        QProcess editor;
        QProcessEnvironment env = test::EditorEnvironment(home, settingsFile);
        env.insert("QT_LOGGING_RULES", "vorlix.windows.info=true");
        editor.setProcessEnvironment(env);
        editor.start(program, {QFile::decodeName(pipe)});
        ASSERT_TRUE(editor.waitForStarted(10000));
        // The progress window shows once the read has waited a while.
        QByteArray log;
        QElapsedTimer clock;
        clock.start();
        while (!log.contains("modal window shown: PGN Archive") && clock.elapsed() < 20000 &&
               editor.state() == QProcess::Running) {
            editor.waitForReadyRead(200);
            log += editor.readAllStandardError();
        }
        ASSERT_TRUE(log.contains("modal window shown: PGN Archive")) << signal << ": " << log.toStdString();
        ::kill(pid_t(editor.processId()), signal);
        clock.restart();
        const bool ended = editor.waitForFinished(5000);
        if (!ended) {
            editor.kill();
            editor.waitForFinished(5000);
        }
        ::close(writer);
        ASSERT_TRUE(ended) << signal;
        EXPECT_LT(clock.elapsed(), 3000) << signal;
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(editor.exitCode(), 0) << signal;
        EXPECT_TRUE(TSettingsStore(settingsFile).ReadInteger(kMainKey, "PrintScale").has_value()) << signal;
    }
}

}  // namespace
