// zentiles-make_font: bakes the user interface's font (DejaVu Sans 11 pt, regular and bold, drawn
// by the font engine without smoothing) into src/platform/system_font.cpp, and proves the tables
// right: every character alone, every pair of characters and long runs of them come out of the
// built-in font exactly as the engine draws them.
//   usage: zentiles-make_font OUTPUT.cpp
#include <cstdio>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/baked_font.h"
#include "platform/font_engine.h"
#include "platform/utf8.h"

namespace {

using plat::BakedFace;
using plat::BakedGlyph;
using plat::LineInk;

// The blocks baked: Basic Latin, Latin-1, Latin Extended-A, Greek and Coptic, Cyrillic.
struct Block {
    char32_t first;
    char32_t last;
};
constexpr Block kBlocks[] = {
    {0x0020, 0x007E}, {0x00A0, 0x00FF}, {0x0100, 0x017F}, {0x0370, 0x03FF}, {0x0400, 0x04FF},
};
// Combining marks of those blocks: the engine places them on the character before.
constexpr Block kMarks[] = {{0x0483, 0x0489}};

struct Face {
    const char* name;
    bool bold;
    BakedFace table{};
    std::vector<BakedGlyph> glyphs;
    std::deque<std::string> bits; // the glyphs' row strings
    std::vector<std::string> skipped;
};

std::string Utf8(char32_t c)
{
    std::string s;
    plat::AppendUtf8(s, c);
    return s;
}

std::string CodeName(char32_t c)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

bool IsMark(char32_t c)
{
    for (const Block& b : kMarks)
        if (c >= b.first && c <= b.last)
            return true;
    return false;
}

bool SameInk(const LineInk& a, const LineInk& b)
{
    return a.width == b.width && a.height == b.height && a.ink == b.ink;
}

// The glyph's box cut from the engine's picture of the character alone, as hex rows; false when
// the engine draws ink outside the box it reports.
bool BoxRows(const LineInk& alone, const BakedGlyph& g, int ascent, std::string& rows)
{
    int boxX = g.left - std::min(0, g.left);
    int boxY = ascent - g.top - std::min(0, ascent - g.top);
    int inkInBox = 0, inkAll = 0;
    rows.clear();
    for (int y = 0; y < alone.height; ++y)
        for (int x = 0; x < alone.width; ++x)
            inkAll += alone.ink[static_cast<std::size_t>(y * alone.width + x)];
    for (int r = 0; r < g.rows; ++r) {
        unsigned value = 0;
        for (int c = 0; c < g.width; ++c) {
            int x = boxX + c, y = boxY + r;
            bool set = x >= 0 && y >= 0 && x < alone.width && y < alone.height &&
                       alone.ink[static_cast<std::size_t>(y * alone.width + x)];
            value = value << 1 | (set ? 1u : 0u);
            inkInBox += set ? 1 : 0;
        }
        char hex[16];
        std::snprintf(hex, sizeof hex, "%0*x", (g.width + 3) / 4, value);
        rows += (r ? " " : "") + std::string(hex);
    }
    return inkInBox == inkAll;
}

// Bakes one character; false (with the reason kept) when the built-in font cannot stand for it.
bool BakeGlyph(Face& face, char32_t code)
{
    plat::EngineGlyphBox box;
    if (IsMark(code) || !plat::EngineGlyph(code, face.bold, box))
        return false;
    BakedGlyph g{code, box.advance, box.minX, box.maxY, box.maxX - box.minX, box.maxY - box.minY, ""};
    LineInk alone;
    std::string rows;
    if (g.width > 32 || !plat::EngineDrawLine(Utf8(code), face.bold, alone) ||
        !BoxRows(alone, g, face.table.ascent, rows)) {
        face.skipped.push_back(CodeName(code));
        return false;
    }
    face.bits.push_back(rows);
    g.bits = face.bits.back().c_str();
    face.glyphs.push_back(g);
    face.table.glyphs = face.glyphs.data();
    face.table.glyphCount = static_cast<int>(face.glyphs.size());
    LineInk baked;
    if (plat::DrawBakedLine(face.table, Utf8(code), baked) && SameInk(baked, alone))
        return true;
    face.glyphs.pop_back(); // the engine treats it otherwise alone (a hidden character)
    face.table.glyphCount = static_cast<int>(face.glyphs.size());
    face.skipped.push_back(CodeName(code));
    return false;
}

void BakeFace(Face& face)
{
    plat::EngineFaceMetrics m = plat::EngineMetrics(face.bold);
    face.table = BakedFace{face.name, m.ascent, m.height, m.lineSkip, nullptr, 0};
    face.glyphs.reserve(1024); // room for every candidate: the table points into it while baking
    for (const Block& block : kBlocks)
        for (char32_t c = block.first; c <= block.last; ++c)
            BakeGlyph(face, c);
}

// Compares the built-in font with the engine on a line; reports a difference.
bool Agrees(const Face& face, const std::string& line)
{
    LineInk baked, engine;
    bool b = plat::DrawBakedLine(face.table, line, baked);
    bool e = plat::EngineDrawLine(line, face.bold, engine);
    if (b == e && (!b || SameInk(baked, engine)) &&
        plat::BakedLineWidth(face.table, line) == plat::EngineLineWidth(line, face.bold))
        return true;
    std::fprintf(stderr, "make_font: %s differs from the engine on \"%s\"\n", face.name, line.c_str());
    return false;
}

// Every pair of characters, and every character in runs of forty.
bool Proven(const Face& face)
{
    int differences = 0;
    for (const BakedGlyph& a : face.glyphs)
        for (const BakedGlyph& b : face.glyphs)
            if (!Agrees(face, Utf8(a.code) + Utf8(b.code)) && ++differences > 20)
                return false;
    for (std::size_t start = 0; start < face.glyphs.size(); start += 40) {
        std::string run;
        for (std::size_t i = start; i < face.glyphs.size() && i < start + 40; ++i)
            run += Utf8(face.glyphs[i].code);
        differences += Agrees(face, run) ? 0 : 1;
    }
    return differences == 0;
}

std::string Quoted(char32_t code)
{
    bool invisible = code == 0x20 || code == 0xA0;
    return invisible ? "" : " '" + Utf8(code) + "'";
}

void WriteFace(std::ostream& out, const Face& face, const char* array)
{
    out << "// " << face.name << ": " << face.glyphs.size() << " glyphs.";
    if (!face.skipped.empty()) {
        out << " Left to the engine (it draws them otherwise than alone):";
        for (const std::string& s : face.skipped)
            out << " " << s;
    }
    out << "\nconstexpr BakedGlyph " << array << "[] = {\n";
    for (const BakedGlyph& g : face.glyphs) {
        char head[96];
        std::snprintf(head, sizeof head, "    {0x%04X, %d, %d, %d, %d, %d, \"", static_cast<unsigned>(g.code),
                      g.advance, g.left, g.top, g.width, g.rows);
        out << head << g.bits << "\"}, // " << CodeName(g.code) << Quoted(g.code) << "\n";
    }
    out << "};\n\n";
}

void WriteTables(std::ostream& out, const Face& regular, const Face& bold)
{
    out << "// The built-in font: DejaVu Sans 11 pt, regular and bold, as the font engine draws it\n"
           "// without smoothing. Written by zentiles-make_font (`make font`); CI checks that the tool\n"
           "// still writes exactly this file, so edit the tool, never the tables.\n"
           "// A glyph: code point, advance, box left and top (rows above the baseline), box width and\n"
           "// rows, then the box's rows top first in hex, the leftmost pixel in the highest bit.\n"
           "#include \"platform/baked_font.h\"\n\nnamespace plat {\nnamespace {\n\n";
    WriteFace(out, regular, "kRegular");
    WriteFace(out, bold, "kBold");
    out << "} // namespace\n\n";
    for (const Face* f : {&regular, &bold}) {
        const BakedFace& t = f->table;
        out << "const BakedFace SystemFont" << (f->bold ? "Bold" : "Regular") << " = {\"" << t.name
            << "\", " << t.ascent << ", " << t.height << ", " << t.lineSkip << ", "
            << (f->bold ? "kBold" : "kRegular") << ", " << t.glyphCount << "};\n";
    }
    out << "\n} // namespace plat\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: zentiles-make_font OUTPUT.cpp\n", stderr);
        return 2;
    }
    if (!plat::FontEngineReady()) {
        std::fputs("make_font: the font engine (SDL_ttf) or DejaVu Sans is not installed\n", stderr);
        return 1;
    }
    Face regular{"DejaVu Sans", false}, bold{"DejaVu Sans Bold", true};
    BakeFace(regular);
    BakeFace(bold);
    if (!Proven(regular) || !Proven(bold))
        return 1;
    std::ostringstream text;
    WriteTables(text, regular, bold);
    std::ofstream file(argv[1], std::ios::binary);
    file << text.str();
    if (!file.flush()) {
        std::fprintf(stderr, "make_font: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("make_font: %zu + %zu glyphs, every pair as the engine draws it\n",
                regular.glyphs.size(), bold.glyphs.size());
    return 0;
}
