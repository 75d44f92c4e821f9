// Text drawing with the DejaVu Sans face through SDL_ttf, rendered solid (no smoothing) so that
// text looks as crisp as on the handheld's screen.
#include "platform/text.h"

#include <SDL_ttf.h>

#include <algorithm>

namespace plat {
namespace {

constexpr int kPointSize = 11;
constexpr int kFallbackCharWidth = 6;
constexpr int kFallbackLineHeight = 13;

// Where the face is looked for, regular then bold, in this order.
constexpr const char* kFontFolders[] = {
    "/usr/share/fonts/truetype/dejavu/",
    "/usr/share/fonts/TTF/",
    "/usr/share/fonts/dejavu/",
};

// The two fonts, opened on first use and kept for the run.
struct Fonts {
    bool tried = false;
    TTF_Font* regular = nullptr;
    TTF_Font* bold = nullptr;
};
Fonts TheFonts;

TTF_Font* OpenFace(const char* file)
{
    for (const char* folder : kFontFolders) {
        std::string path = std::string(folder) + file;
        if (TTF_Font* font = TTF_OpenFont(path.c_str(), kPointSize))
            return font;
    }
    return nullptr;
}

TTF_Font* FontFor(unsigned flags)
{
    if (!TheFonts.tried) {
        TheFonts.tried = true;
        if (TTF_WasInit() || TTF_Init() == 0) {
            TheFonts.regular = OpenFace("DejaVuSans.ttf");
            TheFonts.bold = OpenFace("DejaVuSans-Bold.ttf");
            if (!TheFonts.bold)
                TheFonts.bold = TheFonts.regular;
        }
    }
    return (flags & kTextBold) ? TheFonts.bold : TheFonts.regular;
}

int LineWidth(const std::string& line, unsigned flags)
{
    if (line.empty())
        return 0;
    TTF_Font* font = FontFor(flags);
    int w = 0, h = 0;
    if (!font || TTF_SizeUTF8(font, line.c_str(), &w, &h) != 0)
        return static_cast<int>(line.size()) * kFallbackCharWidth;
    return w;
}

std::size_t NextCharEnd(std::string_view text, std::size_t at)
{
    ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
        ++at;
    return at;
}

// Cuts a word wider than the line into pieces that fit (at least one character each).
void CutLongWord(std::string word, unsigned flags, int width, std::vector<std::string>& lines)
{
    while (!word.empty() && LineWidth(word, flags) > width) {
        std::size_t end = NextCharEnd(word, 0);
        while (end < word.size() &&
               LineWidth(word.substr(0, NextCharEnd(word, end)), flags) <= width)
            end = NextCharEnd(word, end);
        lines.push_back(word.substr(0, end));
        word.erase(0, end);
    }
    lines.push_back(word);
}

// Breaks one paragraph at spaces; runs of spaces inside a line are kept.
void WrapParagraph(std::string_view paragraph, unsigned flags, int width,
                   std::vector<std::string>& lines)
{
    std::string line;
    bool lineOpen = false;
    std::size_t before = lines.size();
    std::size_t at = 0;
    while (at <= paragraph.size()) {
        std::size_t space = std::min(paragraph.find(' ', at), paragraph.size());
        std::string word(paragraph.substr(at, space - at));
        at = space + 1;
        if (!lineOpen) {
            if (word.empty())
                continue;
            CutLongWord(word, flags, width, lines);
            line = lines.back();
            lines.pop_back();
            lineOpen = true;
        } else if (LineWidth(line + " " + word, flags) <= width) {
            line += " " + word;
        } else {
            lines.push_back(line);
            lineOpen = !word.empty();
            if (lineOpen) {
                CutLongWord(word, flags, width, lines);
                line = lines.back();
                lines.pop_back();
            }
        }
    }
    if (lineOpen || lines.size() == before)
        lines.push_back(line);
}

// Copies the set pixels of a solid rendering into the context, clipped.
void PaintLine(DrawContext& dc, const SDL_Surface* glyphs, Point at, const Rect& clip)
{
    const auto* pixels = static_cast<const std::uint8_t*>(glyphs->pixels);
    for (int y = 0; y < glyphs->h; ++y)
        for (int x = 0; x < glyphs->w; ++x)
            if (pixels[y * glyphs->pitch + x] != 0 && clip.contains({at.x + x, at.y + y}))
                SetPixel(dc, at.x + x, at.y + y, dc.textColor);
}

void DrawLine(DrawContext& dc, const std::string& line, unsigned flags, Point at, const Rect& clip)
{
    TTF_Font* font = FontFor(flags);
    if (line.empty() || !font)
        return;
    SDL_Surface* glyphs = TTF_RenderUTF8_Solid(font, line.c_str(), SDL_Color{255, 255, 255, 255});
    if (!glyphs)
        return;
    if (SDL_LockSurface(glyphs) == 0) {
        PaintLine(dc, glyphs, at, clip);
        SDL_UnlockSurface(glyphs);
    }
    SDL_FreeSurface(glyphs);
}

} // namespace

bool TextAvailable()
{
    return FontFor(0) != nullptr;
}

int TextLineHeight(unsigned flags)
{
    TTF_Font* font = FontFor(flags);
    return font ? TTF_FontLineSkip(font) : kFallbackLineHeight;
}

std::vector<std::string> LayoutText(std::string_view text, unsigned flags, int wrapWidth)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view paragraph = text.substr(at, end - at);
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.remove_suffix(1);
        if (flags & kTextWrap)
            WrapParagraph(paragraph, flags, std::max(wrapWidth, 1), lines);
        else
            lines.emplace_back(paragraph);
        at = end + 1;
    }
    return lines;
}

Size MeasureText(std::string_view text, unsigned flags, int wrapWidth)
{
    std::vector<std::string> lines = LayoutText(text, flags, wrapWidth);
    int width = 0;
    for (const std::string& line : lines)
        width = std::max(width, LineWidth(line, flags));
    return {width, static_cast<int>(lines.size()) * TextLineHeight(flags)};
}

int DrawText(DrawContext& dc, const Rect& rect, std::string_view text, unsigned flags)
{
    std::vector<std::string> lines = LayoutText(text, flags, rect.width);
    int lineHeight = TextLineHeight(flags);
    int height = static_cast<int>(lines.size()) * lineHeight;
    int y = rect.y;
    if (flags & kTextVCenter)
        y += (rect.height - height) / 2;
    else if (flags & kTextBottom)
        y += rect.height - height;
    for (const std::string& line : lines) {
        int x = rect.x;
        if (flags & (kTextCenter | kTextRight)) {
            int slack = rect.width - LineWidth(line, flags);
            x += (flags & kTextCenter) ? slack / 2 : slack;
        }
        DrawLine(dc, line, flags, {x, y}, rect);
        y += lineHeight;
    }
    return height;
}

} // namespace plat
