#include "batch/EpdCaption.h"

#include "files/EPDRecord.h"

namespace vorlix {

std::string EpdCaptionText(TEpdCaptionMode mode, const TEPDRec& record, const std::string& currentText) {
    switch (mode) {
        case TEpdCaptionMode::Description: return record.Id;
        case TEpdCaptionMode::BestMove:
            if (record.BestMove.empty()) return record.WhiteToMove ? "White to move" : "Black to move";
            return (record.WhiteToMove ? "W: " : "B: ") + record.BestMove;
        default: return currentText;
    }
}

}  // namespace vorlix
