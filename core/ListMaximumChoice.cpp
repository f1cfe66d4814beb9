#include "core/ListMaximumChoice.h"

namespace {
bool inList(int position) { return position >= 0 && position < ListMaximumChoice::Count; }
}  // namespace

int ListMaximumChoice::positionOf(int maximum) {
    if (maximum % 10 != 0) return -1;
    const int position = maximum / 10 - 1;
    return inList(position) ? position : -1;
}

int ListMaximumChoice::maximumAt(int position, int current) {
    return inList(position) ? 10 * (position + 1) : current;
}

std::string ListMaximumChoice::label(int position) {
    return inList(position) ? std::to_string(10 * (position + 1)) : std::string();
}
