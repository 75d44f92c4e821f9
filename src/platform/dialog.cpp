// The modal dialog runner: the dialog window, its controls' windows, the focus and the keys that
// move it, and the defaults for OK, Cancel and Close.
#include "platform/dialog.h"

#include <algorithm>

#include "platform/controls.h"
#include "platform/look.h"

namespace plat {

namespace {

std::vector<Dialog*> OpenDialogs; // innermost last

Control* ControlOf(const Window& window)
{
    return static_cast<Control*>(window.userData);
}

Rect DialogRect(const DialogTemplate& layout)
{
    if (layout.fullScreen)
        return kWorkArea;
    int width = std::min(DialogUnitsX(layout.size.width), kWorkArea.width);
    int height = std::min(DialogUnitsY(layout.size.height), kWorkArea.height);
    return {(kScreenWidth - width) / 2, kWorkArea.y + (kWorkArea.height - height) / 2, width, height};
}

// Keys a control leaves alone and the wheel over it go on to its dialog.
void ForwardToDialog(Control& control, const Message& message)
{
    Message forwarded = message;
    forwarded.window = control.dialog().window();
    SendMessage(forwarded);
}

// The pen on a label, frame or picture is the dialog's, at the same place in its client area.
void PassPenToDialog(Control& control, const Message& message)
{
    Message forwarded = message;
    forwarded.window = control.dialog().window();
    forwarded.pt = {message.pt.x + control.window()->rect.x, message.pt.y + control.window()->rect.y};
    SendMessage(forwarded);
}

std::intptr_t ControlWindowProc(Window& window, const Message& message)
{
    Control* control = ControlOf(window);
    if (!control)
        return DefaultWindowProc(window, message);
    switch (message.msg) {
    case Msg::Paint: {
        PaintContext paint = BeginPaint(&window);
        control->paint(paint.dc, ClientRect(&window));
        EndPaint(&window, paint);
        return 0;
    }
    case Msg::PenDown:
    case Msg::PenMove:
    case Msg::PenUp:
    case Msg::PenHold:
        if (control->passesPen()) {
            PassPenToDialog(*control, message);
            return 0;
        }
        if (message.msg == Msg::PenDown && control->enabled() && control->takesFocus())
            control->dialog().focus(control);
        // Taking the keys may have changed the dialog (a colour box chosen): the pen still acts.
        if (control->enabled() && IsWindowAlive(&window))
            control->pen(message);
        return 0;
    case Msg::KeyDown:
        if (!control->enabled() || !control->key(message.id, message.mods))
            ForwardToDialog(*control, message);
        return 0;
    case Msg::Char:
        if (control->enabled())
            control->character(static_cast<char32_t>(message.id));
        return 0;
    case Msg::Wheel:
        if (!control->wheel(message.id))
            ForwardToDialog(*control, message);
        return 0;
    case Msg::Focus:
        control->invalidate();
        control->focusChanged(message.id == 1);
        return 0;
    default:
        return DefaultWindowProc(window, message);
    }
}

int DefaultButtonId(const Dialog& dialog)
{
    for (const auto& control : dialog.controls())
        if (control->kind() == ControlKind::DefaultButton && control->enabled())
            return control->id();
    return kIdOk;
}

// A command as if a button sent it: the procedure first, then the defaults of OK and Cancel.
void PressCommand(Dialog& dialog, const DialogProc& proc, int id)
{
    Message command{.window = dialog.window(), .msg = Msg::Command, .id = id, .value = kNotifyClicked};
    if (proc && proc(dialog, command))
        return;
    if (id == kIdOk || id == kIdCancel)
        dialog.end(id);
}

void PaintDialog(Window& window, const Dialog& dialog, const std::function<void(DrawContext&)>& painter)
{
    PaintContext paint = BeginPaint(&window);
    Rect all = ClientRect(&window);
    FillRect(paint.dc, all, Brush{kWhite});
    if (painter)
        painter(paint.dc);
    if (!dialog.layout().fullScreen)
        DrawFrame(paint.dc, all, kBlack);
    EndPaint(&window, paint);
}



} // namespace

std::intptr_t DialogWindowProc(Window& window, const Message& message)
{
    auto* dialog = static_cast<Dialog*>(window.userData);
    if (!dialog)
        return DefaultWindowProc(window, message);
    if (message.msg == Msg::Paint) {
        PaintDialog(window, *dialog, dialog->painter_);
        return 0;
    }
    if (message.msg != Msg::Create && dialog->proc_ && dialog->proc_(*dialog, message))
        return 0;
    switch (message.msg) {
    case Msg::KeyDown:
        if (message.id == Key::Tab && !(message.mods & (kModCtrl | kModAlt)))
            dialog->focusNext((message.mods & kModShift) != 0);
        else if (message.id == Key::Return && message.mods == kModNone)
            PressCommand(*dialog, dialog->proc_, DefaultButtonId(*dialog));
        else if (message.id == Key::Escape && message.mods == kModNone)
            PressCommand(*dialog, dialog->proc_, kIdCancel);
        return 0;
    case Msg::Command:
        if (message.id == kIdOk || message.id == kIdCancel)
            dialog->end(message.id);
        return 0;
    case Msg::Close:
        PressCommand(*dialog, dialog->proc_, kIdCancel);
        return 0;
    default:
        return DefaultWindowProc(window, message);
    }
}

Control* Dialog::control(int id) const
{
    for (const auto& control : controls_)
        if (control->id() == id && id != kNoId)
            return control.get();
    return nullptr;
}

void Dialog::focus(Control* control)
{
    SetFocus(control ? control->window() : window_);
}

Control* Dialog::focused() const
{
    Window* focus = FocusWindow();
    for (const auto& control : controls_)
        if (control->window() == focus)
            return control.get();
    return nullptr;
}

void Dialog::focusNext(bool backwards)
{
    std::vector<Control*> order;
    for (const auto& control : controls_)
        if (control->takesFocus() && control->enabled() && control->visible())
            order.push_back(control.get());
    if (order.empty())
        return;
    auto at = std::find(order.begin(), order.end(), focused());
    int count = static_cast<int>(order.size());
    int index = at == order.end() ? (backwards ? 0 : -1) : static_cast<int>(at - order.begin());
    int next = ((index + (backwards ? -1 : 1)) % count + count) % count;
    focus(order[static_cast<std::size_t>(next)]);
}

std::string Dialog::text(int id) const
{
    Control* c = control(id);
    return c ? c->text() : std::string();
}

void Dialog::setText(int id, std::string_view text)
{
    if (Control* c = control(id))
        c->setText(text);
}

void Dialog::end(std::intptr_t result)
{
    if (ended_)
        return;
    ended_ = true;
    result_ = result;
    EndModal(window_, result);
}

std::intptr_t RunModalDialog(const DialogTemplate& layout, Window* owner, DialogProc proc)
{
    Dialog dialog;
    dialog.template_ = &layout;
    dialog.proc_ = std::move(proc);
    WindowParams params;
    params.title = std::string(layout.title);
    params.rect = DialogRect(layout);
    params.owner = IsWindowAlive(owner) ? owner : nullptr;
    params.doneButton = layout.fullScreen;
    params.proc = DialogWindowProc;
    params.userData = &dialog;
    dialog.window_ = CreateWindow(params);
    if (!dialog.window_)
        return -1;
    for (const DialogItem& item : layout.items) {
        auto control = CreateControl(dialog, item);
        dialog.makeControlWindow(*control, item, DialogUnitsToPixels(item.rect));
        // A frame lies behind what it surrounds, whatever the template's order.
        if (item.kind == ControlKind::GroupBox)
            SendWindowToBack(control->window_);
        dialog.controls_.push_back(std::move(control));
    }
    Window* formerFocus = FocusWindow();
    OpenDialogs.push_back(&dialog);
    dialog.focusNext(false);
    SendMessage({.window = dialog.window_, .msg = Msg::InitDialog});
    if (!dialog.ended_)
        RunModalLoop(dialog.window_);
    std::erase(OpenDialogs, &dialog);
    dialog.window_->userData = nullptr;
    for (const auto& control : dialog.controls_)
        if (IsWindowAlive(control->window_))
            control->window_->userData = nullptr;
    DestroyWindow(dialog.window_);
    if (IsWindowAlive(formerFocus))
        SetFocus(formerFocus);
    return dialog.ended_ ? dialog.result_ : kIdCancel;
}

bool Dialog::makeControlWindow(Control& control, const DialogItem& item, const Rect& pixels)
{
    WindowParams child;
    child.title = std::string(item.text);
    child.parent = window_;
    child.rect = control.placement(pixels);
    child.proc = ControlWindowProc;
    child.userData = &control;
    control.window_ = CreateWindow(child);
    return control.window_ != nullptr;
}

Control* Dialog::addControl(const DialogItem& item, const Rect& pixels)
{
    auto control = CreateControl(*this, item);
    if (!makeControlWindow(*control, item, pixels))
        return nullptr;
    SendWindowToBack(control->window_);
    controls_.insert(controls_.begin(), std::move(control));
    return controls_.front().get();
}

std::optional<DialogView> OpenDialogView()
{
    if (OpenDialogs.empty() || !IsWindowAlive(OpenDialogs.back()->window()))
        return std::nullopt;
    const Dialog& dialog = *OpenDialogs.back();
    DialogView view{dialog.window()->title, dialog.layout().resource, {}};
    for (const auto& control : dialog.controls()) {
        Point origin = ClientToScreen(control->window(), {0, 0});
        ControlView c;
        c.id = control->id();
        c.kind = control->kind();
        c.text = control->text();
        c.enabled = control->enabled();
        c.focused = control->hasFocus();
        c.rect = ClientRect(control->window()).translated(origin.x, origin.y);
        c.visible = control->visible();
        control->describe(c);
        view.controls.push_back(std::move(c));
    }
    return view;
}

} // namespace plat
