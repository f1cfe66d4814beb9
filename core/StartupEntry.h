// Platform interface: the entry that starts the program when the user logs
// on (on Windows a value of the current user's Run key).
#pragma once

class StartupEntry {
public:
    virtual ~StartupEntry() = default;
    // Adds the entry (enable non-zero) or removes it. 0 when the entry is
    // now as asked (removing a missing entry succeeds), -1 when it could
    // not be changed.
    virtual int set(int enable) = 0;
};
