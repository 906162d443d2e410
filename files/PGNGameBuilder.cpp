#include "files/PGNGameBuilder.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "files/Exceptions.h"
#include "files/TextEncoding.h"
#include "files/TextUtil.h"

namespace vorlix {

// The parts of a tag line `[Name "value"] rest`.
struct TTagParts {
    std::string_view Name;
    bool BlankAfterName = false;  // a blank, not a tab or a quote, follows the name
    std::string_view RawValue;    // between the first two double quotes; empty without two
    std::string_view After;       // the text after the "]" that follows the value
    bool ValueScanned = false;    // the next two are known
    bool ValueHasMarks = false;   // "{" or ";" in the value
    bool ValueHasHighBytes = false;
};

namespace {

// Words of eight bytes first: tag values are mostly a few words long.
const char* FindChar(const char* from, const char* end, char c) {
    for (; end - from >= 8; from += 8)
        if (const uint64_t marks = WordBytesEqualTo(LoadWord(from), c)) return from + __builtin_ctzll(marks) / 8;
    while (from < end && *from != c) ++from;
    return from;
}

// The bytes that end a tag name: blanks, control characters, '"' and ']'.
constexpr std::array<bool, 256> kEndsTagName = [] {
    std::array<bool, 256> ends{};
    for (int c = 0; c <= ' '; ++c) ends[c] = true;
    ends['"'] = ends[']'] = true;
    return ends;
}();

// Any tag line, however long: plain loops beat library searches here.
TTagParts SplitLongTagLine(std::string_view line) {
    TTagParts parts;
    const char* const begin = line.data();
    const char* const end = begin + line.size();
    const char* nameEnd = begin + 1;
    while (nameEnd < end && !kEndsTagName[static_cast<unsigned char>(*nameEnd)]) ++nameEnd;
    parts.Name = std::string_view(begin + 1, static_cast<size_t>(nameEnd - begin - 1));
    parts.BlankAfterName = nameEnd < end && *nameEnd == ' ';
    const char* from = begin + 1;
    if (const char* open = FindChar(nameEnd, end, '"'); open < end) {
        if (const char* close = FindChar(open + 1, end, '"'); close < end) {
            parts.RawValue = std::string_view(open + 1, static_cast<size_t>(close - open - 1));
            from = close + 1;
        }
    }
    if (const char* bracket = FindChar(from, end, ']'); bracket < end)
        parts.After = std::string_view(bracket + 1, static_cast<size_t>(end - bracket - 1));
    return parts;
}

#if defined(__SSE2__)

// One bit per byte of a line of at most 64 bytes, for each kind of byte a tag line is cut at.
struct TTagLineBits {
    uint64_t Quotes = 0;
    uint64_t Brackets = 0;
    uint64_t NameEnds = 0;  // blanks, control characters, quotes and brackets
    uint64_t Marks = 0;     // "{" and ";"
    uint64_t High = 0;      // bytes above ASCII
};

static_assert(kLineSlack >= 15, "a line's last block of sixteen bytes must be readable");

TTagLineBits TagLineBits(std::string_view line) {
    // Read in whole blocks of sixteen: lines come with room after them (see AddLine).
    const int chunks = static_cast<int>((line.size() + 15) / 16);
    const __m128i quote = _mm_set1_epi8('"'), bracket = _mm_set1_epi8(']'), blank = _mm_set1_epi8(' ');
    const __m128i brace = _mm_set1_epi8('{'), semicolon = _mm_set1_epi8(';');
    uint64_t quotes = 0, brackets = 0, nameEnds = 0, marks = 0, high = 0;
    for (int i = 0; i < chunks; ++i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + 16 * i));
        const __m128i q = _mm_cmpeq_epi8(v, quote), b = _mm_cmpeq_epi8(v, bracket);
        const __m128i e = _mm_or_si128(_mm_or_si128(q, b), _mm_cmpeq_epi8(_mm_min_epu8(v, blank), v));
        const __m128i m = _mm_or_si128(_mm_cmpeq_epi8(v, brace), _mm_cmpeq_epi8(v, semicolon));
        const int shift = 16 * i;
        quotes |= uint64_t{static_cast<unsigned>(_mm_movemask_epi8(q))} << shift;
        brackets |= uint64_t{static_cast<unsigned>(_mm_movemask_epi8(b))} << shift;
        nameEnds |= uint64_t{static_cast<unsigned>(_mm_movemask_epi8(e))} << shift;
        marks |= uint64_t{static_cast<unsigned>(_mm_movemask_epi8(m))} << shift;
        high |= uint64_t{static_cast<unsigned>(_mm_movemask_epi8(v))} << shift;
    }
    const uint64_t inLine = line.size() == 64 ? ~uint64_t{0} : (uint64_t{1} << line.size()) - 1;
    return {quotes & inLine, brackets & inLine, nameEnds & inLine, marks & inLine, high & inLine};
}

