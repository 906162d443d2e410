#pragma once
// A move token of a game file as standard algebraic notation writes it, for
// comparing written moves with the file's: annotation marks ("!", "?") and an
// "ep" or "e.p." suffix go, castling with zeros is written with letters, a
// promotion gets its "=". Check and mate signs stay; SignsAgree compares them.
#include <string>
#include <string_view>

namespace vorlix::oracle {

inline std::string SourceToken(std::string_view token) {
    std::string s, signs;
    for (const char c : token) {
        if (c == '+' || c == '#')
            signs += c;
        else if (c != '!' && c != '?')
            s += c == '0' ? 'O' : c;
    }
    for (const std::string_view suffix : {"e.p.", "ep"})
        if (s.size() > suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0)
            s.resize(s.size() - suffix.size());
    const size_t n = s.size();
    if (n >= 2 && std::string_view("QRBN").find(s[n - 1]) != std::string_view::npos && s[n - 2] >= '1' &&
        s[n - 2] <= '8')
        s.insert(s.end() - 1, '=');
    return s + signs;
}

// The written move matches the file's token: the same text, where a token
// without a check or mate sign leaves the written sign out of the comparison,
// and a "+" on a mate counts as its "#" (many files mark only the check).
inline bool SameMove(std::string_view token, std::string written) {
    std::string source = SourceToken(token);
    if (source.find_first_of("+#") == std::string::npos)
        while (!written.empty() && (written.back() == '+' || written.back() == '#')) written.pop_back();
    if (!source.empty() && source.back() == '+' && !written.empty() && written.back() == '#') source.back() = '#';
    return source == written;
}

}  // namespace vorlix::oracle
