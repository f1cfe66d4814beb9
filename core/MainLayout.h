// Where the children of the main window go, computed from the size of its
// client area and the height of the toolbar's buttons. The favorites take
// about the upper third below the toolbar, the active list the middle third
// and the preview the lower third; captions and search boxes have fixed
// sizes. All divisions truncate.
#pragma once

#include <array>

#include "core/Rect.h"

class MainLayout {
public:
    // clientWidth W and clientHeight CH of the client area, buttonHeight H
    // of the toolbar's first button.
    MainLayout(int clientWidth, int clientHeight, int buttonHeight);

    const Rect& favoritesCaption() const { return favoritesCaption_; }
    const Rect& favoritesSearch() const { return favoritesSearch_; }
    const Rect& favoritesView() const { return favoritesView_; }
    const Rect& activeCaption() const { return activeCaption_; }
    const Rect& activeSearch() const { return activeSearch_; }
    const Rect& activeView() const { return activeView_; }
    const Rect& previewLabel() const { return previewLabel_; }
    const Rect& previewPane() const { return previewPane_; }
    const Rect& webLogLink() const { return webLogLink_; }

    // Widths of the visible columns of a list view viewWidth pixels wide:
    // nine tenths of the view together.
    static std::array<int, 3> activeColumnWidths(int viewWidth);
    static std::array<int, 4> favoritesColumnWidths(int viewWidth);

private:
    Rect favoritesCaption_;
    Rect favoritesSearch_;
    Rect favoritesView_;
    Rect activeCaption_;
    Rect activeSearch_;
    Rect activeView_;
    Rect previewLabel_;
    Rect previewPane_;
    Rect webLogLink_;
};
