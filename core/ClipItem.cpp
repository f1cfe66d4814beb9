#include "core/ClipItem.h"

#include <cstring>

#include "core/Clock.h"
#include "core/LittleEndian.h"
#include "core/Md5.h"
#include "core/UnicodeTextItem.h"

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

void ClipItem::setText(const unsigned char* bytes, std::int32_t n) {
    if (n < 0 || bytes == nullptr) n = 0;
    // Copy first: bytes may point into the current text.
    std::vector<unsigned char> copy(bytes, bytes + n);
    text_.swap(copy);
    byteLength_ = n;
    charCount_ = n / 2;

    MD5_CTX context;
    MD5Init(&context);
    if (n > 0) MD5Update(&context, text_.data(), static_cast<std::uint32_t>(n));
    MD5Final(digest_, &context);

    timestamp_ = currentTime();
}

std::unique_ptr<ClipItem> ClipItem::clone() const {
    if (format_ != FormatUnicodeText) return nullptr;
    auto copy = std::make_unique<UnicodeTextItem>();
    copy->setFormat(format_);
    copy->setText(text(), byteLength_);
    return copy;
}

const char* ClipItem::typeName() const {
    switch (format_) {
    case FormatText:
        return "Text";
    case FormatUnicodeText:
        return "Unicode";
    default:
        return "";
    }
}

int ClipItem::digestEquals(const ClipItem& other) const {
    return digestEquals(other.digest_);
}

int ClipItem::digestEquals(const unsigned char* digest) const {
    if (digest == nullptr) return 0;
    return std::memcmp(digest_, digest, DigestSize) == 0 ? 1 : 0;
}

void ClipItem::setAlias(const char* alias) {
    if (alias == nullptr) return;
    char copy[AliasSize] = {};
    for (int i = 0; i < AliasSize - 1 && alias[i] != '\0'; ++i) copy[i] = alias[i];
    std::memcpy(alias_, copy, AliasSize);
}

std::int32_t ClipItem::serialize(unsigned char* buffer) const {
    const std::int32_t size = serializedSize();
    if (buffer == nullptr) return size;

    putInt32LE(buffer + RecordLengthAt, size);
    for (int i = 0; i < AliasSize; ++i)
        buffer[AliasAt + i] = static_cast<unsigned char>(alias_[i]);
    putInt32LE(buffer + TimestampAt, timestamp_);
    putUint16LE(buffer + FormatAt, format_);
    for (int i = 0; i < DigestSize; ++i) buffer[DigestAt + i] = digest_[i];
    putInt32LE(buffer + ByteLengthAt, byteLength_);
    for (std::int32_t i = 0; i < byteLength_; ++i) buffer[TextAt + i] = text_[i];
    return size;
}

int ClipItem::deserialize(const unsigned char* record, std::int32_t recordLength) {
    if (record == nullptr || recordLength < RecordHeaderSize) return -1;
    const std::int32_t n = readInt32LE(record + ByteLengthAt);
    if (n < 0 || n != recordLength - RecordHeaderSize) return -1;

    for (int i = 0; i < AliasSize; ++i) alias_[i] = static_cast<char>(record[AliasAt + i]);
    timestamp_ = readInt32LE(record + TimestampAt);
    format_ = readUint16LE(record + FormatAt);
    for (int i = 0; i < DigestSize; ++i) digest_[i] = record[DigestAt + i];
    text_.assign(record + TextAt, record + TextAt + n);
    byteLength_ = n;
    charCount_ = n / 2;
    return 0;
}

std::u16string ClipItem::wideText() const {
    std::u16string wide(static_cast<std::size_t>(charCount_), u'\0');
    for (std::int32_t i = 0; i < charCount_; ++i) {
        wide[i] = static_cast<char16_t>(text_[2 * i] | (text_[2 * i + 1] << 8));
    }
    return wide;
}
