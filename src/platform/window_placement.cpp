// The window placement file: four lines key=number after a comment line, read strictly.
#include "platform/window_placement.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "platform/files.h"

namespace plat {
namespace {

constexpr std::size_t kLargestFile = 1024; // a placement file is far smaller
constexpr int kFarthest = 1 << 20;         // positions beyond this are nonsense

bool ParseLine(std::string_view line, WindowPlacement& p, int& seen)
{
    if (line.empty() || line[0] == '#')
        return true;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    std::string_view key = line.substr(0, equals), number = line.substr(equals + 1);
    int value = 0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || value < -kFarthest ||
        value > kFarthest)
        return false;
    struct Field {
        std::string_view key;
        int WindowPlacement::*field;
    };
    static constexpr Field kFields[] = {{"x", &WindowPlacement::x},
                                        {"y", &WindowPlacement::y},
                                        {"width", &WindowPlacement::width},
                                        {"height", &WindowPlacement::height}};
    for (int i = 0; i < 4; ++i)
        if (key == kFields[i].key) {
            p.*kFields[i].field = value;
            seen |= 1 << i;
            return true;
        }
    return false;
}

} // namespace

std::optional<WindowPlacement> LoadWindowPlacement(const std::string& path)
{
    File file = OpenFileForReading(path);
    char buffer[kLargestFile + 1];
    std::size_t got = 0;
    if (!file || !file.read(buffer, sizeof buffer, &got) || got > kLargestFile)
        return std::nullopt;
    std::string_view text(buffer, got);
    WindowPlacement p;
    int seen = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = std::min(text.find('\n', at), text.size());
        if (!ParseLine(text.substr(at, end - at), p, seen))
            return std::nullopt;
        at = end + 1;
    }
    bool sized = p.width >= kPlacementMinWidth && p.height >= kPlacementMinHeight &&
                 p.width <= kPlacementMaxSide && p.height <= kPlacementMaxSide;
    if (seen != 0xF || !sized)
        return std::nullopt;
    return p;
}

bool SaveWindowPlacement(const std::string& path, const WindowPlacement& p)
{
    std::string text = "# Zentiles window: where it stood and its size when the game last closed\n";
    text += "x=" + std::to_string(p.x) + "\ny=" + std::to_string(p.y) +
            "\nwidth=" + std::to_string(p.width) + "\nheight=" + std::to_string(p.height) + "\n";
    File file = CreateReplacingFile(path);
    return file && file.write(text.data(), text.size()) && file.commit();
}

} // namespace plat
