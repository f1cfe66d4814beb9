// A digest of what the data file holds for two stores: the favorites' and
// then the active list's records in order, every field of them, each text
// standing in by its own digest (so no text is read again). Equal
// fingerprints mean an equal file, and a save can be left out.
#pragma once

class ItemStore;

class PoolFingerprint {
public:
    static constexpr int Size = 16;

    PoolFingerprint() = default;
    static PoolFingerprint of(const ItemStore& favorites, const ItemStore& active);

    bool operator==(const PoolFingerprint& other) const;
    bool operator!=(const PoolFingerprint& other) const { return !(*this == other); }

private:
    unsigned char digest_[Size] = {};
};
