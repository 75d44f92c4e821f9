// TileSprite: placing, clamping, hit testing, drawing, and the three variant tables.
#include "tiles/tile_sprite.h"

#include <algorithm>
#include <utility>

#include "app/layers.h"
#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "resources/tile_masks.h"

namespace {

using plat::kRopInvertUnderMask;
using plat::kRopSourceOrBlack;
using plat::kRopSourceOverDest;

constexpr int kClampStep = 7;    // the play grid: the far-edge clamp lands on its multiples
constexpr int kRepaintExtra = 5; // repainted rectangles reach this far below the tile

plat::Rect RectOf(const TileSprite& sprite)
{
    return {sprite.x, sprite.y, sprite.width, sprite.height};
}

// The current puzzle is not solved yet (a puzzle index outside the pack has nothing to check).
bool CurrentPuzzleUnsolved()
{
    const ProgressRecord* progress = CurrentPuzzleProgress();
    return progress && progress->solved == 0;
}

// Re-renders the screen, repaints the old and new rectangles and runs the solved check.
void RedrawAfterChange(const TileSprite& sprite, plat::Window* target, plat::Rect old)
{
    if (SpriteRedraw.renderScreen)
        SpriteRedraw.renderScreen(0, 0, kLayerWidth, kLayerHeight);
    if (SpriteRedraw.invalidateTwoRects)
        SpriteRedraw.invalidateTwoRects(target, old.x, old.y, old.width, old.height + kRepaintExtra,
                                        sprite.x, sprite.y, sprite.width,
                                        sprite.height + kRepaintExtra);
    if (SpriteRedraw.isPuzzleSolved && SpriteRedraw.showSolvedMessage && CurrentPuzzleUnsolved() &&
        SpriteRedraw.isPuzzleSolved())
        SpriteRedraw.showSolvedMessage(target);
}

// A read-only drawing context on a bitmap (the platform's contexts take a mutable pointer).
plat::DrawContext SourceContext(const plat::Bitmap* bitmap)
{
    return plat::DrawContext(const_cast<plat::Bitmap*>(bitmap));
}

// ---- base operations ----

TileSprite* DestroyBase(TileSprite* sprite, int freeFlag)
{
    sprite->variant = &BaseSprite;
    std::fill(std::begin(sprite->images), std::end(sprite->images), nullptr);
    std::fill(std::begin(sprite->masks), std::end(sprite->masks), nullptr);
    sprite->seeThroughMask.reset();
    sprite->ownedBitmaps.clear();
    if (freeFlag & 1) {
        delete sprite;
        return nullptr;
    }
    return sprite;
}

void Turn(TileSprite& sprite, plat::Window* target, int step)
{
    plat::Size oldSize{sprite.width, sprite.height};
    sprite.orientation = (sprite.orientation + step + 8) % 8;
    sprite.refreshSize();
    if (sprite.seeThrough)
        sprite.makeSeeThrough(target);
    plat::Point oldPosition{sprite.x, sprite.y};
    sprite.clampToBoard();
    RedrawAfterChange(sprite, target,
                      {oldPosition.x, oldPosition.y, oldSize.width, oldSize.height});
}

void RotateCounterClockwise(TileSprite& sprite, plat::Window* target)
{
    Turn(sprite, target, 1);
}
void RotateClockwise(TileSprite& sprite, plat::Window* target)
{
    Turn(sprite, target, -1);
}

// A triangle mirrored is a triangle turned: only the orientation changes; no clamping.
void MirrorTriangle(TileSprite& sprite, plat::Window* target, int axis)
{
    plat::Rect old = RectOf(sprite);
    sprite.orientation = (axis - sprite.orientation + 8) % 8;
    sprite.refreshSize();
    if (sprite.seeThrough)
        sprite.makeSeeThrough(target);
    RedrawAfterChange(sprite, target, old);
}

void FlipVerticalBase(TileSprite& sprite, plat::Window* target)
{
    MirrorTriangle(sprite, target, 4);
}
void FlipHorizontalBase(TileSprite& sprite, plat::Window* target)
{
    MirrorTriangle(sprite, target, 8);
}

void MoveBy(TileSprite& sprite, plat::Window* target, int columns, int rows)
{
    plat::Point old{sprite.x, sprite.y};
    sprite.x += columns * sprite.gridUnit;
    sprite.y += rows * sprite.gridUnit;
    sprite.clampToBoard();
    if (sprite.x == old.x && sprite.y == old.y)
        return;
    if (SpriteRedraw.renderScreen)
        SpriteRedraw.renderScreen(old.x, old.y, sprite.width, sprite.height);
    if (SpriteRedraw.invalidateTwoRects)
        SpriteRedraw.invalidateTwoRects(target, old.x, old.y, sprite.width,
                                        sprite.height + kRepaintExtra, sprite.x, sprite.y,
                                        sprite.width, sprite.height + kRepaintExtra);
}

// The current mask with only the pixels where the pattern, shifted by patternPhase, is set.
void MakeSeeThroughBase(TileSprite& sprite, plat::Window*)
{
    sprite.seeThroughMask.reset();
    const plat::Bitmap* mask = sprite.currentMask();
    auto seeThroughMask = plat::CreateMonoBitmap(sprite.width, sprite.height);
    if (mask && seeThroughMask) {
        plat::DrawContext dc(seeThroughMask.get());
        plat::DrawContext pattern = SourceContext(&SeeThroughPattern());
        plat::MaskBlt(dc, 0, 0, sprite.width, sprite.height, pattern, sprite.patternPhase, 0, mask,
                      0, 0, kRopSourceOrBlack);
    }
    sprite.seeThroughMask = std::move(seeThroughMask);
    sprite.seeThrough = true;
}

// ---- variant phase rules: the phase that keeps the dither of a tile in step with the board ----

constexpr int kPlaySmallTriangleMask = 182;

void MakeSeeThroughTriangle(TileSprite& sprite, plat::Window* target)
{
    bool shifted = sprite.maskBase == kPlaySmallTriangleMask &&
                   (sprite.orientation == 0 || sprite.orientation == 2);
    sprite.patternPhase = shifted ? 1 : 0;
    MakeSeeThroughBase(sprite, target);
}

void MakeSeeThroughSquare(TileSprite& sprite, plat::Window* target)
{
    sprite.patternPhase = sprite.orientation % 2 == 1 ? 1 : 2;
    MakeSeeThroughBase(sprite, target);
}

void MakeSeeThroughParallelogram(TileSprite& sprite, plat::Window* target)
{
    bool shifted = sprite.mirrored ? sprite.orientation == 3
                                   : (sprite.orientation == 2 || sprite.orientation == 6);
    sprite.patternPhase = shifted ? 1 : 0;
    MakeSeeThroughBase(sprite, target);
}

// ---- square and parallelogram ----

void FlipSquare(TileSprite&, plat::Window*) {}

// Shows the other side: the arrays swap, and orientation o of one side faces 7 - o of the other.
void MirrorParallelogram(TileSprite& sprite, plat::Window* target)
{
    plat::Rect old = RectOf(sprite);
    sprite.mirrored = !sprite.mirrored;
    for (int k = 0; k < 8; ++k) {
        std::swap(sprite.images[k], sprite.mirroredImages[k]);
        std::swap(sprite.masks[k], sprite.mirroredMasks[k]);
    }
    sprite.orientation = 7 - sprite.orientation;
    sprite.refreshSize();
    // A see-through mask of the old shape would no longer fit, window or not.
    if (sprite.seeThrough)
        sprite.makeSeeThrough(target);
    if (!target)
        return;
    RedrawAfterChange(sprite, target, old);
}

TileSprite* DestroyParallelogram(TileSprite* sprite, int freeFlag)
{
    std::fill(std::begin(sprite->mirroredImages), std::end(sprite->mirroredImages), nullptr);
    std::fill(std::begin(sprite->mirroredMasks), std::end(sprite->mirroredMasks), nullptr);
    return DestroyBase(sprite, freeFlag);
}

// ---- drawing ----

// The tile's source block: the stored image, or the picture under the tile cut by its mask.
const plat::Bitmap* SourceBlock(const TileSprite& sprite, const plat::DrawContext& target,
                                std::unique_ptr<plat::Bitmap>& temporary)
{
    if (!sprite.pictureFill)
        return sprite.currentImage();
    if (!sprite.pictureSource)
        return nullptr;
    temporary = plat::CreateCompatibleBitmap(target, sprite.width, sprite.height);
    if (!temporary)
        return nullptr;
    plat::DrawContext imageDc(temporary.get());
    plat::MaskBlt(imageDc, 0, 0, sprite.width, sprite.height, *sprite.pictureSource, sprite.x,
                  sprite.y, sprite.currentMask(), 0, 0, kRopSourceOrBlack);
    return temporary.get();
}

void FillBackdrop(const TileSprite& sprite, plat::DrawContext& backdropDc, int backdrop)
{
    int w = sprite.width, h = sprite.height;
    if (backdrop == kBackdropPanel) {
        backdropDc.brush =
            plat::Brush{SpriteRedraw.panelBodyColor ? SpriteRedraw.panelBodyColor() : plat::kBlack};
        plat::PatBlt(backdropDc, 0, 0, w, h, plat::kRopPatCopy);
        return;
    }
    const Layer& layer = backdrop == kBackdropBoard ? BoardLayer : BackgroundLayer;
    if (layer.surface)
        plat::BitBlt(backdropDc, 0, 0, w, h, &layer.dc, sprite.x, sprite.y, plat::kRopSrcCopy);
}

// Inside the shape: the tile where the see-through mask is set, the backdrop elsewhere.
void DrawSeeThrough(const TileSprite& sprite, plat::DrawContext& target,
                    const plat::DrawContext& imageDc, int backdrop)
{
    int w = sprite.width, h = sprite.height;
    auto blend = plat::CreateCompatibleBitmap(target, w, h);
    auto block = plat::CreateCompatibleBitmap(target, w, h);
    if (!blend || !block || !sprite.seeThroughMask)
        return;
    plat::DrawContext blendDc(blend.get());
    plat::DrawContext backdropDc(block.get());
    FillBackdrop(sprite, backdropDc, backdrop);
    const plat::Bitmap* dither = sprite.seeThroughMask.get();
    plat::MaskBlt(blendDc, 0, 0, w, h, imageDc, 0, 0, dither, 0, 0, kRopSourceOrBlack);
    plat::MaskBlt(backdropDc, 0, 0, w, h, blendDc, 0, 0, dither, 0, 0, kRopSourceOverDest);
    plat::MaskBlt(backdropDc, 0, 0, w, h, backdropDc, 0, 0, sprite.currentMask(), 0, 0,
                  kRopSourceOrBlack);
    plat::MaskBlt(target, sprite.x, sprite.y, w, h, backdropDc, 0, 0, sprite.currentMask(), 0, 0,
                  kRopSourceOverDest);
}

} // namespace

