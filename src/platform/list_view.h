// The report-style list view: a header of column titles over rows whose cells the owner supplies
// as they are drawn (a text and a picture of the list's image list), a selection mark and a focus
// mark. The pen taps, double-taps, holds (tap-and-hold) and drags the rows to scroll them; a
// scroll bar at the right; the keys move both marks.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/text.h"

namespace plat {

struct ListColumn {
    std::string title;
    int width = 0;              // pixels
    unsigned align = kTextLeft; // kTextLeft, kTextCenter or kTextRight
};

struct ListCell {
    std::string text;
    int image = -1; // a picture of the image list before the text; -1: none
};
using CellSource = std::function<ListCell(int row, int column)>;

// What lies under a point: the row (-1: the header or empty space) and the column (-1: none).
struct ListHit {
    int row = -1;
    int column = -1;
    friend bool operator==(const ListHit&, const ListHit&) = default;
};

class ListViewControl : public Control {
public:
    static constexpr int kHeaderHeight = 25;

    explicit ListViewControl(int id) : Control(ControlKind::ListView, id, "") {}
    bool takesFocus() const override { return true; }
    void setColumns(std::vector<ListColumn> columns);
    // The pictures cells name by index; rows are as tall as the tallest picture (and a text line).
    void setImages(std::vector<std::unique_ptr<Bitmap>> images);
    void setCellSource(CellSource source);
    // The number of rows; no mark is set and the list shows its top.
    void setRowCount(int count);
    int rowCount() const { return count_; }
    int selected() const { return selected_; }
    int focusedRow() const { return focused_; }
    // Move the marks (-1: none) without notifying.
    void setSelected(int row);
    void setFocusedRow(int row);
    // Scrolls the least that shows the row whole.
    void ensureVisible(int row);
    int topRow() const { return top_; }
    // Rows shown whole.
    int visibleRows() const;
    int rowHeight() const;
    ListHit hitTest(Point client) const;
    // Where a row lies in client pixels; empty when scrolled away.
    Rect rowRect(int row) const;
    void redrawRow(int row);
    // The pen point (client pixels) of the last kNotifyTap, kNotifyActivate or kNotifyHold.
    Point penPoint() const { return penPoint_; }

    void paint(DrawContext& dc, const Rect& client) override;
    // Down marks the row (empty space unmarks it) and, as the second tap of a double tap on this
    // list, sends kNotifyActivate; hold sends kNotifyHold; a drag scrolls; up after a plain tap
    // sends kNotifyTap.
    void pen(const Message& message) override;
    // Up, Down, Page Up, Page Down, Home, End move both marks (kNotifySelect); Shift+F10 holds
    // the focused row (kNotifyHold).
    bool key(int key, int mods) override;
    bool wheel(int steps) override;
    void describe(ControlView& view) const override;

private:
    struct Stroke {
        Point downAt{};
        int downTop = 0;
        bool onBar = false;
        bool dragging = false;
        bool held = false;
        bool activated = false;
    };
    ScrollBar scrollBar() const;
    bool hasScrollBar() const { return count_ > visibleRows(); }
    void scrollTo(int top);
    void press(const Message& message);
    void dragTo(Point p);
    void paintHeader(DrawContext& dc, const Rect& client) const;
    void paintRow(DrawContext& dc, int row) const;
    std::vector<ListColumn> columns_;
    std::vector<std::unique_ptr<Bitmap>> images_;
    CellSource cells_;
    int count_ = 0;
    int selected_ = -1;
    int focused_ = -1;
    int top_ = 0;
    Point penPoint_{};
    Stroke stroke_;
    ScrollDrag drag_;
    bool tappedHere_ = false; // the last tap was a tap on this list: the next may be a double tap
};

} // namespace plat
