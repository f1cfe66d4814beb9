// Platform interface: conversion between the system's ANSI code page (GBK,
// code page 936, on the systems the program targets) and UTF-16.
// The implementation is chosen by the build: MultiByteToWideChar /
// WideCharToMultiByte with CP_ACP on Windows, iconv with CP936 elsewhere.
#pragma once

namespace codepage {

// Converts the zero-terminated narrow string, terminator included.
// With out == nullptr or outUnits == 0 only returns the number of UTF-16
// code units needed (terminator included). Returns 0 when the input cannot
// be converted or the output is too small.
int ansiToUtf16(const char* in, char16_t* out, int outUnits);

// Converts the zero-terminated UTF-16 string, terminator included.
// Characters the code page lacks become its default character ('?'), never
// a similar-looking character of the code page.
// With out == nullptr or outBytes == 0 only returns the bytes needed
// (terminator included). Returns 0 on failure.
int utf16ToAnsi(const char16_t* in, char* out, int outBytes);

// True when the byte is the lead byte of a two-byte character of the ANSI
// code page, by the system's own rule: every cut of narrow text at a byte
// count asks this, never a fixed byte range.
bool isLeadByte(unsigned char byte);

// The bytes of narrow text (1 or 2) the code page gives the one character
// of units UTF-16 code units (1, or 2 for a surrogate pair) at character;
// 0 when the code page lacks the character.
int ansiCharBytes(const char16_t* character, int units);

}  // namespace codepage