const SpriteVariant BaseSprite = {
    .name = "TileSprite",
    .destroy = DestroyBase,
    .rotateCounterClockwise = RotateCounterClockwise,
    .rotateClockwise = RotateClockwise,
    .flipVertical = FlipVerticalBase,
    .flipHorizontal = FlipHorizontalBase,
    .moveBy = MoveBy,
    .makeSeeThrough = MakeSeeThroughBase,
};
const SpriteVariant TriangleSprite = {
    .name = "TriangleSprite",
    .destroy = DestroyBase,
    .rotateCounterClockwise = RotateCounterClockwise,
    .rotateClockwise = RotateClockwise,
    .flipVertical = FlipVerticalBase,
    .flipHorizontal = FlipHorizontalBase,
    .moveBy = MoveBy,
    .makeSeeThrough = MakeSeeThroughTriangle,
};
const SpriteVariant SquareSprite = {
    .name = "SquareSprite",
    .destroy = DestroyBase,
    .rotateCounterClockwise = RotateCounterClockwise,
    .rotateClockwise = RotateClockwise,
    .flipVertical = FlipSquare,
    .flipHorizontal = FlipSquare,
    .moveBy = MoveBy,
    .makeSeeThrough = MakeSeeThroughSquare,
};
const SpriteVariant ParallelogramSprite = {
    .name = "ParallelogramSprite",
    .destroy = DestroyParallelogram,
    .rotateCounterClockwise = RotateCounterClockwise,
    .rotateClockwise = RotateClockwise,
    .flipVertical = MirrorParallelogram,
    .flipHorizontal = MirrorParallelogram,
    .moveBy = MoveBy,
    .makeSeeThrough = MakeSeeThroughParallelogram,
};

