// Writes the fuzz targets' seed inputs: a few sound files of each kind and a
// few damaged ones, a few KB in all. The sound store files are built field
// by field, with fixed timestamps, so the seeds come out the same each time.
//   fuzz_seed_writer tests/fuzz/corpus
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/LittleEndian.h"
#include "core/Md5.h"
#include "storage/Settings.h"

namespace {

using Bytes = std::vector<unsigned char>;
namespace fs = std::filesystem;

Bytes utf16(const std::u16string& text) {
    Bytes bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

// One item record; byteLength and the record length may be set wrong on
// purpose.
Bytes record(const std::u16string& text, const std::string& alias = "",
             std::int32_t recordLengthChange = 0, std::int32_t byteLengthChange = 0) {
    const Bytes bytes = utf16(text);
    const std::int32_t n = static_cast<std::int32_t>(bytes.size());
    Bytes out(62, 0);
    putInt32LE(&out[0], 62 + n + recordLengthChange);
    for (std::size_t i = 0; i < alias.size() && i < 32; ++i) out[4 + i] = static_cast<unsigned char>(alias[i]);
    putInt32LE(&out[36], 1204300800);
    putUint16LE(&out[40], 13);
    MD5_CTX context;
    MD5Init(&context);
    MD5Update(&context, bytes.data(), static_cast<std::uint32_t>(n));
    MD5Final(&out[42], &context);
    putInt32LE(&out[58], n + byteLengthChange);
    out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

Bytes block(const std::vector<Bytes>& records) {
    Bytes out(4, 0);
    for (const Bytes& r : records) out.insert(out.end(), r.begin(), r.end());
    putInt32LE(out.data(), static_cast<std::int32_t>(out.size()));
    return out;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes cut(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes withLength(Bytes bytes, std::int32_t length) {
    putInt32LE(bytes.data(), length);
    return bytes;
}

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

void write(const fs::path& folder, const std::string& name, const Bytes& bytes) {
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void writeStoreSeeds(const fs::path& corpus) {
    const Bytes ab = record(u"ab");
    const Bytes chinese = record(u"\u4e2d\u6587\u526a\u8d34\u677f", "\xb1\xf0\xc3\xfb");  // alias in GBK
    const Bytes lines = record(u"x\r\ny\tz");
    const Bytes longText = record(u"A text long enough to be cut in the summary column: 0123456789");
    const Bytes empty = record(u"");
    const std::vector<Bytes> five = {ab, chinese, lines, longText, empty};

    const fs::path blocks = corpus / "store_block";
    write(blocks, "empty", block({}));
    write(blocks, "one", block({ab}));
    write(blocks, "five", block(five));
    write(blocks, "duplicate", block({ab, lines, ab}));
    write(blocks, "short-record", block({ab, record(u"cd", "", -20, -20)}));
    write(blocks, "record-past-end", block({ab, record(u"cd", "", 40, 40)}));
    write(blocks, "odd-byte-length", block({record(u"cd", "", 1, 1), ab}));
    write(blocks, "byte-length-differs", block({record(u"cd", "", 0, 2)}));
    write(blocks, "cut-in-record", cut(block({ab, chinese}), 100));

    const fs::path files = corpus / "store_files";
    write(files, "pool-empty", block({}) + block({}));
    write(files, "pool-both", block({chinese, lines}) + block({ab, longText, empty}));
    write(files, "backup", block(five));
    write(files, "pool-first-too-long", withLength(block({ab}), 500) + block({}));
    write(files, "pool-second-negative", block({ab}) + withLength(block({}), -4));
    write(files, "pool-second-cut", block({ab}) + cut(block({chinese}), 30));
    write(files, "backup-length-differs", withLength(block({ab}), 60));
}

void writeConfigSeeds(const fs::path& corpus) {
    const fs::path folder = corpus / "config";
    write(folder, "default", text(Settings().configText()));
    Settings changed;
    changed.MaxActiveItemNum(80);
    changed.MaxFavoriteItemNum(20);
    changed.EnableMonitoring(0);
    changed.EnablePopupMenu(0);
    changed.EnableAutoHide(1);
    changed.EnableFavoriteAutoPaste(1);
    changed.EnableStartup(1);
    changed.StartupMinimized(1);
    changed.AccKey(6, 70);
    changed.FavoriteAccKey(4, 48);
    changed.PopupShowInfo(3);
    write(folder, "changed", text(changed.configText()));
    write(folder, "odd-values",
          text("MaxActiveItemNum:30\nEnableMonitoring=\nAccKey.modifiers=0\nMaxFavoriteItemNum=-7\n"
               "PopupShowInfo=+12x\nFavoriteAccKey.virtualKey=99999999999\nAccKey.virtualKey =5\n"
               "#MaxActiveItemNum=1\n\tEnableAutoHide=1\n" +
               std::string(120, 'M') + "\nEnableStartup=" + std::string(100, '1') + "\n"));
}

void writeHexSeeds(const fs::path& corpus) {
    // Byte 0: output size minus half the text length; byte 1: count change.
    const fs::path folder = corpus / "hex_codec";
    write(folder, "fits", text(std::string("\x00\x00", 2) + "0AFF"));
    write(folder, "digest", text(std::string("\x00\x00", 2) + "D41D8CD98F00B204E9800998ECF8427E"));
    write(folder, "lower-case", text(std::string("\x00\x00", 2) + "0aff"));
    write(folder, "odd", text(std::string("\x00\x01", 2) + "0AFF"));
    write(folder, "no-room", text(std::string("\xff\x00", 2) + "0AFF"));
}

void writeClipTextSeeds(const fs::path& corpus) {
    const fs::path folder = corpus / "clip_text";
    write(folder, "unicode", utf16(u"ab\u4e2d\u6587"));
    write(folder, "unicode-zero-inside", utf16(std::u16string(u"ab\0cd", 5)));
    write(folder, "unicode-odd-byte", utf16(u"ab") + Bytes{0x41});
    write(folder, "unicode-surrogates", utf16(u"\U0001F600 \xd800x"));
    write(folder, "gbk", text("\xd6\xd0\xce\xc4 text"));
    write(folder, "gbk-broken", text("a\x81\x20z"));
    write(folder, "gbk-long", text(std::string(34, 'a') + "\xd6\xd0\xce\xc4" + std::string(10, 'b')));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s corpus-folder\n", argv[0]);
        return 2;
    }
    const fs::path corpus(argv[1]);
    writeStoreSeeds(corpus);
    writeConfigSeeds(corpus);
    writeHexSeeds(corpus);
    writeClipTextSeeds(corpus);
    return 0;
}
