// The vertical scroll bar that lists draw inside their own client area: two arrows, the track and
// a thumb sized by the share of rows shown; the pen on it scrolls by a row, a page or the thumb.
#pragma once

#include "platform/geometry.h"
#include "platform/raster.h"
#include "platform/window.h"

namespace plat {

constexpr int kScrollBarWidth = 11;

struct ScrollBar {
    Rect area;       // the bar's column in client pixels
    int count = 0;   // rows in all
    int visible = 1; // rows shown at once
    int top = 0;     // first row shown

    Rect up() const;
    Rect down() const;
    Rect track() const;
    Rect thumb() const;
    // The last top row that still fills the view.
    int lastTop() const;
};

// Follows the pen between its press on the thumb and its release.
struct ScrollDrag {
    bool active = false;
    int offset = 0; // pen y minus the thumb's top when pressed
};

void DrawScrollBar(DrawContext& dc, const ScrollBar& bar);
// A pen message on the bar (or a move while the thumb is held): answers the new top row.
int ScrollBarPen(const ScrollBar& bar, const Message& message, ScrollDrag& drag);

} // namespace plat
