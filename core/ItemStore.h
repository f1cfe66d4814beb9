// An ordered, bounded list of clip items with de-duplication by digest.
// Position 0 is the top. The program has two: the active list
// (isFavorites 0) and the favorites (isFavorites 1).
#pragma once

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "core/ClipItem.h"

class BlockSource;
class MessageSink;
class StoreCapacity;
class StoreChangeListener;
class StoreObserver;

class ItemStore {
public:
    static constexpr int SearchTextMax = 16;
    using ItemList = std::list<std::unique_ptr<ClipItem>>;
    using Digest = std::array<unsigned char, ClipItem::DigestSize>;

    // The capacity is asked of maxima at every use; the sink shows the
    // store's messages.
    ItemStore(int isFavorites, const StoreCapacity& maxima, MessageSink& messages);
    virtual ~ItemStore();
    ItemStore(const ItemStore&) = delete;
    ItemStore& operator=(const ItemStore&) = delete;

    // 0 added, 1 refused as duplicate (favorites), -1 refused as full
    // (favorites), -2 refused as an image too large to keep (no message).
    // A refused item is destroyed. A new image beyond the active list's
    // image budget drops its oldest images (ImageBudget).
    int add(std::unique_ptr<ClipItem> item, int atFront);
    void remove(const ClipItem* item);
    void clear();
    // Destroys the last n items (n is clamped to 0..count).
    void removeFromBack(int n);
    void moveUp(const ClipItem* item);
    void moveDown(const ClipItem* item);
    void moveToTop(const ClipItem* item);
    void moveToBottom(const ClipItem* item);

    ClipItem* findByDigest(const unsigned char* digest) const;
    ClipItem* itemAt(int position) const;
    int count() const { return static_cast<int>(items_.size()); }
    // The favorites' or the active list's maximum, never below 1.
    int capacity() const;
    int isFavorites() const { return isFavorites_; }
    // The item references in order; the items stay owned by the store.
    std::vector<ClipItem*> snapshot() const;

    void setObserver(StoreObserver* observer) { observer_ = observer; }
    StoreObserver* observer() const { return observer_; }
    // Everyone who changes the store calls this when done: the observer
    // redraws, then the change listener hears of it.
    void notifyObserver();
    // Told after the observer at every notifyObserver (none by default).
    void setChangeListener(StoreChangeListener* listener) { changeListener_ = listener; }

    // "[count/capacity]"
    std::string countLabel() const;
    // The keyword of the list's search, as typed. Refuses a keyword over 16
    // bytes of narrow text (as NarrowMeasure counts them) with
    // "搜索文本超长！"; returns 0 or -1.
    int setSearchText(const std::u16string& text);
    // The same for a narrow keyword.
    int setSearchText(const char* text);
    const std::u16string& searchText() const { return searchText_; }

    // The store block of the data files: 4 + the sum of the record lengths,
    // summed in 64 bits (it may exceed what a block length field holds).
    std::int64_t serializedSize() const;
    // Writes the block at buffer (when not null); returns its length, or -1
    // for a block longer than INT32_MAX (nothing written) or a failed item.
    std::int32_t serialize(unsigned char* buffer) const;
    // Appends the records of a block (bytes [0, length), the block length
    // field included) through add with atFront 0, stopping at the first add
    // that refuses. Returns 0 when the block was read to its end or a
    // refusal stopped it, -1 when a damaged record stopped it; *stoppedAt
    // (when given) receives the offset where reading ended.
    int parseBlock(const unsigned char* bytes, std::int32_t length,
                   std::int32_t* stoppedAt = nullptr);
    // The same for a block of length bytes read from source, which also
    // returns -1 when the source cannot give a record's bytes, and -2 when
    // no memory can be had for a record's text.
    int parseBlock(BlockSource& source, std::int32_t length, std::int32_t* stoppedAt = nullptr);

    // An empty store of the same kind, maxima and messages. A list that is
    // to be replaced stays whole while its replacement is read into one of
    // these, so every save meanwhile writes it as it was.
    std::unique_ptr<ItemStore> emptyCopy() const;
    // The digests of the items, in order.
    std::vector<Digest> digests() const;
    // Holds the items of replacement (left empty) in place of those whose
    // digests were taken before the replacement was read. Items that came
    // in since (a drop, a capture) stay: they are added again as the list
    // adds new items (the active list on top, the favorites below).
    void replace(const std::vector<Digest>& before, ItemStore& replacement);

private:
    using Items = ItemList;
    Items::iterator find(const ClipItem* item);
    // The second half of add, once the item is known to be new (replaced
    // false) or its copy has been taken out (replaced true).
    int place(std::unique_ptr<ClipItem> item, int atFront, bool replaced);

    std::u16string searchText_;
    Items items_;
    StoreObserver* observer_ = nullptr;
    StoreChangeListener* changeListener_ = nullptr;
    int isFavorites_;
    const StoreCapacity& maxima_;
    MessageSink& messages_;
};
