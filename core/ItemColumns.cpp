#include "core/ItemColumns.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "core/ClipItem.h"
#include "core/HexCodec.h"
#include "core/TextCodec.h"

namespace {

struct Column {
    ItemColumns::Content content;
    const char* title;
    int twentieths;  // of the control's width at creation
};

using C = ItemColumns::Content;

const Column kActive[] = {
    {C::RowNumber, "", 2}, {C::Summary, "摘要", 12}, {C::CharCount, "字数", 4},
    {C::Type, "类型", 0},  {C::Time, "时间", 0},     {C::Digest, "HashValue", 0},
};

const Column kFavorites[] = {
    {C::RowNumber, "", 2}, {C::Alias, "别名", 3}, {C::Summary, "摘要", 9},
    {C::CharCount, "字数", 4}, {C::Type, "类型", 0}, {C::Time, "时间", 0},
    {C::Digest, "HashValue", 0},
};

constexpr int kActiveCount = static_cast<int>(sizeof kActive / sizeof kActive[0]);
constexpr int kFavoritesCount = static_cast<int>(sizeof kFavorites / sizeof kFavorites[0]);

std::string decimal(int value) {
    char text[16] = {};
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

const Column* columnAt(bool isFavorites, int column) {
    const int count = isFavorites ? kFavoritesCount : kActiveCount;
    if (column < 0 || column >= count) return nullptr;
    return isFavorites ? &kFavorites[column] : &kActive[column];
}

}  // namespace

int ItemColumns::count() const { return isFavorites_ ? kFavoritesCount : kActiveCount; }

ItemColumns::Content ItemColumns::content(int column) const {
    const Column* c = columnAt(isFavorites_, column);
    return c != nullptr ? c->content : Content::RowNumber;
}

const char* ItemColumns::title(int column) const {
    const Column* c = columnAt(isFavorites_, column);
    return c != nullptr ? c->title : "";
}

int ItemColumns::initialWidth(int column, int windowWidth) const {
    const Column* c = columnAt(isFavorites_, column);
    if (c == nullptr) return 0;
    return c->twentieths * windowWidth / 20;
}

std::u16string ItemColumns::cellText(int column, const ClipItem& item, int rowNumber) const {
    if (column < 0 || column >= count()) return std::u16string();
    switch (content(column)) {
    case Content::RowNumber:
        return widen(decimal(rowNumber));
    case Content::Alias:
        return widen(item.alias());
    case Content::Summary:
        return item.wideSummary();
    case Content::CharCount:
        return item.countsCharacters() ? widen(decimal(item.charCount())) : std::u16string();
    case Content::Type:
        return widen(item.typeName());
    case Content::Time:
        return widen(timeText(item.timestamp()));
    case Content::Digest:
        return widen(digestText(item));
    }
    return std::u16string();
}

std::string ItemColumns::timeText(std::int32_t timestamp) {
    const std::time_t when = static_cast<std::time_t>(timestamp);
    const std::tm* local = std::localtime(&when);
    if (local == nullptr) return std::string();
    char text[64] = {};
    if (std::strftime(text, sizeof text, "%H:%M:%S %Y-%m-%d", local) == 0) return std::string();
    return text;
}

std::string ItemColumns::digestText(const ClipItem& item) {
    char text[DigestTextSize] = {};
    if (BufferToHexStr(item.digest(), ClipItem::DigestSize, text, sizeof text) < 0) {
        return std::string();
    }
    return text;
}

int ItemColumns::parseDigest(const std::string& cell, unsigned char* digest) {
    if (digest == nullptr) return -1;
    char text[DigestTextSize] = {};
    std::strncpy(text, cell.c_str(), DigestTextLength);
    const int n = HexStrToBuffer(text, DigestTextLength, digest, ClipItem::DigestSize);
    return n == ClipItem::DigestSize ? 0 : -1;
}
