#include "files/PGNParts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

#include "files/TextEncoding.h"

namespace vorlix {

namespace {

// How far past each planned cut a safe one is looked for.
constexpr size_t kSearchWindow = 1 << 20;

bool IsLineEnd(char c) { return c == '\n' || c == '\r' || c == '\0'; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The line starting at `tag` is a tag line that starts a new game whatever
// came before, and the non-blank line before it is plain move text.
bool IsSafeCut(std::string_view text, size_t tag) {
    if (tag == 0 || tag + 1 >= text.size() || text[tag] != '[' || text[tag + 1] == '%') return false;
    if (!IsLineEnd(text[tag - 1])) return false;
    size_t last = tag;  // one past the last non-blank byte before the tag line
    while (last > 0 && IsBlank(text[last - 1])) --last;
    if (last == 0) return false;
    size_t start = last - 1;  // the start of that line
    while (start > 0 && !IsLineEnd(text[start - 1])) --start;
    if (start == 0) return false;  // its start lies before the text we can see
    while (IsBlank(text[start])) ++start;
    const char first = text[start];
    return first != '[' && first != '%' && first != ';';
}

bool ReadAt(int fd, uint64_t offset, std::string& block, size_t size) {
    block.resize(size);
    size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, block.data() + got, size - got, static_cast<off_t>(offset + got));
        if (n < 0) return false;
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    block.resize(got);
    return true;
}

// The file, after a byte-order mark and blanks, begins with a tag line.
bool BeginsWithTag(int fd) {
    std::string head;
    if (!ReadAt(fd, 0, head, 4096)) return false;
    std::string_view text(head);
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return !text.empty() && text.front() == '[';
}

}  // namespace

size_t FindGameCut(std::string_view text, size_t from) {
    for (size_t at = text.find('[', from); at != std::string_view::npos; at = text.find('[', at + 1))
        if (IsSafeCut(text, at)) return at;
    return std::string_view::npos;
}

std::vector<uint64_t> SplitPGNFile(const std::string& fileName, uint64_t partSize) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd < 0) return {0, UINT64_MAX};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {0, UINT64_MAX};
    }
    const uint64_t size = static_cast<uint64_t>(st.st_size);
    std::vector<uint64_t> cuts{0};
    if (partSize > 0 && size >= 2 * partSize && BeginsWithTag(fd)) {
        std::string window;
        for (uint64_t plan = partSize; plan + partSize / 2 < size; plan += partSize) {
            // Look from a little before the planned place, so the line before a cut is seen whole.
            const uint64_t from = std::max(plan - std::min<uint64_t>(plan, 4096), cuts.back() + 1);
            if (!ReadAt(fd, from, window, kSearchWindow)) break;
            const size_t at = FindGameCut(window, static_cast<size_t>(plan > from ? plan - from : 0));
            if (at != std::string_view::npos) cuts.push_back(from + at);
        }
    }
    ::close(fd);
    cuts.push_back(size);
    return cuts;
}

}  // namespace vorlix