// The bits at `from` and after.
uint64_t BitsFrom(uint64_t bits, size_t from) { return from < 64 ? bits & (~uint64_t{0} << from) : 0; }

// A tag line of at most 64 bytes, cut from bit masks of the whole line:
// no loop whose length depends on the text.
TTagParts SplitShortTagLine(std::string_view line) {
    const TTagLineBits bits = TagLineBits(line);
    TTagParts parts;
    const uint64_t nameEnds = bits.NameEnds & ~uint64_t{1};
    const size_t nameEnd = nameEnds ? static_cast<size_t>(__builtin_ctzll(nameEnds)) : line.size();
    parts.Name = line.substr(1, nameEnd - 1);
    parts.BlankAfterName = nameEnd < line.size() && line[nameEnd] == ' ';
    size_t from = 1;
    if (const uint64_t quotes = BitsFrom(bits.Quotes, nameEnd)) {
        if (const uint64_t closing = quotes & (quotes - 1)) {
            const size_t open = static_cast<size_t>(__builtin_ctzll(quotes));
            const size_t close = static_cast<size_t>(__builtin_ctzll(closing));
            parts.RawValue = line.substr(open + 1, close - open - 1);
            const uint64_t inValue = ((uint64_t{1} << close) - 1) & ~((uint64_t{2} << open) - 1);
            parts.ValueScanned = true;
            parts.ValueHasMarks = (bits.Marks & inValue) != 0;
            parts.ValueHasHighBytes = (bits.High & inValue) != 0;
            from = close + 1;
        }
    }
    if (const uint64_t brackets = BitsFrom(bits.Brackets, from))
        parts.After = line.substr(static_cast<size_t>(__builtin_ctzll(brackets)) + 1);
    return parts;
}

#endif

TTagParts SplitTagLine(std::string_view line) {
#if defined(__SSE2__)
    if (line.size() <= 64) return SplitShortTagLine(line);
#endif
    return SplitLongTagLine(line);
}

// The upper-case letters `upper` start the name, in either case.
bool NameStartsWith(std::string_view name, std::string_view upper) {
    if (name.size() < upper.size()) return false;
    for (size_t i = 0; i < upper.size(); ++i)
        if ((name[i] & ~0x20) != upper[i]) return false;
    return true;
}

// The same for eight upper-case letters, compared as one word: clearing the
// case bit of a byte gives a letter only for that letter in either case.
bool NameStartsWith8(std::string_view name, const char (&upper)[9]) {
    return name.size() >= 8 && (LoadWord(name.data()) & ~(0x20 * kByteOnes)) == LoadWord(upper);
}

// The name is `upper` in either case and a blank follows it: "[Event " but not "[Event\t".
bool NameIs(const TTagParts& tag, std::string_view upper) {
    return tag.BlankAfterName && tag.Name.size() == upper.size() && NameStartsWith(tag.Name, upper);
}

// A tag value without brace comments, cut at ";". True when the raw value
// holds a byte above ASCII.
bool AssignTagValue(std::string& value, std::string_view raw) {
    const char* p = raw.data();
    size_t n = raw.size();
    uint64_t marks = 0, bits = 0;
    for (; n >= 8; p += 8, n -= 8) {
        const uint64_t word = LoadWord(p);
        marks |= WordHasByte(word, '{') | WordHasByte(word, ';');
        bits |= word;
    }
    for (; n; ++p, --n) {
        marks |= *p == '{' || *p == ';';
        bits |= static_cast<unsigned char>(*p);
    }
    const bool plain = marks == 0;
    const bool high = (bits & kByteHighs) != 0;
    if (plain) {
        value.clear();
        value.append(raw);
        return high;
    }
    value.clear();
    bool inBrace = false;
    for (char c : raw) {
        if (inBrace) {
            inBrace = c != '}';
        } else if (c == '{') {
            inBrace = true;
        } else if (c == ';') {
            break;
        } else {
            value += c;
        }
    }
    return high;
}

