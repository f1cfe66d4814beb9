#include "core/ClipItem.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <new>

#include "core/Clock.h"
#include "core/LittleEndian.h"
#include "core/Md5.h"
#include "core/ItemKinds.h"
#include "core/NarrowMeasure.h"

namespace {

// Offsets of the fields inside an item record.
constexpr int RecordLengthAt = 0;
constexpr int AliasAt = 4;
constexpr int TimestampAt = 36;
constexpr int FormatAt = 40;
constexpr int DigestAt = 42;
constexpr int ByteLengthAt = 58;
constexpr int TextAt = 62;

}  // namespace

ClipItem::ClipItem() = default;

ClipItem::~ClipItem() = default;

std::string ClipItem::narrowText() const { return std::string(); }

std::string ClipItem::summary() const { return std::string(); }

int ClipItem::charCount() const { return 0; }

int ClipItem::putOnClipboard(Clipboard&) const { return -1; }

int ClipItem::matches(const char*) const { return 0; }

std::u16string ClipItem::wideSummary() const { return std::u16string(); }

int ClipItem::matchesWide(const std::u16string&) const { return 0; }

std::u16string ClipItem::cutCaption(const std::u16string& caption) {
    if (NarrowMeasure::bytes(caption) < SummaryBytes) return caption;
    return caption.substr(0, NarrowMeasure::prefixUnits(caption, SummaryBytes)) + u"...";
}

void ClipItem::setText(const unsigned char* bytes, std::int32_t n) {
    if (n < 0 || bytes == nullptr) n = 0;
    // Copy first: bytes may point into the current text.
    TextBuffer copy(n > 0 ? new unsigned char[static_cast<std::size_t>(n)] : nullptr);
    if (n > 0) std::memcpy(copy.get(), bytes, static_cast<std::size_t>(n));
    adoptText(std::move(copy), n);
}

void ClipItem::setWideText(const char16_t* units, std::size_t count) {
    if (units == nullptr || count > static_cast<std::size_t>(INT32_MAX / 2)) count = 0;
    TextBuffer bytes(count > 0 ? new unsigned char[count * 2] : nullptr);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[2 * i] = static_cast<unsigned char>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<unsigned char>(units[i] >> 8);
    }
    adoptText(std::move(bytes), static_cast<std::int32_t>(count * 2));
}

void ClipItem::adoptText(TextBuffer bytes, std::int32_t n) {
    text_ = std::move(bytes);
    byteLength_ = n;
    charCount_ = n / 2;

    MD5_CTX context;
    MD5Init(&context);
    if (n > 0) MD5Update(&context, text_.get(), static_cast<std::uint32_t>(n));
    MD5Final(digest_, &context);

    timestamp_ = currentTime();
}

std::unique_ptr<ClipItem> ClipItem::clone() const {
    std::unique_ptr<ClipItem> copy = ItemKinds::emptyFor(format_);
    if (!copy) return nullptr;
    copy->setText(text(), byteLength_);
    return copy;
}

const char* ClipItem::typeName() const {
    switch (format_) {
    case FormatText:
        return "Text";
    case FormatUnicodeText:
        return "Unicode";
    case FormatDib:
        return "Bitmap";
    case FormatFileList:
        return "Files";
    default:
        return "";
    }
}

void ClipItem::setAlias(const char* alias) {
    if (alias == nullptr) return;
    char copy[AliasSize] = {};
    for (int i = 0; i < AliasSize - 1 && alias[i] != '\0'; ++i) copy[i] = alias[i];
    std::memcpy(alias_, copy, AliasSize);
}

std::int32_t ClipItem::serialize(unsigned char* buffer) const {
    const std::int64_t record = static_cast<std::int64_t>(byteLength_) + RecordHeaderSize;
    if (record > INT32_MAX) return -1;
    const std::int32_t size = static_cast<std::int32_t>(record);
    if (buffer == nullptr) return size;

    putInt32LE(buffer + RecordLengthAt, size);
    for (int i = 0; i < AliasSize; ++i)
        buffer[AliasAt + i] = static_cast<unsigned char>(alias_[i]);
    putInt32LE(buffer + TimestampAt, timestamp_);
    putUint16LE(buffer + FormatAt, format_);
    for (int i = 0; i < DigestSize; ++i) buffer[DigestAt + i] = digest_[i];
    putInt32LE(buffer + ByteLengthAt, byteLength_);
    if (byteLength_ > 0) std::memcpy(buffer + TextAt, text_.get(), static_cast<std::size_t>(byteLength_));
    return size;
}

int ClipItem::deserialize(const unsigned char* record, std::int32_t recordLength) {
    if (record == nullptr) return -1;
    const unsigned char* text = record + TextAt;
    return deserialize(record, recordLength, [text](unsigned char* to, std::int32_t n) {
        std::memcpy(to, text, static_cast<std::size_t>(n));
        return true;
    }) == 0 ? 0 : -1;
}

int ClipItem::deserialize(const unsigned char* header, std::int32_t recordLength,
                          const TextFiller& fillText) {
    if (header == nullptr || recordLength < RecordHeaderSize) return -1;
    const std::int32_t n = readInt32LE(header + ByteLengthAt);
    if (n < 0 || n != recordLength - RecordHeaderSize) return -1;

    // Not zeroed: fillText writes every byte.
    TextBuffer text;
    if (n > 0) {
        text.reset(new (std::nothrow) unsigned char[static_cast<std::size_t>(n)]);
        if (!text) return -2;
        if (!fillText(text.get(), n)) return -1;
    }

    for (int i = 0; i < AliasSize; ++i) alias_[i] = static_cast<char>(header[AliasAt + i]);
    timestamp_ = readInt32LE(header + TimestampAt);
    format_ = readUint16LE(header + FormatAt);
    for (int i = 0; i < DigestSize; ++i) digest_[i] = header[DigestAt + i];
    text_ = std::move(text);
    byteLength_ = n;
    charCount_ = n / 2;
    return 0;
}

std::u16string ClipItem::wideText() const {
    std::u16string wide(static_cast<std::size_t>(charCount_), u'\0');
    for (std::int32_t i = 0; i < charCount_; ++i) wide[i] = unitAt(i);
    return wide;
}

std::u16string ClipItem::wideTextHead(std::size_t minUnits, bool* whole) const {
    std::u16string head;
    std::int32_t i = 0;
    for (; i < charCount_; ++i) {
        const char16_t unit = unitAt(i);
        if (unit == u'\0') break;
        const bool afterHighSurrogate = !head.empty() && head.back() >= 0xD800 && head.back() <= 0xDBFF;
        if (head.size() >= minUnits && !afterHighSurrogate) break;
        head.push_back(unit);
    }
    if (whole != nullptr) *whole = i >= charCount_ || unitAt(i) == u'\0';
    return head;
}
