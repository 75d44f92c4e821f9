// The controls of dialogs, one small class per kind: static text, push button, scrolling list,
// single-line edit field, radio button, group box, picture and colour box (the drop-down list and
// the report-style list view have headers of their own). Each lives in a child window of its
// dialog and draws itself there.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/raster.h"
#include "platform/scroll_bar.h"

namespace plat {

class Control {
public:
    virtual ~Control() = default;
    ControlKind kind() const { return kind_; }
    int id() const { return id_; }
    Window* window() const { return window_; }
    Dialog& dialog() const { return *dialog_; }
    const std::string& text() const { return text_; }
    virtual void setText(std::string_view text);
    bool enabled() const { return enabled_; }
    void enable(bool enabled);
    bool hasFocus() const;
    // Whether Tab and a pen tap give it the keys.
    virtual bool takesFocus() const { return false; }
    // Whether the pen passes through it to the dialog (labels, frames, pictures).
    virtual bool passesPen() const { return false; }
    // Where its window goes, from the template's rectangle in pixels (a drop-down list keeps the
    // rest for its list).
    virtual Rect placement(const Rect& templateRect) { return templateRect; }
    // Shows or hides it; a hidden control takes neither the pen nor the keys.
    void show(bool shown);
    bool visible() const;
    // Draws the whole control into its client area.
    virtual void paint(DrawContext& dc, const Rect& client) = 0;
    // Pen messages in client pixels while the control holds the pen.
    virtual void pen(const Message&) {}
    // A key press; false leaves it to the dialog (Tab, Return, Escape and others).
    virtual bool key(int, int) { return false; }
    virtual void character(char32_t) {}
    // The wheel turned over it; false leaves it to the dialog.
    virtual bool wheel(int) { return false; }
    // It took the keys (true) or lost them.
    virtual void focusChanged(bool) {}
    // What it shows, for scripts (OpenDialogView): rows, checks, colours.
    virtual void describe(ControlView&) const {}
    // Redraws it soon.
    void invalidate() const;
    // Sends its dialog a Command with this control's id and the code.
    void notify(std::intptr_t code);

protected:
    Control(ControlKind kind, int id, std::string_view text) : kind_(kind), id_(id), text_(text) {}

private:
    friend class Dialog;
    friend std::intptr_t RunModalDialog(const DialogTemplate&, Window*, DialogProc);
    friend std::unique_ptr<Control> CreateControl(Dialog&, const DialogItem&);
    ControlKind kind_;
    int id_;
    std::string text_;
    bool enabled_ = true;
    Window* window_ = nullptr;
    Dialog* dialog_ = nullptr;
    unsigned style_ = 0;

protected:
    unsigned style() const { return style_; }
};

class StaticControl : public Control {
public:
    StaticControl(int id, std::string_view text) : Control(ControlKind::Static, id, text) {}
    bool passesPen() const override { return true; }
    void paint(DrawContext& dc, const Rect& client) override;
};

class ButtonControl : public Control {
public:
    ButtonControl(ControlKind kind, int id, std::string_view text) : Control(kind, id, text) {}
    bool takesFocus() const override { return true; }
    void paint(DrawContext& dc, const Rect& client) override;
    void pen(const Message& message) override;
    bool key(int key, int mods) override;

private:
    bool pressed_ = false;
    bool pressedShown_ = false;
};

// One row of a list: its text and a small picture before it.
enum class RowIcon : std::uint8_t { None, Folder, File };
struct ListRow {
    std::string text;
    RowIcon icon = RowIcon::None;
};

class ListControl : public Control {
public:
    ListControl(int id, std::string_view text) : Control(ControlKind::List, id, text) {}
    bool takesFocus() const override { return true; }
    // Replaces the rows; no row is selected and the list shows its top.
    void setRows(std::vector<ListRow> rows);
    const std::vector<ListRow>& rows() const { return rows_; }
    int selected() const { return selected_; }
    // Selects a row (-1: none) and scrolls it into view; sends nothing.
    void select(int row);
    int topRow() const { return top_; }
    // The rows that fit, and where row i lies in client pixels (empty when scrolled away).
    int visibleRows() const;
    Rect rowRect(int row) const;
    void paint(DrawContext& dc, const Rect& client) override;
    void pen(const Message& message) override;
    bool key(int key, int mods) override;
    bool wheel(int steps) override;
    void describe(ControlView& view) const override;

private:
    void scrollTo(int top);
    ScrollBar scrollBar() const;
    void choose(int row, bool activate);
    std::vector<ListRow> rows_;
    bool freshRows_ = false; // replaced since the last tap: a second tap is no double tap
    int selected_ = -1;
    int top_ = 0;
    ScrollDrag drag_;
};

class EditControl : public Control {
public:
    EditControl(int id, std::string_view text) : Control(ControlKind::Edit, id, text) {}
    bool takesFocus() const override { return true; }
    // Replaces the text and puts the caret at its end.
    void setText(std::string_view text) override;
    std::size_t caret() const { return caret_; }
    void paint(DrawContext& dc, const Rect& client) override;
    void pen(const Message& message) override;
    bool key(int key, int mods) override;
    void character(char32_t c) override;

private:
    void moveCaret(std::size_t at);
    void edit(std::string text, std::size_t caret);
    std::size_t caret_ = 0;
    int scroll_ = 0; // pixels of text hidden at the left
};

// A radio button: a round mark and its text. The dialog sets the check when it hears the click.
class RadioControl : public Control {
public:
    RadioControl(int id, std::string_view text) : Control(ControlKind::Radio, id, text) {}
    bool takesFocus() const override { return true; }
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    void paint(DrawContext& dc, const Rect& client) override;
    void pen(const Message& message) override;
    bool key(int key, int mods) override;
    void describe(ControlView& view) const override;

private:
    bool checked_ = false;
    bool pressed_ = false;
};

// A frame with a title that groups the controls inside it; drawn behind them.
class GroupBoxControl : public Control {
public:
    GroupBoxControl(int id, std::string_view text) : Control(ControlKind::GroupBox, id, text) {}
    bool passesPen() const override { return true; }
    void paint(DrawContext& dc, const Rect& client) override;
};

// Loads the picture an image control names by resource number ("#340"). The program installs
// it, since the pictures are its own; without it (or for an unknown number) nothing shows.
using ImageLoader = std::unique_ptr<Bitmap> (*)(int resource);
void SetImageLoader(ImageLoader loader);

// A picture at the control's top-left corner, cut to its rectangle, on white.
class ImageControl : public Control {
public:
    ImageControl(int id, std::string_view text);
    bool passesPen() const override { return true; }
    const Bitmap* image() const { return image_.get(); }
    void paint(DrawContext& dc, const Rect& client) override;

private:
    std::unique_ptr<Bitmap> image_;
};

// A small framed swatch of one colour. A tap sends kNotifyClicked, taking the keys sends
// kNotifySetFocus.
class ColorBoxControl : public Control {
public:
    ColorBoxControl(int id) : Control(ControlKind::ColorBox, id, "") {}
    bool takesFocus() const override { return true; }
    // The colour as stored (0x00BBGGRR; a stray top byte is kept but not drawn).
    Color color() const { return color_; }
    void setColor(Color color);
    void paint(DrawContext& dc, const Rect& client) override;
    void pen(const Message& message) override;
    void focusChanged(bool gained) override;
    void describe(ControlView& view) const override;

private:
    Color color_ = kWhite;
};

// A rectangle of every other pixel just inside r: the focus mark.
void DrawFocusMark(DrawContext& dc, const Rect& r);

// Makes the control a template line describes (its window is made by the dialog).
std::unique_ptr<Control> CreateControl(Dialog& dialog, const DialogItem& item);

} // namespace plat
