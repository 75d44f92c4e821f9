// The driver's view of menus, dialogs and tooltips on the screen.
#include "app/screen_state.h"

#include <cstdio>
#include <sstream>

#include "platform/dialog.h"
#include "platform/file_dialog.h"
#include "platform/folders.h"
#include "platform/popup_menu.h"
#include "platform/tooltip.h"

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

namespace {

std::string OpenMenuJson()
{
    std::vector<plat::PopupLevelView> levels = plat::OpenPopupMenuView();
    if (levels.empty())
        return "null";
    std::string out = "[";
    const plat::PopupLevelView& innermost = levels.back();
    for (std::size_t i = 0; i < innermost.items.size(); ++i)
        out += (i ? "," : "") + JsonString(innermost.items[i].text);
    return out + "]";
}

const plat::ControlView* FindControl(const plat::DialogView& view, int id)
{
    for (const plat::ControlView& control : view.controls)
        if (control.id == id)
            return &control;
    return nullptr;
}

// A file dialog's list: folders end in '/'.
std::string ListJson(const plat::ControlView& list, const std::string& folder)
{
    std::string out = "[";
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        std::string row = list.rows[i];
        if (plat::FolderExists(folder + row))
            row += '/';
        out += (i ? "," : "") + JsonString(row);
    }
    return out + "]";
}

std::string DialogJson()
{
    std::optional<plat::DialogView> view = plat::OpenDialogView();
    if (!view)
        return "null";
    std::string out = "{\"title\":" + JsonString(view->title);
    const plat::ControlView* folder = FindControl(*view, plat::kFileDialogFolder);
    const plat::ControlView* list = FindControl(*view, plat::kFileDialogList);
    const plat::ControlView* name = FindControl(*view, plat::kFileDialogName);
    if (folder && list && name) {
        out += ",\"folder\":" + JsonString(folder->text) + ",\"list\":" + ListJson(*list, folder->text) +
               ",\"selected\":" + std::to_string(list->selected) + ",\"name\":" + JsonString(name->text) +
               ",\"nameFocused\":" + (name->focused ? "true" : "false");
    }
    return out + "}";
}

} // namespace

std::string DescribeScreenState()
{
    std::ostringstream out;
    out << ",\"openMenu\":" << OpenMenuJson();
    out << ",\"dialog\":" << DialogJson();
    std::string tooltip = plat::ShownTooltip();
    out << ",\"tooltip\":" << (tooltip.empty() ? std::string("null") : JsonString(tooltip));
    return out.str();
}
