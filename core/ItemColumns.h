// What the rows of a list view show: the columns of the active list and of
// the favorites, their titles and initial widths, and the cell texts of one
// item. The type, time and digest columns are filled on every row but
// created with width 0; the digest column is how a row finds its item again.
// Cells are UTF-16: a summary shows every character of its text as it is.
#pragma once

#include <cstdint>
#include <string>

class ClipItem;

class ItemColumns {
public:
    // What a column shows.
    enum class Content { RowNumber, Alias, Summary, CharCount, Type, Time, Digest };

    // Bytes of the digest column's buffer: 32 hex characters and a zero.
    static constexpr int DigestTextSize = 33;
    static constexpr int DigestTextLength = 32;

    explicit ItemColumns(int isFavorites) : isFavorites_(isFavorites != 0) {}

    // 6 for the active list, 7 for the favorites.
    int count() const;
    // 5 for the active list, 6 for the favorites.
    int hashColumn() const { return count() - 1; }
    Content content(int column) const;
    // Narrow title; "" for the row-number column and for an unknown column.
    const char* title(int column) const;
    // The width at creation for a control windowWidth pixels wide
    // (twentieths of it, truncated); 0 for the hidden columns.
    int initialWidth(int column, int windowWidth) const;

    // The text of one cell of the row numbered rowNumber (from 1); the
    // alias is converted from its stored narrow text.
    std::u16string cellText(int column, const ClipItem& item, int rowNumber) const;

    // "%H:%M:%S %Y-%m-%d" in local time; "" when the time cannot be shown.
    static std::string timeText(std::int32_t timestamp);
    // The 32 upper-case hex characters of the item's digest.
    static std::string digestText(const ClipItem& item);
    // The 16 digest bytes of a digest cell (its first 32 characters);
    // 0, or -1 when the text is not a digest.
    static int parseDigest(const std::string& cell, unsigned char* digest);

private:
    bool isFavorites_;
};
