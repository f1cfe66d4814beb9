// Calls the seven functions the 32-bit quillbox.exe exports the way a program
// that loads the executable sees them: the image mapped at an address of this
// program's choosing, with no relocation applied and no import bound. Built
// for Linux as a 32-bit program (g++ -m32), so it runs where 32-bit Wine does
// not (under an i386 emulator if the machine runs no 32-bit programs).
//
//   UnrelocatedExports quillbox.exe
// Prints every failed case and a closing "N passed, M failed" line.
#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shared/ExportedFunctions.h"
#include "shared/KnownAnswers.h"

namespace {

std::uint32_t read32(const std::vector<unsigned char>& b, std::size_t at) {
    if (at + 4 > b.size()) return 0;
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

std::uint16_t read16(const std::vector<unsigned char>& b, std::size_t at) {
    return at + 2 > b.size() ? 0 : static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// A PE32 image copied section by section into fresh memory, nothing patched.
class MappedImage {
public:
    bool map(const std::vector<unsigned char>& file) {
        std::uint32_t pe = read32(file, 0x3C);
        if (read32(file, pe) != 0x00004550 || read16(file, pe + 4) != 0x014C) return false;
        std::size_t optional = pe + 24;
        if (read16(file, optional) != 0x010B) return false;
        imageBase_ = read32(file, optional + 28);
        size_ = read32(file, optional + 56);
        exportRva_ = read32(file, optional + 96);
        void* memory = mmap(nullptr, size_, PROT_READ | PROT_WRITE | PROT_EXEC,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED) return false;
        base_ = static_cast<unsigned char*>(memory);

        std::uint16_t sections = read16(file, pe + 6);
        std::size_t table = optional + read16(file, pe + 20);
        for (std::uint16_t i = 0; i < sections; ++i) {
            std::size_t header = table + 40u * i;
            std::uint32_t rva = read32(file, header + 12);
            std::uint32_t rawSize = read32(file, header + 16);
            std::uint32_t rawOffset = read32(file, header + 20);
            if (rawSize == 0) continue;
            if (rawOffset + std::uint64_t(rawSize) > file.size() || rva + std::uint64_t(rawSize) > size_)
                return false;
            std::memcpy(base_ + rva, file.data() + rawOffset, rawSize);
        }
        return true;
    }

    // The address of an exported function, or nullptr.
    void* lookup(const char* name) const {
        std::uint32_t count = word(exportRva_ + 24);
        std::uint32_t functions = word(exportRva_ + 28);
        std::uint32_t names = word(exportRva_ + 32);
        std::uint32_t ordinals = word(exportRva_ + 36);
        std::size_t length = std::strlen(name) + 1;
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint32_t at = word(names + 4 * i);
            if (at == 0 || at + length > size_ || std::memcmp(base_ + at, name, length) != 0) continue;
            std::uint32_t ordinal = word(ordinals + 2 * i) & 0xFFFF;
            std::uint32_t rva = word(functions + 4 * ordinal);
            return rva == 0 ? nullptr : base_ + rva;
        }
        return nullptr;
    }

    bool atItsOwnBase() const { return reinterpret_cast<std::uintptr_t>(base_) == imageBase_; }

private:
    // The 32-bit word at rva, or 0 outside the image.
    std::uint32_t word(std::uint32_t rva) const {
        std::uint32_t w = 0;
        if (std::uint64_t(rva) + 4 <= size_) std::memcpy(&w, base_ + rva, 4);
        return w;
    }

    unsigned char* base_ = nullptr;
    std::uint32_t imageBase_ = 0;
    std::uint32_t size_ = 0;
    std::uint32_t exportRva_ = 0;
};

struct Exports {
    Md5InitFn init;
    Md5UpdateFn update;
    Md5FinalFn final;
    BufferToHexStrFn toHex;
    HexStrToBufferFn fromHex;
    CryptFn encrypt;
    CryptFn decrypt;
};

int passed = 0;
int failed = 0;

void expect(bool ok, const std::string& what) {
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAILED: %s\n", what.c_str());
    }
}

std::string lowerHex(const unsigned char* bytes, int n) {
    const char* digits = "0123456789abcdef";
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0xF];
    }
    return out;
}

