// The eight drawing layers: 240 x 280 surfaces, each with its own drawing context that keeps it
// selected. Created at window creation and kept for the whole run.
#pragma once

#include <memory>

#include "platform/raster.h"

constexpr int kLayerWidth = 240;
constexpr int kLayerHeight = 280;
constexpr int kBoardWidth = 240;  // tiles may lie anywhere inside 240 x 268
constexpr int kBoardHeight = 268;

struct Layer {
    std::unique_ptr<plat::Bitmap> surface;
    plat::DrawContext dc;
};

extern Layer ScreenBuffer;        // the picture the window shows
extern Layer TileMaskLayer;       // 1-bit: exclusive-or of the masks of the unselected tiles
extern Layer BackgroundLayer;     // background colour or picture
extern Layer PictureScratchLayer; // the picture of picture-filled tiles
extern Layer OverlayMaskLayer;    // 1-bit: the dithered target silhouette
extern Layer TileLayer;           // tile pictures on black
extern Layer BoardLayer;          // the composed board; its brush is the overlay colour
extern Layer ComposeScratchLayer; // used only while composing

// Creates the eight layers in this order with their brushes and initial fills.
void CreateDrawingLayers();
// Releases them (tests).
void DestroyDrawingLayers();