// What one pass over a move line finds: a comment mark (";" or "{") and a byte above ASCII.
struct TLineMarks {
    bool Comment = false;
    bool High = false;
};

TLineMarks ScanLine(std::string_view line) {
    const char* p = line.data();
    size_t n = line.size();
    unsigned comment = 0, high = 0;
#if defined(__SSE2__)
    // Marks are gathered in registers and looked at once per line.
    const __m128i semicolon = _mm_set1_epi8(';'), brace = _mm_set1_epi8('{');
    __m128i marks = _mm_setzero_si128(), bits = _mm_setzero_si128();
    for (; n >= 16; p += 16, n -= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        marks = _mm_or_si128(marks, _mm_or_si128(_mm_cmpeq_epi8(v, semicolon), _mm_cmpeq_epi8(v, brace)));
        bits = _mm_or_si128(bits, v);
    }
    comment = static_cast<unsigned>(_mm_movemask_epi8(marks));
    high = static_cast<unsigned>(_mm_movemask_epi8(bits));
#endif
    for (; n; ++p, --n) {
        comment |= *p == ';' || *p == '{';
        high |= static_cast<unsigned char>(*p) & 0x80u;
    }
    return {comment != 0, high != 0};
}

}  // namespace

TPGNGameBuilder::TPGNGameBuilder(std::function<TPGNRec*()> newGame, std::function<void(TPGNRec&)> gameDone,
                                 TMoveText moveText)
    : newGame_(std::move(newGame)), gameDone_(std::move(gameDone)), moveText_(moveText) {}

void TPGNGameBuilder::AddLine(std::string_view rawLine) {
    // A line may hold several tags and move text after them: each piece is read as a line.
    std::string_view rest = Trim(rawLine);
    while (!rest.empty()) rest = TrimLeft(AddPiece(piece_ = rest));
    piece_ = {};
}

std::string_view TPGNGameBuilder::AddPiece(std::string_view line) {
    if (state_ == TState::BeforeFirstGame) {
        if (inBrace_ || line[0] == '{') return SkipLeadingComment(line);
        if (line[0] == ';') return {};  // a comment line before the first game
    }
    if (line[0] == '%' && !inBrace_) return {};  // escape line
    // Wrapped move text may start a line inside a comment with a command such
    // as "[%clk 0:03:00]"; that line belongs to the comment, not to a new game.
    const bool commentCommand = inBrace_ && line.size() > 1 && line[1] == '%';
    if (line[0] == '[' && !commentCommand) {
        const TTagParts tag = SplitTagLine(line);
        // Tag sections without move text between them (empty games) are still separate games.
        if (state_ != TState::Tags || !tagNames_.Insert(tag.Name)) {
            StartGame();
            tagNames_.Insert(tag.Name);
        }
        AddTag(tag);
        return tag.After;
    }
    if (state_ == TState::BeforeFirstGame) throw EPGNFileError("Illegal file contents.");
    AddMoveLine(line);
    return {};
}

// A "{...}" comment before the first game (a description or licence), possibly spanning lines.
std::string_view TPGNGameBuilder::SkipLeadingComment(std::string_view line) {
    const size_t close = line.find('}', inBrace_ ? 0 : 1);
    inBrace_ = close == std::string_view::npos;
    return inBrace_ ? std::string_view() : line.substr(close + 1);
}

void TPGNGameBuilder::StartGame() {
    Finish();
    game_ = newGame_();
    state_ = TState::Tags;
    inBrace_ = false;
    tagNames_.Clear();
}

