#pragma once
// Text in diagram files is stored in the Windows Western code page (1252);
// the records in memory hold UTF-8.
#include <string>

namespace vorlix {

// Characters without a code-page byte become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(const std::string& utf8);
std::string Cp1252ToUtf8(const std::string& bytes);

}  // namespace vorlix
