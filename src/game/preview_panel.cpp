// The preview panel: its picture (title row, edit row, body with silhouette and status line),
// drawing it onto the screen inside the board, and what the pen hits on it.
#include "game/preview_panel.h"

#include <algorithm>

#include "data/puzzle_pack.h"
#include "data/settings.h"
#include "game/hints.h"
#include "game/solved_check.h"
#include "resources/glyphs.h"
#include "tiles/tile_set.h"

PreviewPanel Panel;

namespace {

constexpr int kMinWidth = 64;
constexpr int kTitleRows = 11;  // rows 0..10
constexpr int kHeaderRows = 21; // title and edit rows, 0..20
constexpr int kBoardBottom = 268;
constexpr int kBoardRight = 240;

// A button's glyph cell in the picture and its pen rectangle relative to the panel, exclusive
// bounds; `right` counts from the panel's width for the buttons at the right end.
struct ButtonPlace {
    bool fromRight;
    int cellX, cellY;
    int left, right, top, bottom;
};
constexpr ButtonPlace kButtons[kPanelButtonCount] = {
    {true, 11, 1, 12, 1, -2, 12},    // expand / collapse: W - 12 < px < W - 1
    {false, 20, 1, 20, 30, -2, 12},  // next incomplete
    {false, 2, 2, -2, 20, -2, 12},   // puzzle number
    {false, 2, 11, 2, 12, 8, 22},    // previous
    {false, 12, 11, 12, 22, 8, 22},  // store
    {false, 22, 11, 22, 32, 8, 22},  // next / new
    {false, 32, 11, 32, 42, 8, 22},  // delete following
    {true, 11, 11, 12, 1, 8, 22},    // close edit row
};

int ButtonGlyph(int button, bool expanded)
{
    switch (button) {
    case kExpandButton:
        return expanded ? kGlyphCollapse : kGlyphExpand;
    case kNextIncompleteButton:
        return kGlyphNextIncomplete;
    case kPreviousButton:
        return kGlyphPrevious;
    case kStoreButton:
        return kGlyphStore;
    case kNextNewButton:
        return kGlyphNext;
    case kDeleteButton:
        return kGlyphDelete;
    case kCloseEditButton:
        return kGlyphClose;
    default:
        return 0;
    }
}

} // namespace

void PreviewPanel::create(TileSet* set, int unit)
{
    *this = PreviewPanel{};
    previewSet = set;
    gridUnit = unit;
}

void PreviewPanel::ShowPuzzle(const PuzzleRecord& record, int index)
{
    if (!previewSet)
        return;
    plat::Brush body{bodyColor};
    puzzleNumber = index;
    TileSet& set = *previewSet;
    if (set.sprites[4] && set[4].mirrored != (record.mirrored != 0))
        set[4].flipVertical(nullptr);
    int maxX = 0, maxY = 0;
    for (int i = 0; i < kTileCount && set.sprites[i]; ++i) {
        const plat::Bitmap* image = set[i].images[OrientationOf(record, i)];
        maxX = std::max(maxX, record.x[i] * gridUnit + (image ? image->width() : 0));
        maxY = std::max(maxY, record.y[i] * gridUnit + (image ? image->height() : 0));
    }
    width = maxX + 6;
    bodyHeight = maxY + 13;
    int xOffset = 1;
    if (width < kMinWidth) {
        xOffset = (kMinWidth - width) / 6 + 1; // a narrow silhouette sits in the middle
        width = kMinWidth;
    }
    picture = plat::CreateScreenBitmap(width, bodyHeight + kHeaderRows);
    pictureDc = plat::DrawContext(picture.get());
    pictureDc.brush = body;
    plat::Rectangle(pictureDc, 0, kHeaderRows, width, bodyHeight + kHeaderRows);
    if (CurrentPuzzleExists() && set.sprites[0]) {
        for (int i = 0; i < kTileCount; ++i) {
            set[i].place(record.x[i] + xOffset, record.y[i] + 8, OrientationOf(record, i));
            set[i].draw(pictureDc, kBackdropBackground);
        }
    }
    DrawStatusLine();
    if (GameSettings.overlayShown == 1)
        BuildOverlay();
    DrawHeader();
}

