// The caller's view of the seven functions quillbox.exe exports, declared
// independently of the program: the MD5 context's layout and the functions'
// signatures, as a program that looks them up by name declares them.
#pragma once

#include <cstdint>

struct Md5Context {
    std::uint32_t state[4];
    std::uint32_t count[2];
    unsigned char buffer[64];
};
static_assert(sizeof(Md5Context) == 88, "context layout");

using Md5InitFn = void (*)(Md5Context*);
using Md5UpdateFn = void (*)(Md5Context*, const unsigned char*, std::uint32_t);
using Md5FinalFn = void (*)(unsigned char*, Md5Context*);
using BufferToHexStrFn = int (*)(const unsigned char*, int, char*, int);
using HexStrToBufferFn = int (*)(const char*, int, unsigned char*, int);
using CryptFn = int (*)(unsigned char*, int);
