#pragma once
// Writes a whole file so that a failure never destroys the old one: the text
// goes to a temporary file beside the target, which then replaces it.
#include <string>
#include <string_view>

namespace vorlix {

// Raises EInOutError on failure; the target is then unchanged.
void WriteFileSafely(const std::string& fileName, std::string_view contents);

}  // namespace vorlix