// A game is stored as UTF-8: its text as it is when it is valid UTF-8, else
// read as Windows-1252. Deciding per game needs no pass over the whole file
// first, so a file can be read as it streams in.
void TPGNGameBuilder::StoreAsUtf8() {
    TPGNRec& g = *game_;
    std::string* const fields[] = {&g.Event,    &g.Site,  &g.Date,     &g.Round, &g.Result, &g.White,
                                   &g.WhiteElo, &g.Black, &g.BlackElo, &g.ECO,   &g.FEN,    &g.Moves};
    bool utf8 = movesAreUtf8_;
    if (tagsHaveHighBytes_)
        for (const std::string* s : fields) utf8 = utf8 && (!HasHighBytes(*s) || IsValidUtf8(*s));
    if (utf8) return;
    for (std::string* s : fields)
        if (HasHighBytes(*s)) *s = Cp1252ToUtf8(*s);
}

void TPGNGameBuilder::Finish() {
    if (!game_) return;
    if (!moves_.empty()) game_->Moves.assign(moves_);  // exact size: no spare capacity kept
    moves_.clear();
    StoreAsUtf8();
    tagsHaveHighBytes_ = false;
    movesAreUtf8_ = true;
    if (gameDone_) gameDone_(*game_);
    game_ = nullptr;
}

void TPGNGameBuilder::SetTag(std::string& field, const TTagParts& tag) {
    if (tag.ValueScanned && !tag.ValueHasMarks) {
        field.clear();  // then append: cheaper than assign, which must allow for overlap
        field.append(tag.RawValue);
        tagsHaveHighBytes_ |= tag.ValueHasHighBytes;
        return;
    }
    tagsHaveHighBytes_ |= AssignTagValue(field, tag.RawValue);
}

void TPGNGameBuilder::AddTag(const TTagParts& tag) {
    TPGNRec& g = *game_;
    const std::string_view value = tag.RawValue;
    // The name's length picks the few candidates; most names are not stored at all.
    switch (tag.Name.size()) {
        case 3:
            if (NameIs(tag, "FEN")) {
                SetTag(g.FEN, tag);
                g.HasSetup = true;
            } else if (NameIs(tag, "ECO")) {
                SetTag(g.ECO, tag);
            }
            break;
        case 4:
            if (NameIs(tag, "SITE"))
                SetTag(g.Site, tag);
            else if (NameIs(tag, "DATE"))
                SetTag(g.Date, tag);
            break;
        case 5:
            if (NameIs(tag, "EVENT"))
                SetTag(g.Event, tag);
            else if (NameIs(tag, "WHITE"))
                SetTag(g.White, tag);
            else if (NameIs(tag, "BLACK"))
                SetTag(g.Black, tag);
            else if (NameIs(tag, "ROUND"))
                SetTag(g.Round, tag);
            else if (NameIs(tag, "SETUP")) {
                AssignTagValue(setup_, value);
                g.HasSetup = setup_ == "1";
            }
            break;
        case 6:
            if (NameIs(tag, "RESULT")) SetTag(g.Result, tag);
            break;
        default:
            // Longer names that start with these are read as them too ("WhiteEloFide").
            if (NameStartsWith8(tag.Name, "WHITEELO"))
                SetTag(g.WhiteElo, tag);
            else if (NameStartsWith8(tag.Name, "BLACKELO"))
                SetTag(g.BlackElo, tag);
            break;
    }
}

// Cuts a ";" comment that stands outside braces; braces may span lines.
std::string_view TPGNGameBuilder::StripLineComment(std::string_view line) {
    bool inBrace = inBrace_;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inBrace) {
            if (c == '}') inBrace = false;
        } else if (c == '{') {
            inBrace = true;
        } else if (c == ';') {
            inBrace_ = false;
            return TrimRight(line.substr(0, i));
        }
    }
    inBrace_ = inBrace;
    return line;
}

void TPGNGameBuilder::AddMoveLine(std::string_view line) {
    // The common line, without comments, is looked at once.
    const TLineMarks marks = ScanLine(line);
    const std::string_view text = inBrace_ || marks.Comment ? StripLineComment(line) : line;
    if (text.empty()) return;  // a comment-only line changes nothing
    const bool high = text.size() == line.size() ? marks.High : HasHighBytes(text);
    // Lines are checked one by one: a blank joins them, so a character cut at a line end is invalid either way.
    if (movesAreUtf8_ && high) movesAreUtf8_ = IsValidUtf8(text);
    if (moveText_ == TMoveText::Keep) {
        moves_.append(text);
        moves_ += ' ';
    }
    state_ = TState::Moves;
}

}  // namespace vorlix
