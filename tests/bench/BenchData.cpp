#include "bench/BenchData.h"

#include "core/UnicodeTextItem.h"

namespace bench {

std::vector<unsigned char> patternBytes(std::size_t size) {
    std::vector<unsigned char> bytes(size);
    std::uint32_t x = 2463534242u;
    for (std::size_t i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes[i] = static_cast<unsigned char>(x);
    }
    return bytes;
}

std::u16string mixedText(std::size_t units, unsigned seed) {
    static const char16_t pieces[] = u"剪贴板中的文本 Clipboard text 0123456789 ";
    const std::size_t pieceCount = sizeof pieces / sizeof pieces[0] - 1;
    std::u16string text(units, u' ');
    for (std::size_t i = 0; i < units; ++i) text[i] = pieces[(i + seed) % pieceCount];
    // The seed in front makes every text of a store different.
    std::u16string mark = u"#";
    for (char digit : std::to_string(seed)) mark += static_cast<char16_t>(digit);
    mark += u' ';
    for (std::size_t i = 0; i < mark.size() && i < units; ++i) text[i] = mark[i];
    return text;
}

std::vector<unsigned char> clipboardBlock(const std::u16string& text) {
    std::vector<unsigned char> block((text.size() + 1) * 2, 0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        block[2 * i] = static_cast<unsigned char>(text[i] & 0xFF);
        block[2 * i + 1] = static_cast<unsigned char>(text[i] >> 8);
    }
    return block;
}

void fill(ItemStore& store, int count, std::size_t textUnits, unsigned firstSeed) {
    for (int i = 0; i < count; ++i) {
        store.add(std::make_unique<UnicodeTextItem>(mixedText(textUnits, firstSeed + i)), 0);
    }
}

}  // namespace bench
