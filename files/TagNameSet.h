#pragma once
// The tag names seen in one game's tag section, to tell when a repeated name
// starts the next game. Names are kept in one reused buffer; a 64-bit mask of
// name hashes answers most "not seen" questions without comparing text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlix {

class TTagNameSet {
public:
    void Clear() {
        text_.clear();
        ends_.clear();
        mask_ = 0;
    }
    // Adds a name not seen yet and gives true; false when it is already there.
    bool Insert(std::string_view name) {
        const uint64_t bit = Bit(name);
        if ((mask_ & bit) && Contains(name)) return false;
        text_.append(name);
        ends_.push_back(static_cast<uint32_t>(text_.size()));
        mask_ |= bit;
        return true;
    }

private:
    // Length and three letters, mixed without a chain of multiplications.
    static uint64_t Bit(std::string_view name) {
        if (name.empty()) return 1;
        const unsigned first = static_cast<unsigned char>(name.front());
        const unsigned middle = static_cast<unsigned char>(name[name.size() / 2]);
        const unsigned last = static_cast<unsigned char>(name.back());
        const unsigned h = static_cast<unsigned>(name.size()) * 7 + first * 3 + middle * 5 + last;
        return uint64_t{1} << ((h ^ (h >> 6)) & 63);
    }
    bool Contains(std::string_view name) const;

    std::string text_;            // the names one after another
    std::vector<uint32_t> ends_;  // where each name ends in text_
    uint64_t mask_ = 0;
};

}  // namespace vorlix
