#include "Checks.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "core/ClipItem.h"
#include "core/ItemStore.h"
#include "core/LittleEndian.h"

namespace {

// The summary is the narrow text when it is shorter than 35 bytes, and
// otherwise its first 35 bytes (34 when a double-byte character would be
// cut in half) followed by "...".
void checkSummary(const ClipItem& item) {
    const std::string narrow = item.narrowText();
    const std::string summary = item.summary();
    if (narrow.size() < 35) {
        fuzzCheck(summary == narrow, "a short text is its own summary");
        return;
    }
    const std::size_t kept = summary.size() - 3;
    fuzzCheck(summary.size() >= 3 && summary.compare(kept, 3, "...") == 0,
              "a long summary ends with ...");
    fuzzCheck(kept == 34 || kept == 35, "a long summary keeps 34 or 35 bytes");
    fuzzCheck(narrow.compare(0, kept, summary, 0, kept) == 0, "a summary begins the narrow text");
}

void checkClone(const ClipItem& item) {
    const std::unique_ptr<ClipItem> copy = item.clone();
    if (item.format() != ClipItem::FormatUnicodeText) {
        fuzzCheck(copy == nullptr, "only a Unicode item clones");
        return;
    }
    fuzzCheck(copy != nullptr, "a Unicode item clones");
    fuzzCheck(copy->byteLength() == item.byteLength(), "a clone keeps the length");
    fuzzCheck(item.byteLength() == 0 ||
                  std::memcmp(copy->text(), item.text(), static_cast<std::size_t>(item.byteLength())) == 0,
              "a clone keeps the text");
    fuzzCheck(copy->alias()[0] == '\0', "a clone has no alias");
}

}  // namespace

void checkItem(const ClipItem& item) {
    fuzzCheck(item.byteLength() >= 0, "the length is not negative");
    fuzzCheck(item.charCount() == item.byteLength() / 2, "two bytes per character");
    fuzzCheck((item.text() != nullptr) == (item.byteLength() > 0), "text exactly when length");
    fuzzCheck(item.matches("") == 1, "the empty keyword matches");
    fuzzCheck(std::strlen(item.alias()) <= ClipItem::AliasSize, "the alias ends within its field");
    checkSummary(item);
    checkClone(item);
}

void checkStore(const ItemStore& store) {
    fuzzCheck(store.count() <= store.capacity(), "a store never holds more than its capacity");
    for (ClipItem* item : store.snapshot()) {
        fuzzCheck(store.findByDigest(item->digest()) == item, "no two items share a digest");
        checkItem(*item);
    }
    fuzzCheck(store.itemAt(store.count()) == nullptr, "no item past the end");
}

std::vector<unsigned char> blockOf(const ItemStore& store) {
    const std::int32_t size = static_cast<std::int32_t>(store.serializedSize());
    fuzzCheck(size >= 4, "a block holds at least its length");
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    fuzzCheck(store.serialize(bytes.data()) == size, "serialize writes the whole block");
    return bytes;
}

int recordCount(const unsigned char* block, std::int32_t length) {
    int records = 0;
    std::int32_t at = 4;
    while (length - at >= 4) {
        const std::int32_t recordLength = readInt32LE(block + at);
        if (recordLength < ClipItem::RecordHeaderSize || recordLength > length - at) break;
        ++records;
        at += recordLength;
    }
    return records;
}
