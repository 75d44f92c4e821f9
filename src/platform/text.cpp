// Text drawing from the built-in bitmap font (DejaVu Sans 11 pt baked at build time), pixel for
// pixel what the font engine draws without smoothing. A line holding a character the built-in font
// lacks goes to the font engine, loaded for it on first need; without the engine such characters
// show as question marks.
#include "platform/text.h"

#include <algorithm>

#include "platform/baked_font.h"
#include "platform/font_engine.h"
#include "platform/utf8.h"

namespace plat {
namespace {

bool EngineOnly = false; // tests: every line through the engine

const BakedFace& FaceFor(unsigned flags)
{
    return (flags & kTextBold) ? SystemFontBold : SystemFontRegular;
}

bool Baked(const std::string& line, unsigned flags)
{
    return !EngineOnly && BakedLineWidth(FaceFor(flags), line) >= 0;
}

// The line with a question mark for every character the built-in font lacks.
std::string WithStandIns(std::string_view line, const BakedFace& face)
{
    std::string out;
    for (char32_t code : DecodeUtf8(line))
        AppendUtf8(out, FindBakedGlyph(face, code) ? code : U'?');
    return out;
}

int LineWidth(const std::string& line, unsigned flags)
{
    if (line.empty())
        return 0;
    const BakedFace& face = FaceFor(flags);
    if (Baked(line, flags))
        return BakedLineWidth(face, line);
    int width = EngineLineWidth(line, (flags & kTextBold) != 0);
    return width >= 0 ? width : BakedLineWidth(face, WithStandIns(line, face));
}

// Cuts a word wider than the line into pieces that fit (at least one character each).
void CutLongWord(std::string word, unsigned flags, int width, std::vector<std::string>& lines)
{
    while (!word.empty() && LineWidth(word, flags) > width) {
        std::size_t end = NextCharStart(word, 0);
        while (end < word.size() &&
               LineWidth(word.substr(0, NextCharStart(word, end)), flags) <= width)
            end = NextCharStart(word, end);
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

// Copies the set pixels of a drawn line into the context, clipped.
void PaintLine(DrawContext& dc, const LineInk& line, Point at, const Rect& clip)
{
    for (int y = 0; y < line.height; ++y)
        for (int x = 0; x < line.width; ++x)
            if (line.ink[static_cast<std::size_t>(y * line.width + x)] &&
                clip.contains({at.x + x, at.y + y}))
                SetPixel(dc, at.x + x, at.y + y, dc.textColor);
}

void DrawLine(DrawContext& dc, const std::string& line, unsigned flags, Point at, const Rect& clip)
{
    if (line.empty())
        return;
    const BakedFace& face = FaceFor(flags);
    LineInk ink;
    bool drawn = Baked(line, flags) ? DrawBakedLine(face, line, ink)
               : FontEngineReady()  ? EngineDrawLine(line, (flags & kTextBold) != 0, ink)
                                    : DrawBakedLine(face, WithStandIns(line, face), ink);
    if (drawn)
        PaintLine(dc, ink, at, clip);
}

} // namespace

bool TextAvailable()
{
    return true;
}

int TextLineHeight(unsigned flags)
{
    if (EngineOnly)
        return EngineMetrics((flags & kTextBold) != 0).lineSkip;
    return FaceFor(flags).lineSkip;
}

void SetTextFromEngineOnly(bool on)
{
    EngineOnly = on;
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
