// Modal dialogs built from templates: the template's controls are child windows of the dialog,
// the dialog procedure hears their notifications, keys move the focus, Return and Escape press
// OK and Cancel. A full-screen dialog covers the area between the two bars and shows the Done
// button in the top bar.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/window.h"

namespace plat {

// Dialog units: the 8-point "System" font's average character is 6 x 13 pixels on the
// handheld; a horizontal unit is a quarter of its width, a vertical unit an eighth of its height.
// These two numbers are the one place where dialog units become pixels.
constexpr int kDialogBaseX = 6;
constexpr int kDialogBaseY = 13;
constexpr int DialogUnitsX(int units) { return units * kDialogBaseX / 4; }
constexpr int DialogUnitsY(int units) { return units * kDialogBaseY / 8; }
constexpr Rect DialogUnitsToPixels(const Rect& r)
{
    return Rect::fromEdges(DialogUnitsX(r.x), DialogUnitsY(r.y), DialogUnitsX(r.right()), DialogUnitsY(r.bottom()));
}

// The identifiers of a dialog's OK (also the Done button) and Cancel.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kNoId = -1; // a static control nobody addresses

// A static control's style beside the TextFlags: a text too wide shows its end after "...".
constexpr unsigned kStaticShowEnd = 1u << 8;

enum class ControlKind : std::uint8_t {
    Static,        // text; style: TextFlags (alignment, wrap)
    Button,        // a push button; sends kNotifyClicked
    DefaultButton, // the push button that Return presses
    List,          // a scrolling list of rows; sends kNotifySelect, kNotifyTap, kNotifyActivate
    Edit,          // a single-line text field; sends kNotifyChange
    Radio,         // a radio button; sends kNotifyClicked, the dialog sets its check
    GroupBox,      // a titled frame around other controls
    Image,         // a picture named by resource number in the text: "#340"
    ColorBox,      // a swatch of one colour; sends kNotifyClicked and kNotifySetFocus
    DropDown,      // a drop-down list; sends kNotifySelect, then kNotifyCloseUp when its list closes;
                   // the template's height is the height with the list open
    ListView,      // a report-style list with columns, owner-supplied cells and pictures; sends
                   // kNotifyTap, kNotifyActivate, kNotifyHold, kNotifySelect
};

// Notification codes: a Command message from a control carries its id, the code in value and
// the control's window in other.
constexpr std::intptr_t kNotifyClicked = 0;
constexpr std::intptr_t kNotifySelect = 1;   // the list's selected row changed by pen or keys
constexpr std::intptr_t kNotifyActivate = 2; // a list row double-tapped or Return on it
constexpr std::intptr_t kNotifyChange = 3;   // the field's text changed by typing
constexpr std::intptr_t kNotifyTap = 4;      // a list row tapped (after kNotifySelect)
constexpr std::intptr_t kNotifyCloseUp = 5;  // a drop-down list's list closed, chosen or not
constexpr std::intptr_t kNotifyHold = 6;     // tap-and-hold on a list view (or Shift+F10)
constexpr std::intptr_t kNotifySetFocus = 7; // the control took the keys

// One control of a template; its rectangle in dialog units within the client area.
struct DialogItem {
    ControlKind kind;
    int id;
    std::string_view text;
    Rect rect;
    unsigned style = 0;
};

struct DialogTemplate {
    std::string_view title;
    Size size;       // dialog units; a full-screen dialog ignores it
    bool fullScreen; // the area between the bars, the Done button in the top bar
    std::span<const DialogItem> items;
    int resource = 0; // the dialog's resource number, for scripts; 0 for the system's own
};

class Control;
class Dialog;

// The dialog procedure: hears InitDialog once the controls exist, Command from controls, the
// Done button (kIdOk), Return (the default button's id, else kIdOk) and Escape (kIdCancel), and
// Close. Answers true when it handled the message; unhandled kIdOk and kIdCancel end the dialog
// with that id, an unhandled Close as kIdCancel.
using DialogProc = std::function<bool(Dialog& dialog, const Message& message)>;

class Dialog {
public:
    Window* window() const { return window_; }
    const DialogTemplate& layout() const { return *template_; }
    // The control with that id; null when there is none.
    Control* control(int id) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // Gives the keys to a control (null: none); the old and new one are redrawn.
    void focus(Control* control);
    Control* focused() const;
    // Moves the focus to the next (or previous) enabled control that takes it, in template order.
    void focusNext(bool backwards);
    // The text of a control; empty when there is none.
    std::string text(int id) const;
    void setText(int id, std::string_view text);
    // Ends the modal loop; RunModalDialog answers the result.
    void end(std::intptr_t result);
    bool ended() const { return ended_; }
    // Adds a control made at run time (rectangle in client pixels), behind the template's
    // controls and first in the focus order. Null when its window could not be made.
    Control* addControl(const DialogItem& item, const Rect& pixels);
    // Draws on the dialog's white ground at every repaint, under the controls.
    void setPainter(std::function<void(DrawContext& dc)> painter) { painter_ = std::move(painter); }

private:
    friend std::intptr_t RunModalDialog(const DialogTemplate&, Window*, DialogProc);
    friend std::intptr_t DialogWindowProc(Window&, const Message&);
    bool makeControlWindow(Control& control, const DialogItem& item, const Rect& pixels);
    const DialogTemplate* template_ = nullptr;
    DialogProc proc_;
    Window* window_ = nullptr;
    std::vector<std::unique_ptr<Control>> controls_;
    std::function<void(DrawContext&)> painter_;
    bool ended_ = false;
    std::intptr_t result_ = 0;
};

// Creates the dialog and its controls, sends InitDialog, runs a nested loop until the dialog
// ends and destroys it. The owner is blocked meanwhile (only the dialog and windows above it
// take the pen). Answers the result, or -1 when the window could not be created.
std::intptr_t RunModalDialog(const DialogTemplate& layout, Window* owner, DialogProc proc);

// What the innermost open dialog shows, for scripts that read or tap it.
struct ControlView {
    int id = kNoId;
    ControlKind kind = ControlKind::Static;
    std::string text;
    bool enabled = true;
    bool focused = false;
    Rect rect{};                        // screen pixels
    std::vector<std::string> rows;      // a list's rows
    std::vector<Rect> rowRects;         // screen pixels of each row; empty when scrolled away
    int selected = -1;                  // a list's selected row
    bool visible = true;
    bool checked = false;               // a radio button
    Color color = 0;                    // a colour box
    bool open = false;                  // a drop-down list showing its list
    int focusedRow = -1;                // a list view's focus mark
    int topRow = 0;                     // a list view's first row shown
    std::vector<std::vector<std::string>> cells; // a list view's rows, cell by cell
};
struct DialogView {
    std::string title;
    int resource = 0;
    std::vector<ControlView> controls;
};
std::optional<DialogView> OpenDialogView();

} // namespace plat
