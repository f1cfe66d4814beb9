// MD5 message digest (RFC 1321), with the interface of the RFC's reference
// implementation. These functions are exported from quillbox.exe and may be
// called by a program that loaded the executable without relocations or
// imports, so the implementation must not call the C runtime or any DLL and
// must not read data of the image (tables, constants in memory).
#pragma once

#include <cstdint>

extern "C" {

struct MD5_CTX {
    std::uint32_t state[4];  // A, B, C, D
    std::uint32_t count[2];  // number of bits, modulo 2^64, low word first
    unsigned char buffer[64];
};

void MD5Init(MD5_CTX* context);
void MD5Update(MD5_CTX* context, const unsigned char* input, std::uint32_t inputLen);
void MD5Final(unsigned char digest[16], MD5_CTX* context);

}
