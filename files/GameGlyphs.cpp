#include "files/GameGlyphs.h"

#include <algorithm>
#include <string_view>

#include "files/MoveTokens.h"

namespace vorlix {

namespace {

bool IsGlyph(std::string_view text) {
    for (const char* glyph : {"!!", "!", "!?", "?!", "?", "??"})
        if (text == glyph) return true;
    return false;
}

// The first glyph or quality annotation between two moves, outside comments and variations.
std::string GlyphBetweenMoves(std::string_view text) {
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            depth -= depth > 0;
        } else if (c == '{') {
            const size_t close = text.find('}', i + 1);
            if (close == std::string_view::npos) return {};
            i = close;
        } else if (c == ';') {
            const size_t end = text.find('\n', i);
            if (end == std::string_view::npos) return {};
            i = end;
        } else if (depth == 0 && (c == '$' || c == '!' || c == '?')) {
            size_t end = i + 1;
            while (end < text.size() && text[end] != ' ' && text[end] != '\n' && text[end] != '\t' &&
                   text[end] != '\r' && text[end] != '{' && text[end] != '(' && text[end] != ')')
                ++end;
            const std::string_view token = text.substr(i, end - i);
            if (c == '$') {
                int nag = 0;
                for (char d : token.substr(1)) {
                    if (d < '0' || d > '9' || nag > 1000) {
                        nag = -1;
                        break;
                    }
                    nag = nag * 10 + (d - '0');
                }
                if (const std::string glyph = GlyphOfNag(nag); !glyph.empty()) return glyph;
            } else if (IsGlyph(token)) {
                return std::string(token);
            }
            i = end - 1;
        }
    }
    return {};
}

}  // namespace

std::string GlyphOfNag(int nag) {
    static const char* const glyphs[] = {"!", "?", "!!", "??", "!?", "?!"};
    return nag >= 1 && nag <= 6 ? glyphs[nag - 1] : "";
}

std::string GlyphOfMoveText(const std::string& token) {
    size_t start = token.size();
    while (start > 0 && (token[start - 1] == '!' || token[start - 1] == '?')) --start;
    const std::string tail = token.substr(start);
    return IsGlyph(tail) ? tail : std::string();
}

std::vector<std::string> ReadGameGlyphs(const TPGNRec& game) {
    const std::string_view text = game.Moves;
    std::vector<std::string> glyphs{std::string()};
    TMoveTokenizer tokens(text, game.Result, true);
    size_t gapStart = 0;
    // A move's own suffix comes first; else the annotation that follows it.
    auto fromGap = [&](size_t end) {
        if (glyphs.size() > 1 && glyphs.back().empty())
            glyphs.back() = GlyphBetweenMoves(text.substr(std::min(gapStart, end), end - std::min(gapStart, end)));
    };
    for (TMove move; tokens.Next(move);) {
        const size_t start = size_t(move.Text.data() - text.data());
        fromGap(start);
        glyphs.push_back(GlyphOfMoveText(std::string(move.Text)));
        gapStart = start + move.Text.size();
    }
    fromGap(text.size());
    return glyphs;
}

const std::string& GlyphAt(const std::vector<std::string>& glyphs, int index) {
    static const std::string none;
    return index >= 0 && size_t(index) < glyphs.size() ? glyphs[size_t(index)] : none;
}

}  // namespace vorlix
