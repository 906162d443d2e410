#pragma once
// Each distinct text once, named by a small id: the tag values of a big game
// list repeat a lot (events, players, dates, results), so a list keeps ids.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace vorlix {

class TStringPool {
public:
    // The id of the text, added when new; ids count up from 0 in the order texts first come.
    uint32_t Intern(std::string_view text);
    std::string_view Text(uint32_t id) const;
    uint32_t Count() const { return static_cast<uint32_t>(where_.size()); }

    void Clear();
    // Frees the lookup table once all texts are in; a later Intern builds it again.
    void Seal();
    size_t MemoryUsed() const;

private:
    uint32_t Find(std::string_view text, size_t hash, size_t& slot) const;
    void Rehash(size_t slots);
    uint64_t Store(std::string_view text);
    static uint64_t SlotEntry(size_t hash, uint32_t id);

    std::vector<uint64_t> where_;  // per id: block << 32 | offset of its length and bytes
    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t blockSize_ = 0;
    size_t blockUsed_ = 0;
    size_t bytesHeld_ = 0;
    // Open addressing: the high half of the text's hash << 32 | id + 1; 0 when free.
    std::vector<uint64_t> slots_;
};

}  // namespace vorlix
