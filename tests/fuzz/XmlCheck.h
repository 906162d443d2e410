#pragma once
// A small well-formedness check of an XML document, independent of the
// writer under test: UTF-8 of XML characters only, one root element, tags
// that nest and close, quoted attributes without '<', no attribute twice,
// and '&' only in known or numeric references to XML characters.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vorlix::fuzz {

class TXmlCheck {
public:
    // Empty when the text is well-formed, else what is wrong and where.
    static std::string Problem(std::string_view text) {
        TXmlCheck c(text);
        return c.Run();
    }

private:
    explicit TXmlCheck(std::string_view text) : t_(text) {}

    static bool IsXmlChar(char32_t c) {
        return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
               (c >= 0x10000 && c <= 0x10FFFF);
    }
    static bool IsNameStart(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || (c & 0x80);
    }
    static bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    // Decodes the whole text once: every character must be an XML character in valid UTF-8.
    std::string CheckCharacters() const {
        for (size_t i = 0; i < t_.size();) {
            const unsigned char b = static_cast<unsigned char>(t_[i]);
            int n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
            if (n == 0 || i + n > t_.size()) return At(i, "bad UTF-8");
            char32_t c = n == 1 ? b : b & (0x7F >> n);
            for (int k = 1; k < n; ++k) {
                const unsigned char m = static_cast<unsigned char>(t_[i + k]);
                if ((m & 0xC0) != 0x80) return At(i, "bad UTF-8");
                c = (c << 6) | (m & 0x3F);
            }
            static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
            if (c < kLeast[n] || (c >= 0xD800 && c <= 0xDFFF)) return At(i, "bad UTF-8");
            if (!IsXmlChar(c)) return At(i, "not an XML character");
            i += n;
        }
        return {};
    }

    std::string At(size_t i, const char* what) const { return std::string(what) + " at byte " + std::to_string(i); }

    bool Starts(std::string_view s) const { return t_.substr(p_, s.size()) == s; }
    void SkipSpace() {
        while (p_ < t_.size() && IsSpace(t_[p_])) ++p_;
    }
    bool Name(std::string* name = nullptr) {
        if (p_ >= t_.size() || !IsNameStart(t_[p_])) return false;
        const size_t begin = p_;
        while (p_ < t_.size() && IsNameChar(t_[p_])) ++p_;
        if (name) *name = std::string(t_.substr(begin, p_ - begin));
        return true;
    }
    // Skips to the end of a construct ending with `end`; false if it never ends.
    bool SkipPast(std::string_view end) {
        const size_t at = t_.find(end, p_);
        if (at == std::string_view::npos) return false;
        p_ = at + end.size();
        return true;
    }
    // A reference after '&' in text or an attribute value.
    bool Reference() {
        const size_t semi = t_.find(';', p_);
        if (semi == std::string_view::npos || semi - p_ > 12) return false;
        const std::string_view ref = t_.substr(p_, semi - p_);
        p_ = semi + 1;
        if (ref == "amp" || ref == "lt" || ref == "gt" || ref == "quot" || ref == "apos") return true;
        if (ref.size() < 2 || ref[0] != '#') return false;
        const bool hex = ref[1] == 'x';
        const std::string_view digits = ref.substr(hex ? 2 : 1);
        if (digits.empty()) return false;
        char32_t value = 0;
        for (char d : digits) {
            int v = d >= '0' && d <= '9'          ? d - '0'
                    : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                    : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                  : -1;
            if (v < 0) return false;
            value = value * (hex ? 16 : 10) + static_cast<char32_t>(v);
            if (value > 0x10FFFF) return false;
        }
        return IsXmlChar(value) && !(value >= 0xD800 && value <= 0xDFFF);
    }

    std::string Element(int depth) {
        if (depth > 1000) return At(p_, "too deep");
        ++p_;  // '<'
        std::string name;
        if (!Name(&name)) return At(p_, "element name expected");
        std::set<std::string> attributes;
        for (;;) {
            const size_t before = p_;
            SkipSpace();
            if (Starts("/>")) {
                p_ += 2;
                return {};
            }
            if (Starts(">")) {
                ++p_;
                break;
            }
            std::string attribute;
            if (p_ == before || !Name(&attribute)) return At(p_, "attribute expected");
            if (!attributes.insert(attribute).second) return At(p_, "attribute given twice");
            SkipSpace();
            if (!Starts("=")) return At(p_, "'=' expected");
            ++p_;
            SkipSpace();
            if (p_ >= t_.size() || (t_[p_] != '"' && t_[p_] != '\'')) return At(p_, "quoted value expected");
            const char quote = t_[p_++];
            while (p_ < t_.size() && t_[p_] != quote) {
                if (t_[p_] == '<') return At(p_, "'<' in an attribute");
                if (t_[p_++] == '&' && !Reference()) return At(p_, "bad reference");
            }
            if (p_ >= t_.size()) return At(p_, "unterminated attribute");
            ++p_;
        }
        // Content up to the matching end tag.
        while (p_ < t_.size()) {
            if (Starts("</")) {
                p_ += 2;
                std::string end;
                if (!Name(&end) || end != name) return At(p_, "end tag does not match");
                SkipSpace();
                if (!Starts(">")) return At(p_, "'>' expected");
                ++p_;
                return {};
            }
            if (Starts("<!--")) {
                if (!SkipPast("-->")) return At(p_, "unterminated comment");
            } else if (Starts("<![CDATA[")) {
                if (!SkipPast("]]>")) return At(p_, "unterminated CDATA");
            } else if (Starts("<?")) {
                if (!SkipPast("?>")) return At(p_, "unterminated processing instruction");
            } else if (Starts("<")) {
                if (std::string problem = Element(depth + 1); !problem.empty()) return problem;
            } else if (Starts("]]>")) {
                return At(p_, "']]>' in text");
            } else if (t_[p_++] == '&' && !Reference()) {
                return At(p_, "bad reference");
            }
        }
        return At(p_, "element not closed");
    }

    // Comments, processing instructions and space around the root.
    std::string Misc(bool allowDoctype) {
        for (;;) {
            SkipSpace();
            if (Starts("<!--")) {
                if (!SkipPast("-->")) return At(p_, "unterminated comment");
            } else if (Starts("<?")) {
                if (!SkipPast("?>")) return At(p_, "unterminated processing instruction");
            } else if (allowDoctype && Starts("<!DOCTYPE")) {
                if (!SkipPast(">")) return At(p_, "unterminated DOCTYPE");
            } else {
                return {};
            }
        }
    }

    std::string Run() {
        if (std::string problem = CheckCharacters(); !problem.empty()) return problem;
        if (std::string problem = Misc(true); !problem.empty()) return problem;
        if (!Starts("<")) return At(p_, "no root element");
        if (std::string problem = Element(0); !problem.empty()) return problem;
        if (std::string problem = Misc(false); !problem.empty()) return problem;
        return p_ == t_.size() ? std::string() : At(p_, "text after the root element");
    }

    std::string_view t_;
    size_t p_ = 0;
};

}  // namespace vorlix::fuzz
