// The driver's view of menus, dialogs and tooltips on the screen.
#include "app/screen_state.h"

#include <cstdio>
#include <sstream>

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

} // namespace

std::string DescribeScreenState()
{
    std::ostringstream out;
    out << ",\"openMenu\":" << OpenMenuJson();
    std::string tooltip = plat::ShownTooltip();
    out << ",\"tooltip\":" << (tooltip.empty() ? std::string("null") : JsonString(tooltip));
    return out.str();
}
