#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

void fuzzCheck(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %s\n", property);
    std::fflush(stderr);
    std::abort();
}
