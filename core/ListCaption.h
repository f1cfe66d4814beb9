// The caption above a list: "活动列表：[n/m]" for the active list and
// "收藏夹：[n/m]" for the favorites, with the store's count and capacity.
#pragma once

#include <string>

class ItemStore;

std::string listCaption(const ItemStore& store);
