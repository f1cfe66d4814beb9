#include "core/OnceMessageSink.h"

int OnceMessageSink::show(const std::string& text, unsigned style) {
    if (told_) return msgbox::IdOk;
    // Marked first: the box may run a loop that brings the next failure.
    told_ = true;
    return next_.show(text, style);
}