// Digest of input fed in pieces of at most piece bytes.
std::string digest(const Exports& e, const std::string& input, std::size_t piece) {
    Md5Context context;
    std::memset(&context, 0xCC, sizeof context);
    e.init(&context);
    const auto* bytes = reinterpret_cast<const unsigned char*>(input.data());
    for (std::size_t at = 0; at < input.size(); at += piece) {
        std::size_t n = input.size() - at < piece ? input.size() - at : piece;
        e.update(&context, bytes + at, static_cast<std::uint32_t>(n));
    }
    unsigned char out[16];
    e.final(out, &context);
    Md5Context zero;
    std::memset(&zero, 0, sizeof zero);
    expect(std::memcmp(&context, &zero, sizeof zero) == 0, "MD5Final clears the context");
    return lowerHex(out, 16);
}

void checkMd5(const Exports& e) {
    for (const auto& c : known::rfc1321Suite()) {
        expect(digest(e, c.message, 1 << 20) == c.digest, "MD5 of \"" + c.message + "\"");
        expect(digest(e, c.message, 1) == c.digest, "MD5 bytewise of \"" + c.message + "\"");
        expect(digest(e, c.message, 7) == c.digest, "MD5 in 7-byte pieces of \"" + c.message + "\"");
    }
    expect(digest(e, std::string(1000000, 'a'), 1000) == known::millionLettersDigest,
           "MD5 of a million letters");
}

void checkHex(const Exports& e) {
    const unsigned char data[] = {0x0A, 0xFF};
    char text[5] = {'x', 'x', 'x', 'x', 'x'};
    expect(e.toHex(data, 2, text, 5) == 4 && std::memcmp(text, "0AFF", 5) == 0,
           "BufferToHexStr of 0A FF gives 0AFF");
    expect(e.toHex(data, 2, text, 4) == -1, "BufferToHexStr refuses a 4-byte output");

    unsigned char bytes[4] = {0, 0, 0, 0};
    expect(e.fromHex("0AFF", 4, bytes, 4) == 2 && bytes[0] == 0x0A && bytes[1] == 0xFF,
           "HexStrToBuffer of 0AFF");
    expect(e.fromHex("0aff", 4, bytes, 4) == -3, "HexStrToBuffer refuses lower case");
    expect(e.fromHex("0AF", 3, bytes, 4) == -2, "HexStrToBuffer refuses an odd count");
    expect(e.fromHex("0AFF", 4, bytes, 1) == -1, "HexStrToBuffer refuses a small output");
}

void checkCrypt(const Exports& e) {
    unsigned char bytes[256];
    for (int i = 0; i < 256; ++i) bytes[i] = static_cast<unsigned char>(i);
    expect(e.encrypt(bytes, 256) == 0 && bytes[0x00] == 0x59 && bytes[0xA6] == 0xFF,
           "EnCryptData gives ~(b ^ 0xA6)");
    bool restored = e.decrypt(bytes, 256) == 0;
    for (int i = 0; i < 256; ++i) restored = restored && bytes[i] == i;
    expect(restored, "DeCryptData restores what EnCryptData scrambled");
    expect(e.encrypt(bytes, 0) == -1 && e.decrypt(nullptr, 2) == -1, "length 0 and null are refused");
    expect(e.encrypt(bytes, -5) == 0 && bytes[0] == 0, "a negative length changes nothing");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--probe") == 0) return 0;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s quillbox.exe\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    MappedImage image;
    if (!image.map(file)) {
        std::printf("FAILED: %s is no 32-bit Windows executable\n", argv[1]);
        return 1;
    }
    expect(!image.atItsOwnBase(), "the image lies away from its preferred base");
    Exports e = {
        reinterpret_cast<Md5InitFn>(image.lookup("MD5Init")),
        reinterpret_cast<Md5UpdateFn>(image.lookup("MD5Update")),
        reinterpret_cast<Md5FinalFn>(image.lookup("MD5Final")),
        reinterpret_cast<BufferToHexStrFn>(image.lookup("BufferToHexStr")),
        reinterpret_cast<HexStrToBufferFn>(image.lookup("HexStrToBuffer")),
        reinterpret_cast<CryptFn>(image.lookup("EnCryptData")),
        reinterpret_cast<CryptFn>(image.lookup("DeCryptData")),
    };
    bool all = e.init && e.update && e.final && e.toHex && e.fromHex && e.encrypt && e.decrypt;
    expect(all, "all seven functions are exported");
    if (all) {
        checkMd5(e);
        checkHex(e);
        checkCrypt(e);
    }
    std::printf("unrelocated exports: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