void PreviewPanel::drawGlyph(int glyph, int gx, int gy, int w, int h, bool inverse)
{
    const plat::Bitmap* mask = Glyph(glyph);
    if (!mask || !picture)
        return;
    // The glyph goes through a scratch cell filled with the text colour.
    auto cell = plat::CreateCompatibleBitmap(pictureDc, 9, 9);
    plat::DrawContext cellDc(cell.get());
    cellDc.brush = plat::Brush{textColor};
    plat::PatBlt(cellDc, 0, 0, 9, 9, plat::kRopPatCopy);
    if (!inverse) {
        // Text colour on the glyph's pixels, the title row left as it is around them.
        plat::MaskBlt(cellDc, 0, 0, w, h, cellDc, 0, 0, mask, 0, 0, plat::kRopSourceOrBlack);
        plat::MaskBlt(pictureDc, gx, gy, w, h, cellDc, 0, 0, mask, 0, 0, plat::kRopSourceOverDest);
    } else {
        // The whole cell in the text colour, the glyph's pixels left in the title colour.
        plat::MaskBlt(cellDc, 0, 0, w, h, cellDc, 0, 0, mask, 0, 0, plat::kRopBlackUnderMaskOnBrush);
        plat::MaskBlt(pictureDc, gx, gy, w, h, cellDc, 0, 0, mask, 0, 0, plat::kRopOrUnderMask);
    }
}

void PreviewPanel::DrawHeader()
{
    if (!picture)
        return;
    pictureDc.pen = plat::Pen{plat::kBlack};
    pictureDc.brush = plat::Brush{titleColor};
    plat::Rectangle(pictureDc, 0, 0, width, kTitleRows);
    plat::Rectangle(pictureDc, 0, 10, width, kHeaderRows);
    for (int button = 0; button < kPanelButtonCount; ++button) {
        if (button == kNumberButton)
            continue;
        const ButtonPlace& place = kButtons[button];
        int cellX = place.fromRight ? width - place.cellX : place.cellX;
        drawGlyph(ButtonGlyph(button, expanded), cellX, place.cellY, 8, 8, pressed[button]);
    }
    // The number label: # and two digits, puzzle 0 shows as #00.
    int number = ((puzzleNumber % 100) + 100) % 100;
    bool inverse = pressed[kNumberButton];
    drawGlyph(kGlyphNumberSign, 2, 2, 7, 7, inverse);
    drawGlyph(kGlyphDigit0 + number / 10, 8, 2, 6, 7, inverse);
    drawGlyph(kGlyphDigit0 + number % 10, 13, 2, 6, 7, inverse);
}

void PreviewPanel::DrawPanel(plat::DrawContext& target)
{
    if (!picture)
        return;
    int W = width, H = bodyHeight;
    x = std::max(x, 1);
    if (x + W + 1 > kBoardRight)
        x = kBoardRight - 1 - W;
    y = std::max(y, 1);
    // Rows the panel needs below y; a panel reaching past the board's bottom is pushed up.
    int reach = expanded ? H + (editMode ? 21 : 11) : (editMode ? 32 : 22);
    if (y + reach > kBoardBottom)
        y = kBoardBottom - reach;
    plat::BitBlt(target, x, y, W, kTitleRows, &pictureDc, 0, 0, plat::kRopSrcCopy);
    if (editMode)
        plat::BitBlt(target, x, y + 11, W, 11, &pictureDc, 0, 11, plat::kRopSrcCopy);
    int bodyY = y + (editMode ? 21 : 11);
    if (expanded)
        plat::BitBlt(target, x, bodyY, W, H + kHeaderRows - 22, &pictureDc, 0, 22, plat::kRopSrcCopy);
    else
        plat::BitBlt(target, x, bodyY, W, 10, &pictureDc, 0, H + 11, plat::kRopSrcCopy);
}

void PreviewPanel::paintStatusGlyph(int glyph, int gx, int w, std::uint32_t rop)
{
    if (const plat::Bitmap* mask = Glyph(glyph))
        plat::MaskBlt(pictureDc, gx, bodyHeight + 12, w, 7, pictureDc, gx, bodyHeight + 12, mask, 0, 0,
                      rop);
}

void PreviewPanel::clearStatus(int left, int right)
{
    plat::FillRect(pictureDc, plat::Rect::fromEdges(left, bodyHeight + 12, right, bodyHeight + 19),
                   plat::Brush{bodyColor});
}

