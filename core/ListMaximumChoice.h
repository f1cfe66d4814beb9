// The choices of the two drop-down lists of list maxima in the settings
// dialog: "10", "20", ..., "100", where position p stands for 10 * (p + 1).
// A maximum the lists do not offer (written by hand into the configuration)
// selects nothing and stays as it is unless the user picks another one.
#pragma once

#include <string>

class ListMaximumChoice {
public:
    static constexpr int Count = 10;

    // The position of maximum in the list, or -1 when the list lacks it.
    static int positionOf(int maximum);
    // The maximum chosen at position; current when nothing is selected
    // (a position outside the list).
    static int maximumAt(int position, int current);
    // The text of the choice at position ("" outside the list).
    static std::string label(int position);
};
