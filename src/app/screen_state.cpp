// The driver's view of menus, dialogs and tooltips on the screen.
#include "app/screen_state.h"

#include <cstdio>
#include <sstream>
#include <vector>

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

std::string Strings(const std::vector<std::string>& texts)
{
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i)
        out += (i ? "," : "") + JsonString(texts[i]);
    return out + "]";
}

// A list view: its rows cell by cell as shown, the selected and focused row, the first shown.
std::string ListViewJson(const plat::ControlView& list)
{
    std::string out = ",\"rows\":[";
    for (std::size_t i = 0; i < list.cells.size(); ++i)
        out += (i ? "," : "") + Strings(list.cells[i]);
    return out + "],\"selected\":" + std::to_string(list.selected) + ",\"focused\":" +
           std::to_string(list.focusedRow) + ",\"top\":" + std::to_string(list.topRow);
}

// One member per kind of control shown: "radios" (checked, by id), "lists" (drop-down lists by
// id), "boxes" (colour boxes by id, as [red, green, blue]) with "markers" (the ids of the
// numbered pictures shown), "texts" (the static texts), and a list view's members.
std::string ControlsJson(const plat::DialogView& view)
{
    std::string radios, lists, boxes, markers, texts, rows;
    auto add = [](std::string& to, const std::string& item) { to += (to.empty() ? "" : ",") + item; };
    for (const plat::ControlView& c : view.controls) {
        std::string id = "\"" + std::to_string(c.id) + "\":";
        switch (c.kind) {
        case plat::ControlKind::Radio: add(radios, id + (c.checked ? "true" : "false")); break;
        case plat::ControlKind::DropDown:
            add(lists, id + "{\"items\":" + Strings(c.rows) + ",\"selected\":" + std::to_string(c.selected) +
                           ",\"enabled\":" + (c.enabled ? "true" : "false") + ",\"open\":" + (c.open ? "true" : "false") + "}");
            break;
        case plat::ControlKind::ColorBox:
            add(boxes, id + "[" + std::to_string(plat::ColorRed(c.color)) + "," + std::to_string(plat::ColorGreen(c.color)) +
                           "," + std::to_string(plat::ColorBlue(c.color)) + "]");
            break;
        case plat::ControlKind::Image:
            if (c.id != plat::kNoId && c.visible)
                add(markers, std::to_string(c.id));
            break;
        case plat::ControlKind::Static: add(texts, JsonString(c.text)); break;
        case plat::ControlKind::ListView: rows = ListViewJson(c); break;
        default: break;
        }
    }
    auto member = [](const char* name, const std::string& items, const char* brackets) {
        return ",\"" + std::string(name) + "\":" + brackets[0] + items + brackets[1];
    };
    std::string out = rows;
    if (!radios.empty())
        out += member("radios", radios, "{}");
    if (!lists.empty())
        out += member("lists", lists, "{}");
    if (!boxes.empty()) // with the boxes, the markers shown (none is news too)
        out += member("boxes", boxes, "{}") + member("markers", markers, "[]");
    if (!texts.empty())
        out += member("texts", texts, "[]");
    return out;
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
    if (view->resource)
        out += ",\"resource\":" + std::to_string(view->resource);
    return out + ControlsJson(*view) + "}";
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
