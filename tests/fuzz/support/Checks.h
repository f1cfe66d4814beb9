// What every clip item and every store must satisfy, whatever bytes they
// were read from.
#pragma once

#include <cstdint>
#include <vector>

class ClipItem;
class ItemStore;

// Character count, text pointer, summary, empty keyword and clone.
void checkItem(const ClipItem& item);
// Within its capacity, no two items with one digest, every item sound.
void checkStore(const ItemStore& store);
// The store's block as serialize writes it (checked to be whole).
std::vector<unsigned char> blockOf(const ItemStore& store);
// The number of records that frame a block of length bytes, walking the
// record lengths from offset 4 until one does not fit.
int recordCount(const unsigned char* block, std::int32_t length);
