// Test doubles for the platform interfaces of the core.
#pragma once

#include <string>
#include <vector>

#include "core/Clipboard.h"
#include "core/MessageSink.h"

// Records every message shown and answers with a fixed button.
class RecordingMessages : public MessageSink {
public:
    struct Shown {
        std::string text;
        unsigned style;
    };

    int show(const std::string& text, unsigned style) override {
        shown.push_back({text, style});
        return answer;
    }

    std::vector<Shown> shown;
    int answer = msgbox::IdOk;
};

// Keeps the last text put on it.
class FakeClipboard : public Clipboard {
public:
    int putUnicodeText(const unsigned char* bytes, std::size_t byteLength) override {
        if (refuse) return -1;
        content.assign(bytes, bytes + byteLength);
        format = 13;
        ++puts;
        return 0;
    }
    int putFormat(std::uint16_t f, const unsigned char* bytes, std::size_t byteLength) override {
        if (refuse) return -1;
        content.assign(bytes, bytes + byteLength);
        format = f;
        ++puts;
        return 0;
    }

    std::vector<unsigned char> content;
    std::uint16_t format = 0;
    int puts = 0;
    bool refuse = false;
};
