#include "batch/PositionList.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vorlix {
namespace {

// The highest number an open range "N-" reaches.
constexpr int32_t kOpenRangeEnd = 999;

std::string WithoutBlanks(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

std::vector<std::string> SplitItems(const std::string& text) {
    std::vector<std::string> items;
    std::string item;
    for (char c : text + ",") {
        if (c != ',') {
            item += c;
        } else if (!item.empty()) {
            items.push_back(item);
            item.clear();
        }
    }
    return items;
}

enum class TItemState { Start, InFirst, AfterLeadingDash, AfterDash, InSecond, InLast, Invalid };

TItemState Step(TItemState state, char c) {
    using S = TItemState;
    const bool zero = c == '0', digit = c >= '1' && c <= '9', dash = c == '-';
    if (!zero && !digit && !dash) return S::Invalid;
    switch (state) {
        case S::Start: return zero ? S::Start : digit ? S::InFirst : S::AfterLeadingDash;
        case S::InFirst: return dash ? S::AfterDash : S::InFirst;
        case S::AfterLeadingDash: return zero ? S::AfterLeadingDash : digit ? S::InLast : S::Invalid;
        case S::AfterDash: return zero ? S::AfterDash : digit ? S::InSecond : S::Invalid;
        case S::InSecond: return dash ? S::Invalid : S::InSecond;
        case S::InLast: return dash ? S::Invalid : S::InLast;
        default: return S::Invalid;
    }
}

bool IsValidItem(const std::string& item) {
    TItemState state = TItemState::Start;
    for (char c : item) {
        state = Step(state, c);
        if (state == TItemState::Invalid) return false;
    }
    return state == TItemState::InFirst || state == TItemState::AfterDash || state == TItemState::InSecond ||
           state == TItemState::InLast;
}

// Decimal digits (possibly none, read as 0) to a 32-bit integer.
bool ToInteger(const std::string& digits, int32_t& value, std::string& error) {
    int64_t n = 0;
    for (char c : digits) {
        n = n * 10 + (c - '0');
        if (n > INT32_MAX) {
            error = "'" + digits + "' is not a valid integer value";
            return false;
        }
    }
    value = static_cast<int32_t>(n);
    return true;
}

bool ExpandItem(const std::string& item, TIntegerList& list, std::string& error) {
    const auto dash = item.find('-');
    int32_t a = 0, b = 0;
    if (dash == std::string::npos) {
        if (!ToInteger(item, a, error)) return false;
        list.AddUnique(a);
    } else if (dash == 0) {
        if (!ToInteger(item.substr(1), b, error)) return false;
        if (b >= 1) list.AddRange(1, b);
    } else if (dash == item.size() - 1) {
        if (!ToInteger(item.substr(0, dash), a, error)) return false;
        if (a <= kOpenRangeEnd) list.AddRange(a, kOpenRangeEnd);
    } else {
        if (!ToInteger(item.substr(0, dash), a, error) || !ToInteger(item.substr(dash + 1), b, error)) return false;
        list.AddRange(a, b);
    }
    return true;
}

}  // namespace

std::optional<char32_t> FilterPositionKey(char32_t key) {
    if (key == '.') return U',';
    if ((key >= '0' && key <= '9') || key == ' ' || key == ',' || key == '-' || key == 8 || key == 9) return key;
    return std::nullopt;
}

bool IsValidPositionText(const std::string& text) {
    const std::vector<std::string> items = SplitItems(WithoutBlanks(text));
    if (items.empty()) return false;
    for (const std::string& item : items)
        if (!IsValidItem(item)) return false;
    return true;
}

bool ParsePositionText(const std::string& text, TIntegerList& list, std::string& error) {
    list.Clear();
    if (!IsValidPositionText(text)) return true;
    for (const std::string& item : SplitItems(WithoutBlanks(text)))
        if (!ExpandItem(item, list, error)) {
            list.Clear();
            return false;
        }
    return true;
}

bool TPositionSelection::IsPositionSelected(int p, int n) const {
    return FromStart.Contains(p) || FromEnd.Contains(n - p + 1);
}

int TPositionSelection::SelectedPositionCount(int n) const {
    if (n <= 0) return 0;
    int64_t count = FromStart.CountIn(1, n);
    // Positions chosen from the end, less those already chosen from the start.
    for (const TIntegerList::TRange& r : FromEnd.Ranges()) {
        const int32_t lo = std::max(r.Lo, 1), hi = std::min(r.Hi, n);
        if (lo > hi) continue;
        count += int64_t(hi) - lo + 1 - FromStart.CountIn(n - hi + 1, n - lo + 1);
    }
    return static_cast<int>(count);
}

}  // namespace vorlix
