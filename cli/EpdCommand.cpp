#include <string>

#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "files/EPD.h"
#include "files/Exceptions.h"
#include "files/PositionText.h"

namespace vorlix::cli {

namespace {

struct TEpdArgs {
    std::string File;
    std::string Out;
};

bool ParseArgs(const Args& args, TEpdArgs& parsed) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size() || !parsed.Out.empty() || args[i + 1].empty()) return false;
            parsed.Out = args[++i];
        } else if (!IsFileArgument(args[i]) || !parsed.File.empty()) {
            return false;
        } else {
            parsed.File = args[i];
        }
    }
    return !parsed.File.empty();
}

}  // namespace

// vorlix epd FILE [-o OUT]: number, valid/invalid and the written EPD line per
// record; OUT gets the file as the EPD viewer saves it, byte for byte the same
// when nothing was changed.
int RunEpd(const Args& args) {
    TEpdArgs parsed;
    if (!ParseArgs(args, parsed)) return Usage();
    TStdErrReporter reporter(parsed.File);
    TEPD epd(reporter);
    const bool loaded = epd.LoadFromFile(InputFileName(parsed.File));
    {
        TOutputBuffer out;
        int number = 0;
        for (const TEPDRec* r = epd.First; r; r = r->Next) {
            std::string& text = out.Text();
            text += std::to_string(++number);
            text += r->Valid ? "\tvalid\t" : "\tinvalid\t";
            AppendField(text, EpdLine(*r));
            text += '\n';
            out.MaybeFlush();
        }
        out.Flush();
    }
    if (!loaded) return 1;  // never overwrite anything with a partial read
    if (parsed.Out.empty()) return 0;
    try {
        epd.SaveToFile(parsed.Out);
    } catch (const EVorlixError& e) {
        reporter.SetSubject(parsed.Out);
        reporter.Report(TMsgKind::Error, OutputFailureMessage(parsed.Out, e.Message()));
        return 1;
    }
    return 0;
}

}  // namespace vorlix::cli
