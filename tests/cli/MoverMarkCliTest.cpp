// vorlix batch of an EPD suite with the mover mark, the board turned to the
// side to move and a caption naming it: every SVG read back, its caption, its
// mark and its orientation checked.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The value of attribute `name` in the element starting at `at`.
std::string Attribute(const std::string& svg, size_t at, const std::string& name) {
    const size_t end = svg.find('>', at);
    const size_t start = svg.find(" " + name + "=\"", at);
    if (start == std::string::npos || start > end) return {};
    const size_t value = start + name.size() + 3;
    return svg.substr(value, svg.find('"', value) - value);
}

// The x of the text element that holds exactly `label`; -1 when none.
double LabelX(const std::string& svg, const std::string& label) {
    const size_t close = svg.find(">" + label + "</text>");
    if (close == std::string::npos) return -1;
    return std::stod(Attribute(svg, svg.rfind("<text", close), "x"));
}

struct TMark {
    std::string Fill;
    double Top = -1;
    double Column = 0;  // the height of the mover column: the board's, without a caption band
};

// The mover mark: the first rectangle drawn after the column that closes the picture on the right.
TMark MoverMark(const std::string& svg, double width) {
    for (size_t at = svg.find("<rect"); at != std::string::npos; at = svg.find("<rect", at + 1)) {
        const double x = std::stod(Attribute(svg, at, "x")), w = std::stod(Attribute(svg, at, "width"));
        if (Attribute(svg, at, "y") != "0" || x + w != width || x == 0) continue;
        const size_t mark = svg.find("<rect", at + 1);
        if (mark == std::string::npos) return {};
        return {Attribute(svg, mark, "fill"), std::stod(Attribute(svg, mark, "y")),
                std::stod(Attribute(svg, at, "height"))};
    }
    return {};
}

TEST(MoverMarkCli, EpdSuiteShowsEveryMoverFilledRightAndAtTheBottom) {
    std::random_device rd;
    const auto dir = std::filesystem::temp_directory_path() / ("vorlix-mover-" + std::to_string(rd()));
    std::filesystem::create_directories(dir);
    const std::string suite = VORLIX_TEST_DATA_DIR "/wacnew.epd";
    std::vector<char> sides;
    std::istringstream lines(Read(suite));
    for (std::string line; std::getline(lines, line);)
        if (line.find(' ') != std::string::npos) sides.push_back(line[line.find(' ') + 1]);
    ASSERT_EQ(sides.size(), 300u);

    const std::string command =
        std::string("'") + VORLIX_BIN_DIR "/vorlix' batch '" + suite + "' --style '" +
        VORLIX_SOURCE_DIR "/resources/default.vxd' --mover-mark --orient mover --caption '{n}. {side} to move' -o '" +
        (dir / "p.svg").string() + "' >/dev/null 2>'" + (dir / "err").string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << Read(dir / "err");

    int right = 0;
    for (size_t n = 1; n <= sides.size(); ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "p%03zu.svg", n);
        const std::string svg = Read(dir / name);
        SCOPED_TRACE(std::string(name) + ", side " + sides[n - 1]);
        const size_t box = svg.find("viewBox=\"0 0 ");
        ASSERT_NE(box, std::string::npos);
        double width = 0;
        std::istringstream(svg.substr(box + 13)) >> width;
        const TMark mark = MoverMark(svg, width);
        const bool black = sides[n - 1] == 'b';
        // The caption under the board, and as the image's title.
        const std::string caption = std::to_string(n) + ". " + (black ? "Black" : "White") + " to move";
        const bool captioned = svg.find(">" + caption + "</text>") != std::string::npos &&
                               svg.find("<title>" + caption + "</title>") != std::string::npos;
        EXPECT_TRUE(captioned) << caption;
        // Filled exactly black for Black, white inside its outline for White.
        EXPECT_EQ(mark.Fill, black ? "#000000" : "#ffffff");
        // The mover plays up the board: the mark beside the lower corner.
        EXPECT_GT(mark.Top, mark.Column / 2);
        // The board turned: file a on the mover's left.
        const double a = LabelX(svg, "a"), h = LabelX(svg, "h");
        ASSERT_GE(a, 0);
        ASSERT_GE(h, 0);
        EXPECT_EQ(a < h, !black);
        right += captioned && mark.Fill == (black ? "#000000" : "#ffffff") && mark.Top > mark.Column / 2 &&
                 (a < h) == !black;
    }
    EXPECT_EQ(right, 300);
    std::filesystem::remove_all(dir);
}

}  // namespace
