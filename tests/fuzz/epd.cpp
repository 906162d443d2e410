// EPD reading and writing: no crash; a file read is written back byte for
// byte, reads back to as many records, and writing and reading again changes
// nothing; records written anew (as edited ones are) read back the same.
#include "files/EPD.h"

#include <cstdlib>
#include <vector>

#include "FuzzTarget.h"
#include "files/Exceptions.h"
#include "files/PositionText.h"

using namespace vorlix;

namespace {

std::vector<std::string> Lines(const TEPD& epd) {
    std::vector<std::string> lines;
    for (const TEPDRec* r = epd.First; r; r = r->Next) lines.push_back(EpdLine(*r));
    return lines;
}

}  // namespace

// Writes the records and reads them back into `to`; false when that fails.
bool SaveAndLoad(TEPD& from, TEPD& to) {
    const std::string saved = fuzz::ScratchFolder() + "/saved.epd";
    from.SaveToFile(saved);
    return to.LoadFromFile(saved);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TEPD read, once, twice;
    if (!read.LoadFromFile(fuzz::InMemoryFile(data, size))) return 0;
    if (read.Text() != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
    if (!SaveAndLoad(read, once) || once.Count() != read.Count()) std::abort();
    if (!SaveAndLoad(once, twice) || Lines(twice) != Lines(once)) std::abort();
    TEPD anew;
    for (TEPDRec* r = read.First; r; r = r->Next) r->ReadLine.clear();  // as if every record was edited
    if (!SaveAndLoad(read, anew) || Lines(anew) != Lines(read)) std::abort();
    return 0;
}
