#pragma once
// The search of the PGN viewer's game list. A query is words separated by
// spaces (double quotes keep spaces inside one word); a game stays when every
// word is found, without regard to case, in one of its White, Black, Event,
// Site, Date, Round, Result or ECO tags. "white:Carlsen" looks in one tag
// only; "eco:B90-B99" and "date:1990-1999" keep the values between the two
// bounds, each bound compared over its own length.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/PGNIndex.h"

namespace vorlix {

struct TFilterTerm {
    uint32_t Tags = 0;  // bit per TPGNTag searched
    bool Range = false;
    std::string Text;  // case-folded; for a range the lower bound (empty: none)
    std::string High;  // case-folded upper bound of a range (empty: none)
};

struct TGameFilter {
    std::vector<TFilterTerm> Terms;
    bool Empty() const { return Terms.empty(); }
};

TGameFilter ParseGameFilter(std::string_view query);

// Whether a tag's value satisfies a term that searches that tag.
bool TermMatches(const TFilterTerm& term, std::string_view value);

// Per game (file order) 1 when it passes the filter. Each distinct tag value
// is tested once; a game then costs one look-up per searched tag.
std::vector<uint8_t> FilterGames(const TPGNIndex& games, const TGameFilter& filter);

}  // namespace vorlix