void PreviewPanel::DrawStatusLine()
{
    if (!picture)
        return;
    int W = width;
    bool isPuzzle = CurrentPuzzleExists();
    pictureDc.brush = plat::Brush{foregroundColor};
    if (editMode) {
        clearStatus(1, W - 1);
        paintStatusGlyph(isPuzzle ? kGlyphEdit : kGlyphAdd, (W - 16) / 2, isPuzzle ? 17 : 13,
                         plat::kRopBrushUnderMask);
        return;
    }
    const ProgressRecord* progress = CurrentPuzzleProgress();
    if (progress && progress->solved) {
        if (!isPuzzle)
            return;
        clearStatus(1, W - 1);
        pictureDc.brush = plat::Brush{foregroundColor};
        // Inverse while the board shows the solution right now.
        paintStatusGlyph(kGlyphComplete, (W - 33) / 2, 33,
                         IsPuzzleSolved() ? plat::kRopBrushAroundMask : plat::kRopBrushUnderMask);
        return;
    }
    clearStatus(8, W - 9);
    pictureDc.brush = plat::Brush{foregroundColor};
    // A damaged progress file may hold any values; the glyphs show them brought into range.
    int s = progress ? std::clamp<int>(progress->seconds, 0, kMaxPuzzleSeconds) : 0;
    int hints = progress ? std::clamp<int>(progress->hints, 0, 9) : 0;
    int fields[3] = {s / 3600 % 100, (s % 3600) / 60, s % 60};
    for (int f = 0; f < 3; ++f) {
        paintStatusGlyph(kGlyphDigit0 + fields[f] / 10, 8 + 12 * f, 6, plat::kRopBrushUnderMask);
        paintStatusGlyph(kGlyphDigit0 + fields[f] % 10, 13 + 12 * f, 6, plat::kRopBrushUnderMask);
    }
    paintStatusGlyph(kGlyphSeparator, 18, 3, plat::kRopBrushUnderMask);
    paintStatusGlyph(kGlyphSeparator, 30, 3, plat::kRopBrushUnderMask);
    paintStatusGlyph(kGlyphDigit0 + hints, W - 15, 6, plat::kRopBrushUnderMask);
}

void PreviewPanel::MovePanelBy(int dx, int dy)
{
    x += dx;
    y += dy;
}

void PreviewPanel::SetPanelPosition(int newX, int newY)
{
    x = newX;
    y = newY;
}

bool PreviewPanel::HitButton(PanelButton button, int penX, int penY)
{
    const ButtonPlace& place = kButtons[button];
    int px = penX - x, py = penY - y;
    int left = place.fromRight ? width - place.left : place.left;
    int right = place.fromRight ? width - place.right : place.right;
    bool hit = left < px && px < right && place.top < py && py < place.bottom;
    pressed[button] = hit;
    DrawHeader();
    return hit;
}

int PreviewPanel::extent() const
{
    if (!expanded)
        return editMode ? 32 : 22;
    return bodyHeight + (editMode ? 22 : 12);
}

bool PreviewPanel::PanelPenDown(int penX, int penY)
{
    int px = penX - x, py = penY - y;
    if (px < 0 || px > width || py < 0 || py > extent())
        return false;
    static constexpr PanelButton kOrder[] = {kExpandButton, kPreviousButton, kStoreButton,
                                             kNextNewButton, kDeleteButton, kCloseEditButton,
                                             kNextIncompleteButton, kNumberButton};
    for (PanelButton button : kOrder) {
        bool editRow = button >= kPreviousButton;
        if (editRow && !editMode)
            continue;
        if (HitButton(button, penX, penY)) {
            armed[button] = true;
            return true;
        }
    }
    int dragExtent = expanded ? bodyHeight + (editMode ? 22 : 11) : extent();
    if (0 < px && px < width && 0 < py && py < dragExtent) {
        dragArmed = true;
        return true;
    }
    return false;
}

int PreviewPanel::armedButton() const
{
    for (int button = 0; button < kPanelButtonCount; ++button)
        if (armed[button])
            return button;
    return -1;
}

void ShowPuzzleInPanel(int index)
{
    static const PuzzleRecord kEmpty{};
    bool hasRecord = index >= 0 && index < kPuzzlesPerPack;
    Panel.ShowPuzzle(hasRecord ? PuzzlePack.block.puzzles[index] : kEmpty, index);
}
