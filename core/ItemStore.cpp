#include "core/ItemStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <new>

#include "core/DigestFilter.h"
#include "core/ImageBudget.h"
#include "core/ItemKinds.h"
#include "core/LittleEndian.h"
#include "core/MemoryBlockSource.h"
#include "core/MessageSink.h"
#include "core/NarrowMeasure.h"
#include "core/StoreCapacity.h"
#include "core/StoreChangeListener.h"
#include "core/StoreObserver.h"
#include "core/TextCodec.h"

namespace {

constexpr std::int32_t BlockHeaderSize = 4;
// Offset of the format field inside an item record.
constexpr std::int32_t FormatAt = 40;
// What place answers for an image over its size limit.
constexpr int TooLarge = -2;

}  // namespace

ItemStore::ItemStore(int isFavorites, const StoreCapacity& maxima, MessageSink& messages)
    : isFavorites_(isFavorites != 0 ? 1 : 0), maxima_(maxima), messages_(messages) {}

ItemStore::~ItemStore() { clear(); }

int ItemStore::add(std::unique_ptr<ClipItem> item, int atFront) {
    if (!item) return -1;

    bool replaced = false;
    for (auto it = items_.begin(); it != items_.end(); ++it) {
        if ((*it)->digestEquals(*item) == 0) continue;
        if (isFavorites_) {
            messages_.show("收藏夹中已有此文本！", msgbox::Ok);
            return 1;
        }
        items_.erase(it);
        replaced = true;
        break;
    }
    return place(std::move(item), atFront, replaced);
}

int ItemStore::place(std::unique_ptr<ClipItem> item, int atFront, bool replaced) {
    if (!ImageBudget::admits(*item)) return TooLarge;
    if (!replaced && static_cast<unsigned>(count()) >= static_cast<unsigned>(capacity())) {
        if (isFavorites_) {
            messages_.show("收藏夹内容已满，请删除多余项后再添加！", msgbox::Ok);
            return -1;
        }
        items_.pop_back();
    }

    const bool isImage = item->format() == ClipItem::FormatDib;
    if (atFront != 0) {
        items_.push_front(std::move(item));
    } else {
        items_.push_back(std::move(item));
    }
    // Only an image can take the active list's images beyond their budget.
    if (!isFavorites_ && isImage) ImageBudget::trim(items_);
    return 0;
}

void ItemStore::remove(const ClipItem* item) {
    items_.remove_if([item](const std::unique_ptr<ClipItem>& p) { return p.get() == item; });
}

void ItemStore::clear() {
    while (!items_.empty()) items_.pop_front();
}

void ItemStore::removeFromBack(int n) {
    for (int i = 0; i < n && !items_.empty(); ++i) items_.pop_back();
}

std::unique_ptr<ItemStore> ItemStore::emptyCopy() const {
    return std::unique_ptr<ItemStore>(new (std::nothrow) ItemStore(isFavorites_, maxima_, messages_));
}

std::vector<ItemStore::Digest> ItemStore::digests() const {
    std::vector<Digest> all;
    all.reserve(items_.size());
    for (const auto& item : items_) {
        Digest digest;
        std::copy(item->digest(), item->digest() + ClipItem::DigestSize, digest.begin());
        all.push_back(digest);
    }
    return all;
}

void ItemStore::replace(const std::vector<Digest>& before, ItemStore& replacement) {
    Items arrived;
    for (auto it = items_.begin(); it != items_.end();) {
        const auto next = std::next(it);
        const bool held = std::any_of(before.begin(), before.end(), [&](const Digest& digest) {
            return (*it)->digestEquals(digest.data()) != 0;
        });
        if (!held) arrived.splice(arrived.end(), items_, it);
        it = next;
    }
    clear();
    items_.swap(replacement.items_);
    // Oldest first, so that the newest ends on top of the active list.
    if (!isFavorites_) arrived.reverse();
    for (auto& item : arrived) add(std::move(item), isFavorites_ ? 0 : 1);
}

ItemStore::Items::iterator ItemStore::find(const ClipItem* item) {
    for (auto it = items_.begin(); it != items_.end(); ++it) {
        if (it->get() == item) return it;
    }
    return items_.end();
}

void ItemStore::moveUp(const ClipItem* item) {
    const auto it = find(item);
    if (it == items_.end() || it == items_.begin()) return;
    std::iter_swap(it, std::prev(it));
}

void ItemStore::moveDown(const ClipItem* item) {
    const auto it = find(item);
    if (it == items_.end()) return;
    const auto below = std::next(it);
    if (below == items_.end()) return;
    std::iter_swap(it, below);
}

void ItemStore::moveToTop(const ClipItem* item) {
    const auto it = find(item);
    if (it != items_.end()) items_.splice(items_.begin(), items_, it);
}

void ItemStore::moveToBottom(const ClipItem* item) {
    const auto it = find(item);
    if (it != items_.end()) items_.splice(items_.end(), items_, it);
}

