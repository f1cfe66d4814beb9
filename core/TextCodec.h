// Conversions between narrow text in the ANSI code page and UTF-16.
#pragma once

#include <string>

// Converts the zero-terminated narrow text into out (capacity in UTF-16
// code units, terminator included). Returns 1 converted, 0 refused (out
// untouched when the capacity is too small).
int toWide(const char* narrow, char16_t* out, int capacity);

// Converts the zero-terminated UTF-16 text into out (capacity in bytes,
// terminator included), using the same ANSI code page as toWide.
// Returns 1 converted, 0 refused.
int toNarrow(const char16_t* wide, char* out, int capacity);

// Convenience forms used by the program; an unconvertible input gives "".
std::u16string widen(const std::string& narrow);
std::string narrow(const std::u16string& wide);
