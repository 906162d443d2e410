#include "files/TagNameSet.h"

namespace vorlix {

bool TTagNameSet::Contains(std::string_view name) const {
    uint32_t begin = 0;
    for (const uint32_t end : ends_) {
        if (std::string_view(text_).substr(begin, end - begin) == name) return true;
        begin = end;
    }
    return false;
}

}  // namespace vorlix
