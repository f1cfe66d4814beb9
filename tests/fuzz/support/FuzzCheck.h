// Properties the fuzz targets assert besides the sanitizers' checks. A
// broken property ends the process like a memory error does, so libFuzzer
// keeps the input as a crash and the regression test fails on it.
#pragma once

#include <cstddef>
#include <cstdint>

// The entry point every target defines (libFuzzer's name for it).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Prints the property and aborts when it does not hold.
void fuzzCheck(bool holds, const char* property);
