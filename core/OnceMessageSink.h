// Passes a message on only if none has been passed on since it was last
// re-armed, so a failure that repeats is told once; the messages held back
// are answered with OK.
#pragma once

#include "core/MessageSink.h"

class OnceMessageSink : public MessageSink {
public:
    explicit OnceMessageSink(MessageSink& next) : next_(next) {}

    int show(const std::string& text, unsigned style) override;
    // The next message is passed on again.
    void rearm() { told_ = false; }
    bool hasTold() const { return told_; }

private:
    MessageSink& next_;
    bool told_ = false;
};
