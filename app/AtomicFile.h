#pragma once
// Writes a whole file through a temporary file beside it and a rename, so a
// failed write never destroys the file that was there before.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vorlix {

// On failure returns false with the shared I/O error message in error.
bool WriteFileAtomically(const std::string& fileName, const std::uint8_t* data, std::size_t size, std::string& error);

}  // namespace vorlix
