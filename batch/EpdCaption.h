#pragma once
// Header and footer lines of the EPD batch tool, taken from each record.
#include <string>

namespace vorlix {

struct TEPDRec;

// Current keeps the record's text; a custom text is put in before a run and
// then counts as Current; None switches the line off.
enum class TEpdCaptionMode { Current, Description, BestMove, None };

// The line for a record; Current and None keep currentText.
std::string EpdCaptionText(TEpdCaptionMode mode, const TEPDRec& record, const std::string& currentText);

}  // namespace vorlix
