// TileSprite: one tile at one scale, with an image and a mask for each of its eight
// orientations, and the operations on it; shape-specific ones go through its variant table.
#pragma once

#include <memory>
#include <vector>

#include "platform/raster.h"

namespace plat {
struct Window;
}

struct TileSprite;

// The variant table: seven operations in this fixed order. A target of null means "no window".
struct SpriteVariant {
    const char* name;
    // Releases every bitmap the sprite owns; bit 0 of freeFlag also frees the sprite.
    // Answers the sprite, or null when it was freed.
    TileSprite* (*destroy)(TileSprite* sprite, int freeFlag);
    // Turns 45 degrees counter-clockwise, clamps to the board, redraws and runs the solved check.
    void (*rotateCounterClockwise)(TileSprite& sprite, plat::Window* target);
    // Turns 45 degrees clockwise, clamps to the board, redraws and runs the solved check.
    void (*rotateClockwise)(TileSprite& sprite, plat::Window* target);
    // Mirrors top to bottom (triangle), nothing (square), toggles the mirrored shape
    // (parallelogram).
    void (*flipVertical)(TileSprite& sprite, plat::Window* target);
    // Mirrors left to right (triangle), nothing (square), toggles the mirrored shape
    // (parallelogram).
    void (*flipHorizontal)(TileSprite& sprite, plat::Window* target);
    // Moves by whole grid steps, clamps to the board and repaints the old and new rectangles.
    void (*moveBy)(TileSprite& sprite, plat::Window* target, int columns, int rows);
    // Sets the variant's pattern phase and builds the see-through mask for the current orientation.
    void (*makeSeeThrough)(TileSprite& sprite, plat::Window* target);
};

extern const SpriteVariant BaseSprite; // in force only while a sprite is made or released
extern const SpriteVariant TriangleSprite;
extern const SpriteVariant SquareSprite;
extern const SpriteVariant ParallelogramSprite;

struct GridPosition {
    int column = 0;
    int row = 0;
    int orientation = 0;
    friend bool operator==(const GridPosition&, const GridPosition&) = default;
};

// Backdrops of a see-through tile: what shows between the dithered tile pixels.
constexpr int kBackdropBackground = 1; // the BackgroundLayer (and any value other than 2, 3)
constexpr int kBackdropBoard = 2;      // the BoardLayer
constexpr int kBackdropPanel = 3;      // the preview panel's body colour

struct TileSprite {
    const SpriteVariant* variant = &BaseSprite;
    plat::Bitmap* images[8] = {};                 // by orientation; black outside the shape
    plat::Bitmap* masks[8] = {};                  // by orientation; 1-bit, set on the tile
    std::unique_ptr<plat::Bitmap> seeThroughMask; // only while seeThrough is on
    const plat::DrawContext* pictureSource =
        nullptr; // PictureScratchLayer for picture fills; not owned
    bool seeThrough = false;
    bool pictureFill = false;
    bool mirrored = false; // parallelogram: the mirrored shape is shown
    int orientation = 0;
    int width = 0; // size of the current image
    int height = 0;
    int x = 0; // board pixel of the image's top-left corner
    int y = 0;
    int gridUnit = 1;
    int tileIndex = 0;
    int patternPhase = 0;                 // column offset into the see-through pattern
    int maskBase = -1;                    // triangles: mask number of their shape at this scale
    plat::Bitmap* mirroredImages[8] = {}; // parallelogram: the side not shown
    plat::Bitmap* mirroredMasks[8] = {};
    // Every image and mask above, each distinct bitmap once: the arrays may repeat a bitmap.
    std::vector<std::unique_ptr<plat::Bitmap>> ownedBitmaps;

    // Takes ownership of a bitmap and answers it for the arrays.
    plat::Bitmap* keep(std::unique_ptr<plat::Bitmap> bitmap);

    // Variant operations, through the table.
    TileSprite* destroy(int freeFlag) { return variant->destroy(this, freeFlag); }
    void rotateCounterClockwise(plat::Window* target)
    {
        variant->rotateCounterClockwise(*this, target);
    }
    void rotateClockwise(plat::Window* target) { variant->rotateClockwise(*this, target); }
    void flipVertical(plat::Window* target) { variant->flipVertical(*this, target); }
    void flipHorizontal(plat::Window* target) { variant->flipHorizontal(*this, target); }
    void moveBy(plat::Window* target, int columns, int rows)
    {
        variant->moveBy(*this, target, columns, rows);
    }
    void makeSeeThrough(plat::Window* target) { variant->makeSeeThrough(*this, target); }

    // Common operations.
    // Sets the orientation (taken into 0..7) and the position column x gridUnit, row x gridUnit.
    void place(int column, int row, int newOrientation);
    // Column and row (pixel position / gridUnit, truncated) and orientation.
    GridPosition gridPosition() const;
    // Keeps the tile inside the 240 x 268 board, landing on a multiple of 7 at the far edges.
    void clampToBoard();
    // Clamps, then drops the see-through mask and turns see-through off.
    void clearSeeThrough();
    // Whether board pixel (px, py) lies on the tile's current shape.
    bool hitTest(int px, int py) const;
    // Paints the tile at (x, y) onto the target; a see-through tile shows the backdrop between.
    void draw(plat::DrawContext& target, int backdrop);
    // Inverts the target under the tile's shape (see-through mask while see-through).
    void drawMask(plat::DrawContext& target) const;

    // Width and height from the current image.
    void refreshSize();
    plat::Bitmap* currentImage() const { return images[orientation]; }
    plat::Bitmap* currentMask() const { return masks[orientation]; }
};

// Frees a sprite through its table (the owning pointer of the sets).
struct DestroySprite {
    void operator()(TileSprite* sprite) const
    {
        if (sprite)
            sprite->destroy(1);
    }
};
using SpriteHandle = std::unique_ptr<TileSprite, DestroySprite>;

// A new sprite of the variant, as every sprite starts: at (0, 0), orientation 0, no bitmaps.
SpriteHandle NewSprite(const SpriteVariant& variant, int gridUnit);

// What a visible change calls to bring the screen up to date and to run the solved check, and
// the colour backdrop 3 fills with. The shell installs the game's own at start-up; tests put
// recorders in their place. A hook left null is skipped (the backdrop is then black).
struct SpriteRedrawHooks {
    void (*renderScreen)(int x, int y, int w, int h);
    void (*invalidateTwoRects)(plat::Window* window, int x1, int y1, int w1, int h1, int x2, int y2,
                               int w2, int h2);
    bool (*isPuzzleSolved)();
    void (*showSolvedMessage)(plat::Window* window);
    plat::Color (*panelBodyColor)();
};
extern SpriteRedrawHooks SpriteRedraw;
