// The open-file and save-file dialogs: the system's own template and one procedure that browses
// folders and checks the chosen name.
#include "platform/file_dialog.h"

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/folders.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/utf8.h"

namespace plat {
namespace {

// The system's template, dialog units; the full-screen client area is 160 x 165 units. The
// save-file dialog names its default button "Save".
constexpr DialogItem kItems[] = {
    {ControlKind::Static, kFileDialogFolder, "", {2, 3, 124, 10}, kTextLeft | kTextVCenter | kStaticShowEnd},
    {ControlKind::Button, kFileDialogUp, "Up", {128, 1, 30, 13}},
    {ControlKind::List, kFileDialogList, "", {2, 16, 156, 100}},
    {ControlKind::Static, kNoId, "Type:", {2, 119, 24, 10}, kTextLeft | kTextVCenter},
    {ControlKind::Static, kFileDialogType, "", {28, 119, 130, 10}, kTextLeft | kTextVCenter},
    {ControlKind::Static, kNoId, "Name:", {2, 133, 24, 10}, kTextLeft | kTextVCenter},
    {ControlKind::Edit, kFileDialogName, "", {28, 131, 130, 13}},
    {ControlKind::DefaultButton, kIdOk, "Open", {48, 149, 50, 14}},
    {ControlKind::Button, kIdCancel, "Cancel", {106, 149, 50, 14}},
};

constexpr const char* kTooLong = "The file name is too long.";

struct Browser {
    const FileDialogRequest* request = nullptr;
    bool saving = false;
    std::string folder;
    std::vector<FolderEntry> entries;
    std::optional<std::string> chosen;
};

ListControl& ListOf(Dialog& dialog)
{
    return *static_cast<ListControl*>(dialog.control(kFileDialogList));
}

// Shows a folder; false (and nothing changes) when it cannot be read.
bool ShowFolder(Dialog& dialog, Browser& b, const std::string& folder)
{
    auto entries = ListFolder(folder, b.request->pattern);
    if (!entries)
        return false;
    b.folder = folder.empty() || folder.back() != '/' ? folder + '/' : folder;
    b.entries = std::move(*entries);
    std::vector<ListRow> rows;
    rows.reserve(b.entries.size());
    for (const FolderEntry& e : b.entries)
        rows.push_back({e.name, e.folder ? RowIcon::Folder : RowIcon::File});
    ListOf(dialog).setRows(std::move(rows));
    dialog.setText(kFileDialogFolder, b.folder);
    return true;
}

bool HasExtension(const std::string& name)
{
    std::size_t slash = name.rfind('/');
    std::size_t dot = name.rfind('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

// The full path a typed name stands for: absolute as typed, else inside the shown folder.
std::string FullPath(const Browser& b, const std::string& name)
{
    if (name.rfind('/', 0) == 0)
        return name;
    if (name == "~" || name.rfind("~/", 0) == 0)
        return HomeFolder() + (name.size() > 2 ? name.substr(2) : std::string());
    return b.folder + name;
}

// Open / Save: a folder opens, a name too long is refused, else the dialog ends with the path.
void Accept(Dialog& dialog, Browser& b)
{
    std::string name = dialog.text(kFileDialogName);
    if (name.empty())
        return;
    std::string path = FullPath(b, name);
    if (FolderExists(path)) {
        if (ShowFolder(dialog, b, path))
            dialog.setText(kFileDialogName, "");
        return;
    }
    if (b.saving && !b.request->defaultExtension.empty() && !HasExtension(name))
        path += "." + b.request->defaultExtension;
    if (Utf16Length(path) + 1 > b.request->pathBuffer) {
        ShowMessageBox(dialog.window(), kTooLong, b.request->title, MessageIcon::Error, MessageButtons::Ok);
        dialog.focus(dialog.control(kFileDialogName));
        return;
    }
    b.chosen = path;
    dialog.end(kIdOk);
}

void OnListCommand(Dialog& dialog, Browser& b, std::intptr_t code)
{
    int row = ListOf(dialog).selected();
    if (row < 0 || row >= static_cast<int>(b.entries.size()))
        return;
    const FolderEntry entry = b.entries[static_cast<std::size_t>(row)];
    if (entry.folder) {
        if (code == kNotifyTap || code == kNotifyActivate)
            ShowFolder(dialog, b, b.folder + entry.name);
        return;
    }
    dialog.setText(kFileDialogName, entry.name);
    if (code == kNotifyActivate)
        Accept(dialog, b);
}

bool FileDialogProc(Dialog& dialog, const Message& message, Browser& b)
{
    switch (message.msg) {
    case Msg::InitDialog:
        dialog.setText(kFileDialogType, b.request->filterName);
        if (b.saving)
            dialog.setText(kIdOk, "Save");
        if (!ShowFolder(dialog, b, b.request->folder.empty() ? HomeFolder() : b.request->folder))
            ShowFolder(dialog, b, HomeFolder());
        dialog.focus(dialog.control(kFileDialogName));
        return true;
    case Msg::KeyDown:
        // Back in the list (the name field uses it itself) goes up a folder.
        if (message.id != Key::Back)
            return false;
        ShowFolder(dialog, b, ParentFolder(b.folder));
        return true;
    case Msg::Command:
        if (message.id == kFileDialogList)
            OnListCommand(dialog, b, message.value);
        else if (message.id == kFileDialogUp)
            ShowFolder(dialog, b, ParentFolder(b.folder));
        else if (message.id == kIdOk)
            Accept(dialog, b);
        else
            return false;
        return true;
    default:
        return false;
    }
}

std::optional<std::string> RunFileDialog(const FileDialogRequest& request, bool saving)
{
    Browser b;
    b.request = &request;
    b.saving = saving;
    DialogTemplate layout{request.title, {160, 165}, true, kItems};
    std::intptr_t result = RunModalDialog(layout, request.owner, [&b](Dialog& dialog, const Message& message) {
        return FileDialogProc(dialog, message, b);
    });
    return result == kIdOk ? b.chosen : std::nullopt;
}

} // namespace

std::optional<std::string> RunOpenFileDialog(const FileDialogRequest& request)
{
    return RunFileDialog(request, false);
}

std::optional<std::string> RunSaveFileDialog(const FileDialogRequest& request)
{
    return RunFileDialog(request, true);
}

} // namespace plat
