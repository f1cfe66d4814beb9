// One captured text: UTF-16LE bytes, clipboard format, time, MD5 digest of
// the text bytes, and the user's alias. Items live on the heap and belong to
// exactly one ItemStore.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Clipboard;

class ClipItem {
public:
    static constexpr std::uint16_t FormatText = 1;
    static constexpr std::uint16_t FormatUnicodeText = 13;
    // A packed DIB (CF_DIB) and a DROPFILES block (CF_HDROP).
    static constexpr std::uint16_t FormatDib = 8;
    static constexpr std::uint16_t FormatFileList = 15;
    static constexpr int AliasSize = 32;
    static constexpr int DigestSize = 16;
    // Bytes of an item record before the text: record length, alias,
    // timestamp, format, digest, byteLength.
    static constexpr std::int32_t RecordHeaderSize = 62;

    ClipItem();
    virtual ~ClipItem();
    ClipItem(const ClipItem&) = delete;
    ClipItem& operator=(const ClipItem&) = delete;

    // The text as narrow text in the ANSI code page; "" when the item has no
    // text or the conversion refuses.
    virtual std::string narrowText() const;
    // The summary as narrow text: the narrow form of wideSummary.
    virtual std::string summary() const;
    virtual int charCount() const;
    // Puts the text on the clipboard; 0 done, -1 not done.
    virtual int putOnClipboard(Clipboard& clipboard) const;
    // 1 when the narrow keyword occurs in the text (exact, case-sensitive),
    // else 0. The empty keyword matches every item.
    virtual int matches(const char* keyword) const;
    // The summary the lists and the quick-paste menu show: the text up to
    // its first zero unit, cut after 35 bytes of narrow text with "..."
    // appended, measured and cut as NarrowMeasure does. For a text of the
    // code page its narrow form is the narrow text's first 35 bytes and
    // "...", a double-byte character never cut in half.
    virtual std::u16string wideSummary() const;
    // matches for a UTF-16 keyword, taken as it is.
    virtual int matchesWide(const std::u16string& keyword) const;
    // False for the kinds whose bytes the modify command must not edit.
    virtual bool isEditable() const { return true; }
    // False for the kinds whose character-count cell stays empty.
    virtual bool countsCharacters() const { return true; }

    // Replaces the text; renews the digest, the character count and the
    // timestamp, keeps the alias.
    void setText(const unsigned char* bytes, std::int32_t n);
    // The same for count UTF-16 code units, stored little-endian.
    void setWideText(const char16_t* units, std::size_t count);
    void setFormat(std::uint16_t format) { format_ = format; }
    std::uint16_t format() const { return format_; }

    // A new item of the same kind with a copy of the bytes (same digest,
    // time of now, empty alias): for formats 13, 8 and 15; none otherwise.
    std::unique_ptr<ClipItem> clone() const;

    // "Text" for format 1, "Unicode" for 13, "Bitmap" for 8, "Files" for 15,
    // "" otherwise.
    const char* typeName() const;

    const unsigned char* digest() const { return digest_; }
    // Inline: the store compares a new item's digest with every item's.
    int digestEquals(const ClipItem& other) const { return sameDigest(other.digest_) ? 1 : 0; }
    int digestEquals(const unsigned char* digest) const {
        return digest != nullptr && sameDigest(digest) ? 1 : 0;
    }

    // The alias as a zero-terminated narrow string of at most 32 bytes: a
    // stored alias whose 32 bytes hold no zero ends after them.
    const char* alias() const { return alias_; }
    // Copies at most 31 bytes and a terminator, zero-padding the rest;
    // a null argument changes nothing.
    void setAlias(const char* alias);

    std::int32_t timestamp() const { return timestamp_; }
    std::int32_t byteLength() const { return byteLength_; }
    const unsigned char* text() const { return byteLength_ > 0 ? text_.get() : nullptr; }

    // The item record of the store files: byteLength + 62, in 64 bits.
    virtual std::int64_t serializedSize() const {
        return static_cast<std::int64_t>(byteLength_) + RecordHeaderSize;
    }
    // Writes the record at buffer (when not null) and returns its length.
    std::int32_t serialize(unsigned char* buffer) const;
    // Fills the item from one record of recordLength bytes (the record
    // length field included). Everything is taken as stored: the digest is
    // not recomputed, the timestamp not renewed. Returns 0, or -1 when the
    // record is malformed (shorter than the header, or a byteLength that
    // disagrees with the record length); the item is unchanged then.
    int deserialize(const unsigned char* record, std::int32_t recordLength);
    // The same for a record whose text is not in memory yet: header holds
    // the record's first RecordHeaderSize bytes, and fillText is handed the
    // new text buffer and its byteLength to copy the text into (straight
    // from a file, say), returning false when it cannot. Returns 0, -1 for
    // a malformed record or a text that could not be had, -2 when no memory
    // could be had for the text; the item is unchanged unless 0.
    using TextFiller = std::function<bool(unsigned char* to, std::int32_t byteLength)>;
    int deserialize(const unsigned char* header, std::int32_t recordLength,
                    const TextFiller& fillText);

    // The text as UTF-16 code units (an odd trailing byte is dropped).
    std::u16string wideText() const;

protected:
    // Bytes of narrow text a summary shows before "...".
    static constexpr std::size_t SummaryBytes = 35;
    // The caption whole when it takes fewer than 35 bytes of narrow text,
    // else its first 35 bytes and "...", as NarrowMeasure cuts.
    static std::u16string cutCaption(const std::u16string& caption);
    // The first code units of the text up to the first zero unit, at least
    // minUnits of them where the text has them, and never ending between
    // the two halves of a surrogate pair; *whole is set when that is all of
    // the text before its first zero unit.
    std::u16string wideTextHead(std::size_t minUnits, bool* whole) const;
    // Code unit i of the text (i < charCount).
    char16_t unitAt(std::int32_t i) const {
        return static_cast<char16_t>(text_[2 * i] | (text_[2 * i + 1] << 8));
    }
    // The stored character count (byteLength / 2), for the concrete kinds.
    std::int32_t storedCharCount() const { return charCount_; }

private:
    bool sameDigest(const unsigned char* digest) const {
        return std::memcmp(digest_, digest, DigestSize) == 0;
    }
    using TextBuffer = std::unique_ptr<unsigned char[]>;
    // Takes the n bytes as the new text and renews digest, count and time.
    void adoptText(TextBuffer bytes, std::int32_t n);

    std::int32_t byteLength_ = 0;
    // Exactly byteLength_ bytes; no buffer for an empty text.
    TextBuffer text_;
    std::uint16_t format_ = 0;
    std::int32_t timestamp_ = 0;
    unsigned char digest_[DigestSize] = {};
    // The 32 stored bytes and a zero that no write ever touches.
    char alias_[AliasSize + 1] = {};
    std::int32_t charCount_ = 0;
};
