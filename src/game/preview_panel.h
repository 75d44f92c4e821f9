// The preview panel: the one floating panel over the board. It shows the target silhouette (the
// preview set, 3 pixels per grid cell), the puzzle number, the time and the hints, and carries the
// buttons of its title row and, in editMode, of its edit row. It keeps its own picture -- title
// row, edit row, body -- and copies the visible parts onto the screen when drawn.
#pragma once

#include <memory>

#include "platform/geometry.h"
#include "platform/raster.h"

struct PuzzleRecord;
struct TileSet;

// The buttons, in the order of their pressed and armed flags.
enum PanelButton : int {
    kExpandButton,         // title row, right: expand / collapse
    kNextIncompleteButton, // title row: the next unsolved puzzle
    kNumberButton,         // title row, left: the puzzle number (the browser)
    kPreviousButton,       // edit row
    kStoreButton,
    kNextNewButton,
    kDeleteButton,         // delete the puzzles following the current one
    kCloseEditButton,
    kPanelButtonCount
};

class PreviewPanel {
public:
    // As made at window creation: the preview set, its grid unit, every flag false, no picture.
    void create(TileSet* set, int unit);

    // Rebuilds the picture for puzzle `index` laid out as `record`: width at least 64, the
    // silhouette centred in whole cells when narrow; an index at or past the pack's count shows
    // an empty body. Then the status line, the overlay (when on) and the header.
    void ShowPuzzle(const PuzzleRecord& record, int index);
    // Keeps the panel inside the board, then copies its visible parts onto the target at (x, y).
    void DrawPanel(plat::DrawContext& target);
    // Redraws the title and edit rows into the picture: number label and button glyphs, each
    // normal or pressed.
    void DrawHeader();
    // Redraws the status line from the current puzzle's progress: EDIT / ADD in editMode, the
    // word COMPLETE (inverse while the board shows the solution), or time and hint count.
    void DrawStatusLine();
    void MovePanelBy(int dx, int dy);
    void SetPanelPosition(int newX, int newY);
    plat::Point GetPanelPosition() const { return {x, y}; }
    // Whether the pen at board pixel (penX, penY) lies on the button; sets its pressed flag to the
    // answer and redraws the header.
    bool HitButton(PanelButton button, int penX, int penY);
    // A pen down at board pixel (penX, penY): arms the button under it or, elsewhere on the panel,
    // the drag. False when the pen is not on the panel.
    bool PanelPenDown(int penX, int penY);

    // The panel's picture area on the board: (x, y, width, bodyHeight + 21).
    plat::Rect area() const { return {x, y, width, bodyHeight + 21}; }
    // The button armed by the last pen down, or -1.
    int armedButton() const;

    std::unique_ptr<plat::Bitmap> picture; // width x (bodyHeight + 21), compatible with the screen
    plat::DrawContext pictureDc;
    TileSet* previewSet = nullptr;
    plat::Color titleColor = 0;      // title and edit rows
    plat::Color textColor = 0;       // button glyphs and the puzzle number
    plat::Color bodyColor = 0;       // body background
    plat::Color foregroundColor = 0; // status line; the silhouette tiles share it
    int gridUnit = 3;
    int x = 0;
    int y = 0;
    int width = 64;
    int bodyHeight = 0;
    int puzzleNumber = 0;
    bool pressed[kPanelButtonCount] = {};
    bool armed[kPanelButtonCount] = {};
    bool dragArmed = false;
    bool expanded = false;
    bool editMode = false;

private:
    void drawGlyph(int glyph, int gx, int gy, int w, int h, bool inverse);
    void paintStatusGlyph(int glyph, int gx, int w, std::uint32_t rop);
    void clearStatus(int left, int right);
    int extent() const;
};

// The one panel, owned by the shell for the whole run.
extern PreviewPanel Panel;

// Shows puzzle `index` of the pack in the panel: its record, or an empty body for an index that
// names no record.
void ShowPuzzleInPanel(int index);
