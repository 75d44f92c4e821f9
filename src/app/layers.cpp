// The eight drawing layers, made in the order the shell creates them.
#include "app/layers.h"

#include "data/settings.h"

Layer ScreenBuffer;
Layer TileMaskLayer;
Layer BackgroundLayer;
Layer PictureScratchLayer;
Layer OverlayMaskLayer;
Layer TileLayer;
Layer BoardLayer;
Layer ComposeScratchLayer;

namespace {

void MakeLayer(Layer& layer, bool monochrome)
{
    layer.surface = monochrome ? plat::CreateMonoBitmap(kLayerWidth, kLayerHeight)
                               : plat::CreateScreenBitmap(kLayerWidth, kLayerHeight);
    layer.dc = plat::DrawContext(layer.surface.get());
}

// Selects a solid black brush and fills the whole layer with it.
void FillBlack(Layer& layer)
{
    layer.dc.brush = plat::Brush{plat::kBlack};
    plat::PatBlt(layer.dc, 0, 0, kLayerWidth, kLayerHeight, plat::kRopPatCopy);
}

} // namespace

void CreateDrawingLayers()
{
    MakeLayer(ScreenBuffer, false);
    MakeLayer(TileMaskLayer, true);
    FillBlack(TileMaskLayer);
    MakeLayer(BackgroundLayer, false);
    BackgroundLayer.dc.brush = plat::Brush{GameSettings.backgroundColor};
    MakeLayer(PictureScratchLayer, false);
    MakeLayer(OverlayMaskLayer, true);
    FillBlack(OverlayMaskLayer);
    MakeLayer(TileLayer, false);
    FillBlack(TileLayer);
    MakeLayer(BoardLayer, false);
    MakeLayer(ComposeScratchLayer, false);
}

void DestroyDrawingLayers()
{
    for (Layer* layer : {&ScreenBuffer, &TileMaskLayer, &BackgroundLayer, &PictureScratchLayer,
                         &OverlayMaskLayer, &TileLayer, &BoardLayer, &ComposeScratchLayer}) {
        layer->dc = plat::DrawContext();
        layer->surface.reset();
    }
}
