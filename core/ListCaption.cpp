#include "core/ListCaption.h"

#include "core/ItemStore.h"

std::string listCaption(const ItemStore& store) {
    const char* name = store.isFavorites() ? "收藏夹：" : "活动列表：";
    return std::string(name) + store.countLabel();
}
