#include <cstdio>
#include <cstring>
#include <map>

#include "cli/Commands.h"

namespace vorlix::cli {

int Usage() {
    std::fputs(
        "usage:\n"
        "  vorlix games FILE\n"
        "  vorlix replay FILE [--game N]\n"
        "  vorlix epd FILE [-o OUT]\n"
        "  vorlix render [--vxd FILE] [--fen TEXT | --setup TEXT] -o OUT.(png|svg|pdf|bmp|gif|jpg|jpeg)\n"
        "                [--view white|black] [--piece-style riroz|roviravo|roruvoz]\n"
        "                [--square-size N] [--coords LETTERS] [--grid N]\n"
        "                [--scale PERCENT] [--colors 2|16|256|24] [--transparent] [--quality N]\n"
        "                [--size PIXELS] [--dpi N]   (PNG, SVG, PDF: any scale; --size is the board's width)\n"
        "                [--header TEXT] [--footer TEXT]\n"
        "                [--header-align left|center|right] [--footer-align left|center|right]\n",
        stderr);
    return 2;
}

}  // namespace vorlix::cli

int main(int argc, char** argv) {
    using namespace vorlix::cli;
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        Usage();
        return 0;
    }
    if (argc < 2) return Usage();
    static const std::map<std::string, int (*)(const Args&)> commands = {
        {"games", RunGames}, {"replay", RunReplay}, {"epd", RunEpd}, {"render", RunRender}};
    auto it = commands.find(argv[1]);
    if (it == commands.end()) return Usage();
    return it->second(Args(argv + 2, argv + argc));
}
