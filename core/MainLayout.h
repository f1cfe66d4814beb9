// Where the children of the main window go, computed from the size of its
// client area, the height of the toolbar's buttons, the monitor's DPI and
// the height of a line of the window's font. The favorites take about the
// upper third below the toolbar, the active list the middle third and the
// preview the lower third; captions and search boxes keep their sizes.
// Every distance is written for 96 DPI and scaled; a caption, label or link
// is at least one line of its font high. All divisions truncate.
#pragma once

#include <array>

#include "core/DpiScale.h"
#include "core/Rect.h"

class MainLayout {
public:
    // clientWidth W and clientHeight CH of the client area, buttonHeight H
    // of the toolbar's first button, lineHeight of the font the texts are
    // drawn in (0: not known, the scaled text height alone counts).
    MainLayout(int clientWidth, int clientHeight, int buttonHeight,
               DpiScale scale = DpiScale(DpiScale::Standard), int lineHeight = 0);

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
