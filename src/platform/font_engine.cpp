// The font engine: SDL_ttf, found at run time rather than linked, so that a game that only shows
// the built-in font never maps the engine and its font libraries into memory.
#include "platform/font_engine.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>

namespace plat {
namespace {

constexpr int kPointSize = 11;
constexpr const char* kEngineLibrary = "libSDL2_ttf-2.0.so.0";

// Where the faces are looked for, in this order.
constexpr const char* kFontFolders[] = {
    "/usr/share/fonts/truetype/dejavu/",
    "/usr/share/fonts/TTF/",
    "/usr/share/fonts/dejavu/",
};

// The engine's entry points the game uses, looked up by name in the loaded library.
struct EngineCalls {
    decltype(&TTF_Init) init = nullptr;
    decltype(&TTF_WasInit) wasInit = nullptr;
    decltype(&TTF_OpenFont) openFont = nullptr;
    decltype(&TTF_SizeUTF8) sizeUtf8 = nullptr;
    decltype(&TTF_RenderUTF8_Solid) renderSolid = nullptr;
    decltype(&TTF_FontAscent) ascent = nullptr;
    decltype(&TTF_FontHeight) height = nullptr;
    decltype(&TTF_FontLineSkip) lineSkip = nullptr;
    decltype(&TTF_GlyphIsProvided32) hasGlyph = nullptr;
    decltype(&TTF_GlyphMetrics32) glyphMetrics = nullptr;
};

// The engine, loaded on first use and kept for the run.
struct Engine {
    bool tried = false;
    void* library = nullptr;
    EngineCalls call;
    TTF_Font* regular = nullptr;
    TTF_Font* bold = nullptr;
};
Engine TheEngine;

template <typename Fn>
bool Bind(Fn& fn, const char* name)
{
    fn = reinterpret_cast<Fn>(SDL_LoadFunction(TheEngine.library, name));
    return fn != nullptr;
}

bool BindCalls()
{
    EngineCalls& c = TheEngine.call;
    return Bind(c.init, "TTF_Init") && Bind(c.wasInit, "TTF_WasInit") &&
           Bind(c.openFont, "TTF_OpenFont") && Bind(c.sizeUtf8, "TTF_SizeUTF8") &&
           Bind(c.renderSolid, "TTF_RenderUTF8_Solid") && Bind(c.ascent, "TTF_FontAscent") &&
           Bind(c.height, "TTF_FontHeight") && Bind(c.lineSkip, "TTF_FontLineSkip") &&
           Bind(c.hasGlyph, "TTF_GlyphIsProvided32") &&
           Bind(c.glyphMetrics, "TTF_GlyphMetrics32");
}

TTF_Font* OpenFace(const char* file)
{
    for (const char* folder : kFontFolders) {
        std::string path = std::string(folder) + file;
        if (TTF_Font* font = TheEngine.call.openFont(path.c_str(), kPointSize))
            return font;
    }
    return nullptr;
}

void LoadEngine()
{
    TheEngine.tried = true;
    TheEngine.library = SDL_LoadObject(kEngineLibrary);
    if (!TheEngine.library || !BindCalls())
        return;
    if (!TheEngine.call.wasInit() && TheEngine.call.init() != 0)
        return;
    TheEngine.regular = OpenFace("DejaVuSans.ttf");
    TheEngine.bold = OpenFace("DejaVuSans-Bold.ttf");
}

TTF_Font* Face(bool bold)
{
    if (!FontEngineReady())
        return nullptr;
    return bold ? TheEngine.bold : TheEngine.regular;
}

} // namespace

bool FontEngineReady()
{
    if (!TheEngine.tried)
        LoadEngine();
    return TheEngine.regular && TheEngine.bold;
}

bool EngineDrawLine(std::string_view utf8, bool bold, LineInk& out)
{
    TTF_Font* font = Face(bold);
    out = LineInk{};
    if (!font || utf8.empty())
        return false;
    std::string text(utf8);
    SDL_Surface* glyphs = TheEngine.call.renderSolid(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!glyphs)
        return false;
    bool drawn = SDL_LockSurface(glyphs) == 0;
    if (drawn) {
        out.width = glyphs->w;
        out.height = glyphs->h;
        out.ink.resize(static_cast<std::size_t>(glyphs->w) * static_cast<std::size_t>(glyphs->h));
        const auto* pixels = static_cast<const std::uint8_t*>(glyphs->pixels);
        for (int y = 0; y < glyphs->h; ++y)
            for (int x = 0; x < glyphs->w; ++x)
                out.ink[static_cast<std::size_t>(y * glyphs->w + x)] =
                    pixels[y * glyphs->pitch + x] != 0 ? 1 : 0;
        SDL_UnlockSurface(glyphs);
    }
    SDL_FreeSurface(glyphs);
    return drawn;
}

int EngineLineWidth(std::string_view utf8, bool bold)
{
    TTF_Font* font = Face(bold);
    if (!font)
        return -1;
    std::string text(utf8);
    int w = 0, h = 0;
    if (TheEngine.call.sizeUtf8(font, text.c_str(), &w, &h) != 0)
        return -1;
    return w;
}

EngineFaceMetrics EngineMetrics(bool bold)
{
    TTF_Font* font = Face(bold);
    if (!font)
        return {};
    return {TheEngine.call.ascent(font), TheEngine.call.height(font), TheEngine.call.lineSkip(font)};
}

bool EngineGlyph(char32_t code, bool bold, EngineGlyphBox& out)
{
    TTF_Font* font = Face(bold);
    if (!font || !TheEngine.call.hasGlyph(font, code))
        return false;
    return TheEngine.call.glyphMetrics(font, code, &out.minX, &out.maxX, &out.minY, &out.maxY,
                                       &out.advance) == 0;
}

} // namespace plat
