#include "files/PGNReader.h"

#include "files/FileInput.h"
#include "files/LineReader.h"
#include "files/PGNGameBuilder.h"
#include "files/ReaderFailure.h"
#include "files/TextEncoding.h"

namespace vorlix {

namespace {

bool ReadGames(const std::string& fileName, uint64_t begin, uint64_t end, TErrorReporter& reporter,
               const std::function<TPGNRec*()>& newGame, const std::function<void(TPGNRec&)>& gameDone,
               TPGNReadObserver* observer, TMoveText moveText) {
    const std::string error = ReadAndDescribeFailure<EPGNFileError>(
        [&] {
            TFileInput input(fileName, begin, end);
            if (observer) input.SetWaitCheck([observer] { return observer->WhileWaiting(); });
            TLineReader lines(input);
            std::string_view line;
            TPGNGameBuilder* reading = nullptr;
            // With an observer every game start is told where in the file it lies.
            const std::function<TPGNRec*()> observedNewGame = [&] {
                observer->GameStarts(begin + lines.LineOffset() +
                                     static_cast<uint64_t>(reading->Piece().data() - line.data()));
                return newGame();
            };
            TPGNGameBuilder builder(observer ? observedNewGame : newGame, gameDone, moveText);
            reading = &builder;
            try {
                if (observer) observer->FileOpened(input.Size());
                while (lines.Next(line)) {
                    if (observer && !observer->BeforeLine(begin + lines.LineOffset())) return;
                    if (input.Stopped()) return;  // the line was cut short by the stop
                    builder.AddLine(line);
                    // Zero bytes before the first game: a binary file, however long.
                    if (lines.SawZeroByte() && !builder.StartedAGame()) throw EPGNFileError("Illegal file contents.");
                }
            } catch (...) {
                builder.Finish();  // the game read so far stays
                throw;
            }
            if (input.Stopped()) return;  // the game being read is dropped, as at a stop before a line
            builder.Finish();
        },
        NotAValidFileMessage(fileName, "PGN"));
    if (error.empty()) return true;
    reporter.Report(TMsgKind::Error, error);
    return false;
}

}  // namespace

bool ReadPGNFile(const std::string& fileName, TErrorReporter& reporter, const std::function<TPGNRec*()>& newGame,
                 const std::function<void(TPGNRec&)>& gameDone, TPGNReadObserver* observer, TMoveText moveText) {
    return ReadGames(fileName, 0, UINT64_MAX, reporter, newGame, gameDone, observer, moveText);
}

bool ReadPGNPart(const std::string& fileName, uint64_t begin, uint64_t end, TErrorReporter& reporter,
                 const std::function<TPGNRec*()>& newGame, const std::function<void(TPGNRec&)>& gameDone,
                 TMoveText moveText, TPGNReadObserver* observer) {
    return ReadGames(fileName, begin, end, reporter, newGame, gameDone, observer, moveText);
}

void ResetGame(TPGNRec& game) {
    for (std::string* s : {&game.Event, &game.Site, &game.Date, &game.Round, &game.Result, &game.White, &game.Black,
                           &game.ECO, &game.FEN, &game.Moves})
        s->clear();
    game.WhiteElo.assign(1, '?');
    game.BlackElo.assign(1, '?');
    game.HasSetup = false;
}

}  // namespace vorlix
