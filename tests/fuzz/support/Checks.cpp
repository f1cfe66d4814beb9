#include "Checks.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "core/ClipItem.h"
#include "core/ItemStore.h"
#include "core/LittleEndian.h"
#include "core/NarrowMeasure.h"

namespace {

// For a text wholly inside the code page the summary is the narrow text
// when it is shorter than 35 bytes, and otherwise its first 35 bytes (34
// when a double-byte character would be cut in half) followed by "...".
// Any summary begins with whole characters of the text.
void checkSummary(const ClipItem& item) {
    const std::u16string wide = item.wideText();
    const std::u16string text = wide.substr(0, wide.find(u'\0'));
    const std::u16string summary = item.wideSummary();
    if (summary != text) {
        fuzzCheck(summary.size() >= 3 && summary.compare(summary.size() - 3, 3, u"...") == 0,
                  "a cut summary ends with ...");
        const std::size_t kept = summary.size() - 3;
        fuzzCheck(kept <= text.size() && text.compare(0, kept, summary, 0, kept) == 0,
                  "a summary begins the text");
        fuzzCheck(kept == 0 || NarrowMeasure::characterUnits(text, kept - 1) == 1,
                  "a summary never ends inside a surrogate pair");
    }
    if (!NarrowMeasure::inCodePage(text)) return;
    const std::string narrow = item.narrowText();
    const std::string narrowSummary = item.summary();
    if (narrow.size() < 35) {
        fuzzCheck(narrowSummary == narrow, "a short text is its own summary");
        return;
    }
    const std::size_t keptBytes = narrowSummary.size() - 3;
    fuzzCheck(narrowSummary.size() >= 3 && narrowSummary.compare(keptBytes, 3, "...") == 0,
              "a long summary ends with ...");
    fuzzCheck(keptBytes == 34 || keptBytes == 35, "a long summary keeps 34 or 35 bytes");
    fuzzCheck(narrow.compare(0, keptBytes, narrowSummary, 0, keptBytes) == 0,
              "a summary begins the narrow text");
}

// A text, an image or a list of files clones; content of any other format
// does not.
void checkClone(const ClipItem& item) {
    const std::unique_ptr<ClipItem> copy = item.clone();
    const int format = item.format();
    if (format != ClipItem::FormatUnicodeText && format != ClipItem::FormatDib &&
        format != ClipItem::FormatFileList) {
        fuzzCheck(copy == nullptr, "only texts, images and file lists clone");
        return;
    }
    fuzzCheck(copy != nullptr, "texts, images and file lists clone");
    fuzzCheck(copy->byteLength() == item.byteLength(), "a clone keeps the length");
    fuzzCheck(item.byteLength() == 0 ||
                  std::memcmp(copy->text(), item.text(), static_cast<std::size_t>(item.byteLength())) == 0,
              "a clone keeps the text");
    fuzzCheck(copy->alias()[0] == '\0', "a clone has no alias");
}

}  // namespace

void checkItem(const ClipItem& item) {
    fuzzCheck(item.byteLength() >= 0, "the length is not negative");
    fuzzCheck((item.text() != nullptr) == (item.byteLength() > 0), "text exactly when length");
    fuzzCheck(item.matches("") == 1, "the empty keyword matches");
    fuzzCheck(std::strlen(item.alias()) <= ClipItem::AliasSize, "the alias ends within its field");
    if (item.countsCharacters()) {
        fuzzCheck(item.charCount() == item.byteLength() / 2, "two bytes per character");
        checkSummary(item);
    } else {
        // An image or a list of files, however its bytes lie, is captioned.
        const std::u16string summary = item.wideSummary();
        fuzzCheck(summary.compare(0, 3, u"[图片") == 0 || summary.compare(0, 4, u"[文件]") == 0,
                  "an image or a file list has its caption");
    }
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
