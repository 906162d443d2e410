#include "viewers/GameFilter.h"

#include <QString>
#include <algorithm>

namespace vorlix {

namespace {

constexpr uint32_t Bit(TPGNTag tag) { return 1u << static_cast<int>(tag); }

constexpr uint32_t kSearchedTags = Bit(TPGNTag::White) | Bit(TPGNTag::Black) | Bit(TPGNTag::Event) |
                                   Bit(TPGNTag::Site) | Bit(TPGNTag::Date) | Bit(TPGNTag::Round) |
                                   Bit(TPGNTag::Result) | Bit(TPGNTag::ECO);

struct TFieldName {
    const char* Name;
    TPGNTag Tag;
    bool Ranged;
};

const TFieldName kFields[] = {{"white", TPGNTag::White, false},   {"black", TPGNTag::Black, false},
                              {"event", TPGNTag::Event, false},   {"site", TPGNTag::Site, false},
                              {"date", TPGNTag::Date, true},      {"round", TPGNTag::Round, false},
                              {"result", TPGNTag::Result, false}, {"eco", TPGNTag::ECO, true}};

bool IsAscii(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) { return c & 0x80; });
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// Case-folded UTF-8; ASCII without a detour through Qt, as most tags are.
std::string Fold(std::string_view text) {
    if (IsAscii(text)) {
        std::string folded(text);
        for (char& c : folded) c = AsciiLower(c);
        return folded;
    }
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toCaseFolded().toStdString();
}

// Splits at spaces outside double quotes; the quotes themselves are dropped.
std::vector<std::string> Words(std::string_view query) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (const char c : query) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any && !word.empty()) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

}  // namespace

TGameFilter ParseGameFilter(std::string_view query) {
    TGameFilter filter;
    for (const std::string& word : Words(query)) {
        TFilterTerm term;
        term.Tags = kSearchedTags;
        std::string_view text = word;
        bool ranged = false;
        if (const size_t colon = word.find(':'); colon != std::string::npos) {
            const std::string name = Fold(std::string_view(word).substr(0, colon));
            for (const TFieldName& field : kFields) {
                if (name != field.Name) continue;
                term.Tags = Bit(field.Tag);
                ranged = field.Ranged;
                text.remove_prefix(colon + 1);
                break;
            }
        }
        // A prefix typed without its value yet narrows nothing.
        if (text.empty()) continue;
        if (const size_t dash = text.find('-'); ranged && dash != std::string_view::npos) {
            term.Range = true;
            term.Text = Fold(text.substr(0, dash));
            term.High = Fold(text.substr(dash + 1));
        } else {
            term.Text = Fold(text);
        }
        filter.Terms.push_back(std::move(term));
    }
    return filter;
}

namespace {

bool FoldedMatches(const TFilterTerm& term, std::string_view v) {
    if (!term.Range) return v.find(term.Text) != std::string_view::npos;
    if (!term.Text.empty() && v.substr(0, term.Text.size()) < std::string_view(term.Text)) return false;
    if (!term.High.empty() && v.substr(0, term.High.size()) > std::string_view(term.High)) return false;
    return true;
}

}  // namespace

bool TermMatches(const TFilterTerm& term, std::string_view value) { return FoldedMatches(term, Fold(value)); }

std::vector<uint8_t> FilterGames(const TPGNIndex& games, const TGameFilter& filter) {
    const size_t count = static_cast<size_t>(games.Count());
    if (filter.Empty()) return std::vector<uint8_t>(count, 1);
    // Terms beyond 64 are so rare that they are simply not told apart.
    const size_t termCount = std::min<size_t>(filter.Terms.size(), 64);
    const uint64_t all = termCount == 64 ? ~uint64_t(0) : (uint64_t(1) << termCount) - 1;

    // For each searched tag, the terms each of its values satisfies.
    struct TTagHits {
        TPGNTag Tag;
        std::vector<uint64_t> Hits;
    };
    std::vector<TTagHits> tags;
    for (int t = 0; t < kPGNTagCount; ++t) {
        const auto tag = static_cast<TPGNTag>(t);
        uint64_t wanted = 0;
        for (size_t i = 0; i < termCount; ++i)
            if (filter.Terms[i].Tags & Bit(tag)) wanted |= uint64_t(1) << i;
        if (!wanted) continue;
        TTagHits hits{tag, std::vector<uint64_t>(games.TagIdCount(tag), 0)};
        for (uint32_t id = 0; id < hits.Hits.size(); ++id) {
            const std::string value = Fold(games.TagValue(tag, id));
            for (size_t i = 0; i < termCount; ++i)
                if ((wanted >> i & 1) && FoldedMatches(filter.Terms[i], value)) hits.Hits[id] |= uint64_t(1) << i;
        }
        tags.push_back(std::move(hits));
    }

    std::vector<uint8_t> keep(count, 0);
    for (size_t g = 0; g < count; ++g) {
        uint64_t found = 0;
        for (const TTagHits& hits : tags) found |= hits.Hits[games.TagId(static_cast<int>(g), hits.Tag)];
        keep[g] = found == all;
    }
    return keep;
}

}  // namespace vorlix