SpriteRedrawHooks SpriteRedraw{};

SpriteHandle NewSprite(const SpriteVariant& variant, int gridUnit)
{
    SpriteHandle sprite(new TileSprite);
    sprite->variant = &variant;
    sprite->gridUnit = gridUnit;
    return sprite;
}

plat::Bitmap* TileSprite::keep(std::unique_ptr<plat::Bitmap> bitmap)
{
    ownedBitmaps.push_back(std::move(bitmap));
    return ownedBitmaps.back().get();
}

void TileSprite::refreshSize()
{
    const plat::Bitmap* image = currentImage();
    width = image ? image->width() : 0;
    height = image ? image->height() : 0;
}

void TileSprite::place(int column, int row, int newOrientation)
{
    orientation = ((newOrientation % 8) + 8) % 8;
    y = row * gridUnit;
    x = column * gridUnit;
    refreshSize();
}

GridPosition TileSprite::gridPosition() const
{
    return {x / gridUnit, y / gridUnit, orientation};
}

void TileSprite::clampToBoard()
{
    x = std::max(x, 0);
    if (x + width > kBoardWidth)
        x = kBoardWidth - width - ((kBoardWidth - width) % kClampStep);
    y = std::max(y, 0);
    if (y + height > kBoardHeight)
        y = kBoardHeight - height - ((kBoardHeight - height) % kClampStep);
}

