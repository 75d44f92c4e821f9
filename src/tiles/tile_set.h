// The four tile sets and how their sprites get their images: solid colour, picture or texture,

#pragma once

#include <string>

#include "platform/geometry.h"
#include "resources/tile_masks.h"
#include "tiles/tile_sprite.h"

constexpr int kTileCount = 7;

// Seven sprites in tile-index order; the set owns them. Rebuilt whole when the look changes.
struct TileSet {
    SpriteHandle sprites[kTileCount];

    TileSprite& operator[](int tileIndex) { return *sprites[tileIndex]; }
    const TileSprite& operator[](int tileIndex) const { return *sprites[tileIndex]; }
};

extern TileSet PlaySet;    // unit 7, the user's tile fill; the sprites of the ZOrderList
extern TileSet HintSet;    // unit 7, solid hintColor
extern TileSet PreviewSet; // unit 3, solid previewForegroundColor
extern TileSet CheckSet;   // unit 1, solid black; built once at start-up

// The play sprites in stacking order, entry 0 in front. Every rebuild of the play set puts them
// back in tile order; after that only the board reorders them.
extern TileSprite* ZOrderList[kTileCount];
// ZOrderList entry i becomes entry 0; the entries before it move one place back.
void BringToFront(int i);

// Replaces the set's sprites by sprites of the colour (0x00BBGGRR) at that scale.
void buildSolidSet(TileSet& set, plat::Color color, const MaskNumberRow& row, int gridUnit);
// Loads the picture into the PictureScratchLayer and replaces the sprites by windows onto it.
void buildPictureSet(TileSet& set, const std::string& path, const MaskNumberRow& row, int gridUnit);
// Replaces the sprites by pieces cut from the texture turned with each orientation.
void buildTextureSet(TileSet& set, const std::string& path, const MaskNumberRow& row, int gridUnit);

// Texture anchors: where each tile lies in the assembled square cut from texture turn `step`.
// The image of orientation (first + step) mod 8 is cut at the anchor plus the nudge of that
// orientation (the mirrored parallelogram has its own nudges, read from the mirrored turns).
int TextureFirstOrientation(int tileIndex);
plat::Point TextureAnchor(int tileIndex, int step);
plat::Point TextureNudge(int tileIndex, int orientation, bool mirroredShape);
