// The clipboard text reader: any bytes as a Unicode text block and as an
// 8-bit text block. The item holds the text up to the first zero character
// or the end of the block, and its digest is that of those bytes.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "Checks.h"
#include "FuzzCheck.h"
#include "core/ClipItem.h"
#include "core/ClipTextDecoder.h"
#include "core/Md5.h"

namespace {

bool hasDigestOf(const ClipItem& item, const unsigned char* bytes, std::size_t n) {
    MD5_CTX context;
    MD5Init(&context);
    MD5Update(&context, bytes, static_cast<std::uint32_t>(n));
    unsigned char digest[16];
    MD5Final(digest, &context);
    return item.digestEquals(digest) == 1;
}

void checkUnicode(const std::uint8_t* data, std::size_t size) {
    std::size_t units = 0;
    while (units < size / 2 && (data[2 * units] | data[2 * units + 1]) != 0) ++units;
    const std::unique_ptr<ClipItem> item = ClipTextDecoder::fromUnicode(data, size);
    fuzzCheck(item != nullptr, "a Unicode block always gives an item");
    fuzzCheck(item->format() == ClipItem::FormatUnicodeText, "a Unicode item has format 13");
    fuzzCheck(item->byteLength() == static_cast<std::int32_t>(2 * units), "the text ends at the first zero");
    fuzzCheck(units == 0 || std::memcmp(item->text(), data, 2 * units) == 0, "the text is the block's");
    fuzzCheck(hasDigestOf(*item, data, 2 * units), "the digest is that of the text");
    checkItem(*item);
}

void checkAnsi(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const void* zero = size > 0 ? std::memchr(bytes, '\0', size) : nullptr;
    const std::size_t length = zero != nullptr ? static_cast<const char*>(zero) - bytes : size;
    const std::unique_ptr<ClipItem> item = ClipTextDecoder::fromAnsi(bytes, size);
    if (item == nullptr) return;
    fuzzCheck(item->format() == ClipItem::FormatUnicodeText, "an 8-bit text becomes a Unicode item");
    fuzzCheck(item->byteLength() % 2 == 0 && item->byteLength() <= 2 * static_cast<std::int32_t>(length),
              "a converted text has at most one character per byte");
    fuzzCheck(hasDigestOf(*item, item->text(), static_cast<std::size_t>(item->byteLength())),
              "the digest is that of the converted text");
    fuzzCheck(item->narrowText() == std::string(bytes, length), "a converted text converts back");
    checkItem(*item);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1u << 20) return 0;
    checkUnicode(data, size);
    checkAnsi(data, size);
    return 0;
}
