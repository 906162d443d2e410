#include "files/LineReader.h"

#include <algorithm>
#include <cstring>

#include "files/TextEncoding.h"

namespace vorlix {

namespace {
constexpr size_t kBlockSize = 1 << 20;
constexpr size_t kProbeSize = 200;
}  // namespace

TLineReader::TLineReader(TFileInput& input) : Input_(input), Buf_(kBlockSize) {
    while (!Eof_ && End_ <= kProbeSize) Fill();
    const std::string_view start(Buf_.data(), End_);
    if (start.substr(0, kUtf8Bom.size()) == kUtf8Bom) Begin_ = kUtf8Bom.size();
    // A short file with bare CR line ends would otherwise be one line and lose its moves.
    CrMode_ = start.substr(0, kProbeSize).find('\r') != std::string_view::npos;
    HasNul_ = !CrMode_ && start.find('\0') != std::string_view::npos;
}

TLineReader::TLineReader(TFileInput& input, unsigned long long offset, unsigned long long length, bool crMode)
    : Input_(input), Buf_(static_cast<size_t>(std::min<unsigned long long>(length, kBlockSize)) + 1),
      BufOffset_(offset), LineOffset_(offset), Left_(length), CrMode_(crMode) {
    Input_.Seek(offset);
}

bool TLineReader::Fill() {
    if (Eof_) return false;
    if (Begin_ > 0) {
        std::memmove(Buf_.data(), Buf_.data() + Begin_, End_ - Begin_);
        End_ -= Begin_;
        BufOffset_ += Begin_;
        Begin_ = 0;
    }
    if (End_ == Buf_.size()) Buf_.resize(Buf_.size() * 2);  // one line fills the buffer
    const size_t want = static_cast<size_t>(std::min<unsigned long long>(Buf_.size() - End_, Left_));
    const size_t n = want ? Input_.Read(Buf_.data() + End_, want) : 0;
    if (n == 0) Eof_ = true;
    Left_ -= n;
    End_ += n;
    // Zero bytes are rare: look for them once per block instead of once per line.
    HasNul_ = !CrMode_ && std::memchr(Buf_.data() + Begin_, '\0', End_ - Begin_) != nullptr;
    return n > 0;
}

// Finds the end of the line starting at Begin_; `next` is where the following line starts.
bool TLineReader::FindLineEnd(size_t& end, size_t& next) const {
    const char* base = Buf_.data();
    const size_t avail = End_ - Begin_;
    const char* lf = static_cast<const char*>(std::memchr(base + Begin_, '\n', avail));
    const size_t span = lf ? static_cast<size_t>(lf - (base + Begin_)) : avail;
    const char* stop = nullptr;
    if (CrMode_ || HasNul_) stop = static_cast<const char*>(std::memchr(base + Begin_, CrMode_ ? '\r' : '\0', span));
    if (stop) {
        end = stop - base;
        next = end + 1;
        if (CrMode_) {
            if (next == End_ && !Eof_) return false;  // an LF may follow in the next block
            if (next < End_ && base[next] == '\n') ++next;
        }
        return true;
    }
    if (!lf) return false;
    end = lf - base;
    next = end + 1;
    return true;
}

bool TLineReader::Next(std::string_view& line) {
    for (;;) {
        size_t end = 0, next = 0;
        if (FindLineEnd(end, next)) {
            line = std::string_view(Buf_.data() + Begin_, end - Begin_);
            LineOffset_ = BufOffset_ + Begin_;
            Begin_ = next;
            return true;
        }
        if (Eof_) {
            if (Begin_ == End_) return false;
            line = std::string_view(Buf_.data() + Begin_, End_ - Begin_);
            LineOffset_ = BufOffset_ + Begin_;
            Begin_ = End_;
            return true;
        }
        Fill();
    }
}

}  // namespace vorlix
