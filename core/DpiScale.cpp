#include "core/DpiScale.h"

int DpiScale::px(int pixelsAt96) const {
    const long long scaled = static_cast<long long>(pixelsAt96) * dpi_;
    const long long half = Standard / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / Standard
                                        : -((-scaled + half) / Standard));
}

int DpiScale::toolbarImageSize() const {
    const int drawn[] = {32, 24, 20, 16};
    const int wanted = px(16);
    for (int size : drawn) {
        if (size <= wanted) return size;
    }
    return 16;
}
