// The controls of dialogs, one small class per kind: static text, push button, scrolling list
// and single-line edit field. Each lives in a child window of its dialog and draws itself there.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/raster.h"

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
    // Draws the whole control into its client area.
    virtual void paint(DrawContext& dc, const Rect& client) = 0;
    // Pen messages in client pixels while the control holds the pen.
    virtual void pen(const Message&) {}
    // A key press; false leaves it to the dialog (Tab, Return, Escape and others).
    virtual bool key(int, int) { return false; }
    virtual void character(char32_t) {}
    // The wheel turned over it; false leaves it to the dialog.
    virtual bool wheel(int) { return false; }
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

private:
    void scrollTo(int top);
    void penOnScrollBar(const Message& message);
    void choose(int row, bool activate);
    std::vector<ListRow> rows_;
    bool freshRows_ = false; // replaced since the last tap: a second tap is no double tap
    int selected_ = -1;
    int top_ = 0;
    bool draggingThumb_ = false;
    int dragOffset_ = 0;
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

// Makes the control a template line describes (its window is made by the dialog).
std::unique_ptr<Control> CreateControl(Dialog& dialog, const DialogItem& item);

} // namespace plat
