#pragma once
// The one entry point every fuzz target defines. The same target builds with
// clang's libFuzzer (-fsanitize=fuzzer) or with FuzzDriver.cpp, a plain
// random-mutation driver that needs no fuzzer toolchain.
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace vorlix::fuzz {

// A file name whose contents are the bytes given (an in-memory file), for
// readers that take a file name.
std::string InMemoryFile(const uint8_t* data, size_t size);

// A scratch folder of this process for files a target writes.
const std::string& ScratchFolder();

}  // namespace vorlix::fuzz
