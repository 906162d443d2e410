#pragma once
// The chess quotations the board settings dialog shows, one at random.
#include <QString>
#include <array>

namespace vorlix {

struct TQuotation {
    const char* Text;
    const char* Author;
};

constexpr int kQuotationCount = 28;
const std::array<TQuotation, kQuotationCount>& Quotations();
const TQuotation& RandomQuotation();

}  // namespace vorlix
