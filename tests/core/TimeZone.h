// Runs a test in a time zone other than UTC: 5 h 45 min east of it, without
// daylight saving time, so that local time and UTC differ by a part of an
// hour and code that mixes them up shows. The previous zone comes back at
// the end of the scope.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

class ScopedTimeZone {
public:
    // POSIX and Microsoft's C runtime both read this form of TZ.
    static constexpr const char* Zone = "NPT-5:45";

    ScopedTimeZone() {
        const char* old = std::getenv("TZ");
        hadZone_ = old != nullptr;
        if (hadZone_) oldZone_ = old;
        set(Zone);
    }
    ~ScopedTimeZone() {
        if (hadZone_) {
            set(oldZone_.c_str());
        } else {
            unset();
        }
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
#ifdef _WIN32
    static void set(const char* zone) {
        _putenv(("TZ=" + std::string(zone)).c_str());
        _tzset();
    }
    static void unset() {
        _putenv("TZ=");
        _tzset();
    }
#else
    static void set(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    static void unset() {
        unsetenv("TZ");
        tzset();
    }
#endif

    bool hadZone_ = false;
    std::string oldZone_;
};