ClipItem* ItemStore::findByDigest(const unsigned char* digest) const {
    if (digest == nullptr) return nullptr;
    for (const auto& item : items_) {
        if (item->digestEquals(digest)) return item.get();
    }
    return nullptr;
}

ClipItem* ItemStore::itemAt(int position) const {
    if (position < 0 || position >= count()) return nullptr;
    return std::next(items_.begin(), position)->get();
}

int ItemStore::capacity() const {
    const std::int32_t maximum =
        isFavorites_ ? maxima_.favoritesCapacity() : maxima_.activeCapacity();
    return maximum < 1 ? 1 : maximum;
}

std::vector<ClipItem*> ItemStore::snapshot() const {
    std::vector<ClipItem*> items;
    items.reserve(items_.size());
    for (const auto& item : items_) items.push_back(item.get());
    return items;
}

void ItemStore::notifyObserver() {
    if (observer_ != nullptr) observer_->refresh();
    if (changeListener_ != nullptr) changeListener_->storeChanged(*this);
}

std::string ItemStore::countLabel() const {
    char label[32];
    std::snprintf(label, sizeof label, "[%d/%d]", count(), capacity());
    return label;
}

int ItemStore::setSearchText(const std::u16string& text) {
    if (NarrowMeasure::bytes(text) > static_cast<std::size_t>(SearchTextMax)) {
        messages_.show("搜索文本超长！", msgbox::Ok | msgbox::IconStop);
        return -1;
    }
    searchText_ = text;
    return 0;
}

int ItemStore::setSearchText(const char* text) {
    if (text == nullptr) text = "";
    if (std::strlen(text) > static_cast<std::size_t>(SearchTextMax)) {
        messages_.show("搜索文本超长！", msgbox::Ok | msgbox::IconStop);
        return -1;
    }
    return setSearchText(widen(text));
}

std::int64_t ItemStore::serializedSize() const {
    std::int64_t size = BlockHeaderSize;
    for (const auto& item : items_) size += item->serializedSize();
    return size;
}

std::int32_t ItemStore::serialize(unsigned char* buffer) const {
    const std::int64_t total = serializedSize();
    // The block length field is 32 bits: a larger block cannot be written.
    if (total > INT32_MAX) return -1;
    const std::int32_t size = static_cast<std::int32_t>(total);
    if (buffer == nullptr) return size;

    putInt32LE(buffer, size);
    std::int32_t written = BlockHeaderSize;
    for (const auto& item : items_) {
        const std::int32_t length = item->serialize(buffer + written);
        if (length < 0) return -1;
        written += length;
    }
    return written == size ? size : -1;
}

int ItemStore::parseBlock(const unsigned char* bytes, std::int32_t length,
                          std::int32_t* stoppedAt) {
    MemoryBlockSource source(bytes, length);
    if (bytes == nullptr) length = 0;
    const int result = parseBlock(source, length, stoppedAt);
    return result == 0 ? 0 : -1;
}

int ItemStore::parseBlock(BlockSource& source, std::int32_t length, std::int32_t* stoppedAt) {
    std::int32_t offset = BlockHeaderSize;
    int result = 0;
    // A full block reads thousands of records: only a text seen before in
    // this store is searched for among its items. The filter is sized by
    // what the store holds and grows with what is read, never by the
    // configured maximum.
    DigestFilter seen(static_cast<std::size_t>(count()));
    for (const auto& held : items_) seen.insert(held->digest());
    if (length < BlockHeaderSize) {
        offset = 0;
        result = -1;
    }
    while (result == 0 && offset < length) {
        const std::int32_t left = length - offset;
        unsigned char header[ClipItem::RecordHeaderSize];
        if (left < BlockHeaderSize || !source.read(offset, header, BlockHeaderSize)) {
            result = -1;
            break;
        }
        const std::int32_t recordLength = readInt32LE(header);
        if (recordLength < ClipItem::RecordHeaderSize || recordLength > left ||
            !source.read(offset + BlockHeaderSize, header + BlockHeaderSize,
                         ClipItem::RecordHeaderSize - BlockHeaderSize)) {
            result = -1;
            break;
        }
        const std::int32_t textAt = offset + ClipItem::RecordHeaderSize;
        std::unique_ptr<ClipItem> item = ItemKinds::emptyForRecord(readUint16LE(header + FormatAt));
        result = item->deserialize(header, recordLength, [&source, textAt](unsigned char* to, std::int32_t n) {
            return source.read(textAt, to, n);
        });
        if (result != 0) break;
        const bool maybeHeld = seen.mayHold(item->digest());
        seen.insert(item->digest());
        // A refusal (favorites duplicate or full) has been shown by add.
        const int added = maybeHeld ? add(std::move(item), 0) : place(std::move(item), 0, false);
        // An image too large to keep is passed over like a duplicate.
        if (added != 0 && added != TooLarge) break;
        offset += recordLength;
    }
    if (stoppedAt != nullptr) *stoppedAt = offset;
    return result;
}
