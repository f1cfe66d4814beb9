#include "core/PoolFingerprint.h"

#include <cstdint>
#include <cstring>

#include "core/ItemStore.h"
#include "core/LittleEndian.h"
#include "core/Md5.h"

namespace {

// A record's fields as the file lays them out, the digest in the text's
// place.
constexpr int RecordFieldsSize = 4 + ClipItem::AliasSize + 4 + 2 + ClipItem::DigestSize + 4;

void addRecord(MD5_CTX& context, const ClipItem& item) {
    unsigned char fields[RecordFieldsSize] = {};
    unsigned char* at = fields;
    putInt32LE(at, static_cast<std::int32_t>(item.serializedSize()));
    at += 4;
    std::memcpy(at, item.alias(), ClipItem::AliasSize);
    at += ClipItem::AliasSize;
    putInt32LE(at, item.timestamp());
    at += 4;
    putUint16LE(at, item.format());
    at += 2;
    std::memcpy(at, item.digest(), ClipItem::DigestSize);
    at += ClipItem::DigestSize;
    putInt32LE(at, item.byteLength());
    MD5Update(&context, fields, RecordFieldsSize);
}

// The block length separates the two lists: moving the last favorite to
// the top of the active list changes the fingerprint.
void addBlock(MD5_CTX& context, const ItemStore& store) {
    unsigned char length[4];
    putInt32LE(length, static_cast<std::int32_t>(store.serializedSize()));
    MD5Update(&context, length, sizeof length);
    for (const ClipItem* item : store.snapshot()) addRecord(context, *item);
}

}  // namespace

PoolFingerprint PoolFingerprint::of(const ItemStore& favorites, const ItemStore& active) {
    MD5_CTX context;
    MD5Init(&context);
    addBlock(context, favorites);
    addBlock(context, active);
    PoolFingerprint fingerprint;
    MD5Final(fingerprint.digest_, &context);
    return fingerprint;
}

bool PoolFingerprint::operator==(const PoolFingerprint& other) const {
    return std::memcmp(digest_, other.digest_, Size) == 0;
}