void TileSprite::clearSeeThrough()
{
    clampToBoard();
    seeThroughMask.reset();
    seeThrough = false;
}

bool TileSprite::hitTest(int px, int py) const
{
    int dx = px - x, dy = py - y;
    const plat::Bitmap* mask = currentMask();
    if (!mask || dx < 0 || dx >= mask->width() || dy < 0 || dy >= mask->height())
        return false;
    return mask->pixelValue(dx, dy) != 0;
}

void TileSprite::draw(plat::DrawContext& target, int backdrop)
{
    std::unique_ptr<plat::Bitmap> temporary;
    const plat::Bitmap* source = SourceBlock(*this, target, temporary);
    if (!source || !currentMask())
        return;
    plat::DrawContext imageDc = SourceContext(source);
    if (seeThrough)
        DrawSeeThrough(*this, target, imageDc, backdrop);
    else
        plat::MaskBlt(target, x, y, width, height, imageDc, 0, 0, currentMask(), 0, 0,
                      kRopSourceOverDest);
}

void TileSprite::drawMask(plat::DrawContext& target) const
{
    const plat::Bitmap* mask = seeThrough && seeThroughMask ? seeThroughMask.get() : currentMask();
    if (!mask)
        return;
    plat::DrawContext maskDc = SourceContext(mask);
    plat::MaskBlt(target, x, y, mask->width(), mask->height(), maskDc, 0, 0, mask, 0, 0,
                  kRopInvertUnderMask);
}
