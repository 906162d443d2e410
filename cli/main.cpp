#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>

#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "cli/RenderingProgram.h"

namespace vorlix::cli {

void PrintUsage(std::FILE* stream) {
    std::fputs(
        "usage:\n"
        "  vorlix --help | --version\n"
        "  vorlix games FILE [--jobs N]\n"
        "  vorlix replay FILE [--game N] [--jobs N]\n"
        "  vorlix epd FILE [-o OUT]\n"
        "  vorlix render [--vxd FILE] [--fen TEXT | --setup TEXT | --fens FILE | --pgn FILE [--game N] [--position "
        "N]]\n"
        "                -o OUT.(png|svg|pdf|bmp|gif|jpg|jpeg)\n"
        "                [--view white|black] [--piece-style riroz|roviravo|roruvoz]\n"
        "                [--square-size N] [--coords LETTERS|inside] [--grid N]\n"
        "                [--scale PERCENT] [--colors 2|16|256|24] [--transparent] [--quality N]\n"
        "                [--size PIXELS] [--dpi N]   (PNG, SVG, PDF: any scale; --size is the board's width)\n"
        "                [--svg-text paths|text]   (SVG: paths draws text as outlines, needing no font)\n"
        "                [--arrow e2e4[:R|G|Y|B]]... [--mark d4[:R|G|Y|B]]...\n"
        "                [--header TEXT] [--footer TEXT] [--header-caption TEMPLATE] [--caption TEMPLATE]\n"
        "                [--header-align left|center|right] [--footer-align left|center|right]\n"
        "                [--mover-mark] [--orient mover] [--check] [--last-move [squares|arrow]] [--glyphs]\n"
        "      --fens FILE: one FEN or setup text a line (- for standard input), one image each;\n"
        "                -o then numbers them: d%03d.png gives d001.png, d002.png, ...\n"
        "      --pgn FILE: position N of game N (1: the start; the last when not given)\n"
        "      --mover-mark: the side to move (w or b after the position, or the game's) as a\n"
        "                square beside the board: filled for Black, empty for White\n"
        "      --orient mover: the side to move at the bottom\n"
        "      --last-move, --glyphs (games): the last move's squares or an arrow, its !, ?, !? ... badge\n"
        "      --check: a ring round the king in check\n"
        "  vorlix batch FILE.pgn|FILE.epd -o OUT.(gif|bmp|jpg|jpeg|png|svg|vxd|pdf)\n"
        "                [--games LIST] [--positions entire|fixed|custom]\n"
        "                [--from-start LIST] [--from-end LIST] [--fen-start] [--fen-final]\n"
        "                [--header ITEMS|none] [--footer ITEMS|none]\n"
        "                [--header-caption TEMPLATE] [--caption TEMPLATE]\n"
        "                [--style FILE.vxd] [--colors 2|16|256|24] [--transparent] [--quality N]\n"
        "                [--scale PERCENT] [--per-page] [--jobs N] [--records LIST]\n"
        "                [--shard K/N] [--manifest FILE.jsonl] [--overwrite] [--svg-text paths|text]\n"
        "                [--mover-mark] [--orient mover] [--check] [--last-move [squares|arrow]] [--glyphs]\n"
        "  vorlix batch --verify MANIFEST...\n"
        "      LIST: numbers and ranges such as 1,5-7,-3,40-\n"
        "      --shard K/N: write part K of N of the run, with the whole run's names\n"
        "      --overwrite: replace files this run did not write (refused without it)\n"
        "      ITEMS (PGN): event,site,date,players,elo,eco,result,move\n"
        "      ITEMS (EPD): id, bm or text:SOME TEXT\n"
        "      --scale: 40..200 for GIF, BMP, JPEG; 10..4000 for PNG, SVG; 100..600 for PDF pages (A4, 300 dpi)\n"
        "  vorlix gif FILE.pgn [--game N] -o OUT.gif [--delay MS] [--last-move [squares|arrow]] [--style FILE.vxd]\n"
        "                [--mover-mark] [--check] [--glyphs]\n"
        "  vorlix sheet FILE.pgn|FILE.epd -o SHEET.pdf [--per-page 1|2|4|6|9|12] [--paper a4|letter]\n"
        "                [--caption TEMPLATE] [--key] [--title TEXT] [--style FILE.vxd]\n"
        "                [--mover-mark] [--orient mover] [--check] [--last-move [squares|arrow]] (PGN)\n"
        "                [--games LIST] [--positions ...] [--records LIST]   (as for batch)\n"
        "      a worksheet: numbered diagrams in a grid on PDF pages; --key adds the answers\n"
        "      (the EPD bm moves, or the game's next moves) after them\n"
        "  captions (render, batch, sheet): --caption TEMPLATE is the line under the board,\n"
        "      --header-caption TEMPLATE the line above it (render, batch), filled per diagram:\n"
        "      {n} diagram number, {game} game number, {white} {black} {event} {date},\n"
        "      {move} move number (12. White to move, 12... Black), {side} White or Black,\n"
        "      {lastmove} the move played to the position, {id} {bm} (EPD), {fen};\n"
        "      {{ and }} give a brace, any other {word} stays as written\n"
        "  vorlix book FILE.pgn -o OUT.(pdf|html) [--games LIST] [--diagrams markers|every:N|none]\n"
        "                [--notation letters|figurine|de|fr|es|nl|it|asis] [--paper a4|letter] [--columns 1|2]\n"
        "                [--theme NAME] [--pieces DIR]\n"
        "      the games as a book: moves, comments and variations as text, a diagram after every move\n"
        "      whose comment holds [#] or that carries $201 (markers, the default), every N moves, or none;\n"
        "      each diagram shows the side to move (filled square: Black, empty: White)\n"
        "  the look (render, batch, sheet, gif, book):\n"
        "      --pieces DIR: a piece set of twelve SVG files in DIR, wK.svg wQ.svg wR.svg wB.svg wN.svg\n"
        "      wP.svg and bK.svg ... bP.svg, each fitted into its square; drawn in place of the style's pieces\n"
        "      --theme NAME: the colours of a named theme (NAME.theme in ~/.local/share/chess-vorlix/themes,\n"
        "      then among the themes we ship: lagoon, print, walnut)\n"
        "  vorlix help: this text\n",
        stream);
}

int Usage() {
    PrintUsage(stderr);
    return 2;
}

namespace {

bool AsksForHelp(const char* arg) { return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0; }

int Help() {
    PrintUsage(stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) WriteFailed(errno ? errno : EIO);
    return 0;
}

int Version() {
    std::puts("vorlix (Chess Vorlix) " VORLIX_VERSION);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) WriteFailed(errno ? errno : EIO);
    return 0;
}

}  // namespace

}  // namespace vorlix::cli

int main(int argc, char** argv) {
    using namespace vorlix::cli;
#ifdef VORLIX_TEXT_ONLY
    KeepCommandLine(argv);
#endif
    if (argc < 2) return Usage();
    if (AsksForHelp(argv[1]) || std::strcmp(argv[1], "help") == 0) return Help();
    if (std::strcmp(argv[1], "--version") == 0) return Version();
    static const std::map<std::string, int (*)(const Args&)> commands = {{"games", RunGames},
                                                                         {"replay", RunReplay},
                                                                         {"epd", RunEpd},
                                                                         {"render", VORLIX_RENDERING(RunRender)},
                                                                         {"batch", VORLIX_RENDERING(RunBatch)},
                                                                         {"book", VORLIX_RENDERING(RunBook)},
                                                                         {"gif", VORLIX_RENDERING(RunGif)},
                                                                         {"sheet", VORLIX_RENDERING(RunSheet)}};
    auto it = commands.find(argv[1]);
    if (it == commands.end()) return Usage();
    if (argc >= 3 && AsksForHelp(argv[2])) return Help();
    try {
        return it->second(Args(argv + 2, argv + argc));
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fputs("vorlix: out of memory\n", stderr);
        return 1;
    }
}
