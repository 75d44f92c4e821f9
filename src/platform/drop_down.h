// The drop-down list (combo box): a box that shows the chosen entry beside an arrow. A tap, or
// Space, F4, Up or Down, opens its list below it (above when the screen has no room); the list
// closes when an entry is chosen by pen or Return, or on a tap outside, Escape or Tab.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

namespace plat {

struct DropList;

class DropDownControl : public Control {
public:
    explicit DropDownControl(int id) : Control(ControlKind::DropDown, id, "") {}
    bool takesFocus() const override { return true; }
    // The box is one line high; the template's height is the box and its open list.
    Rect placement(const Rect& templateRect) override;
    // Replaces the entries; none is chosen.
    void setItems(std::vector<std::string> items);
    const std::vector<std::string>& items() const { return items_; }
    int selected() const { return selected_; }
    // Chooses an entry (-1: none) without notifying; the box shows its text.
    void select(int index);
    bool dropped() const { return list_ != nullptr; }
    // Opens the list and follows pen and keys until it closes; then sends kNotifySelect when
    // another entry was chosen, and kNotifyCloseUp in any case.
    void drop();
    void paint(DrawContext& dc, const Rect& client) override;
    void pen(const Message& message) override;
    bool key(int key, int mods) override;
    void describe(ControlView& view) const override;

private:
    std::vector<std::string> items_;
    int selected_ = -1;
    int openHeight_ = 0;
    DropList* list_ = nullptr; // while the list is open
};

// The height of a drop-down list's box.
int DropDownBoxHeight();

} // namespace plat
