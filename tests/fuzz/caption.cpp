// Caption templates: any template with any field values expands without a
// crash or a read beyond the template (it is held in a buffer of its own
// size, without a closing zero); fields named are real ones, values are put
// in as they are (never expanded again), and the line, escaped for XML, gives
// a well-formed document as text and as an attribute.
//
// Input: the template, then the values of the twelve fields in the record's
// order, split at bytes 0x1E.
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "FuzzTarget.h"
#include "XmlCheck.h"
#include "batch/CaptionTemplate.h"
#include "export/XmlText.h"

using namespace vorlix;

namespace {

std::string TCaptionRecord::*const kFields[] = {
    &TCaptionRecord::N,        &TCaptionRecord::Game, &TCaptionRecord::White, &TCaptionRecord::Black,
    &TCaptionRecord::Event,    &TCaptionRecord::Date, &TCaptionRecord::Move,  &TCaptionRecord::Side,
    &TCaptionRecord::LastMove, &TCaptionRecord::Id,   &TCaptionRecord::Bm,    &TCaptionRecord::Fen,
};
constexpr std::string_view kNames[] = {"n",    "game", "white",    "black", "event", "date",
                                       "move", "side", "lastmove", "id",    "bm",    "fen"};

const std::string* ValueOf(const std::string& name, const TCaptionRecord& record) {
    for (size_t i = 0; i < std::size(kNames); ++i)
        if (kNames[i] == name) return &(record.*kFields[i]);
    return nullptr;
}

[[noreturn]] void Fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "%s\n%.*s\n", what, int(text.size()), text.data());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const size_t cut = rest.find('\x1e');
    const size_t templateSize = std::min(cut, rest.size());
    // A buffer exactly the template's size: a read past its end is a sanitizer report.
    const std::unique_ptr<char[]> held(new char[templateSize ? templateSize : 1]);
    std::copy_n(rest.data(), templateSize, held.get());
    const std::string_view templateText(held.get(), templateSize);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);

    TCaptionRecord record;
    for (auto field : kFields) {
        const size_t end = rest.find('\x1e');
        record.*field = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }

    const std::string line = ExpandCaption(templateText, record);
    const std::string bare = ExpandCaption(templateText, TCaptionRecord());
    // Without values a template only loses its field names and doubled braces.
    if (bare.size() > templateText.size()) Fail("grew without values", templateText);
    if (templateText.find_first_of("{}") == std::string_view::npos && line != templateText)
        Fail("a template without braces changed", templateText);
    // Each field named adds exactly its value: nothing is expanded twice.
    size_t added = 0;
    for (const std::string& name : CaptionFieldsOf(templateText)) {
        const std::string* value = ValueOf(name, record);
        if (!value) Fail("not a field", name);
        added += value->size();
    }
    if (line.size() != bare.size() + added) Fail("values not put in as they are", line);

    const std::string escaped = XmlEscaped(QString::fromStdString(line));
    const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\"><title>" + escaped + "</title><text x=\"0\" " +
                            "data-caption=\"" + escaped + "\">" + escaped + "</text></svg>";
    if (const std::string problem = fuzz::TXmlCheck::Problem(svg); !problem.empty()) Fail(problem.c_str(), svg);
    return 0;
}
