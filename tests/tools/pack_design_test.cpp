// Pack authoring: source text and pack files, record checks, silhouettes under turns and
// mirrors, the exact-cover solver, grown and sketched figures, contact sheets, and the shipped
// packs under the game's own solved check.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "pack/pack_design.h"
#include "pack/pack_figures.h"
#include "pack/pack_sheet.h"
#include "pack/pack_sketch.h"
#include "pack/pack_solver.h"
#include "game/solved_check.h"
#include "support/game_fixture.h"

namespace {

Silhouette Shape(int w, int h, int a = 0, int b = 0, int c = 0, int d = 0)
{
    const int cut[4] = {a, b, c, d};
    return CutRectangle(w, h, cut);
}

// The first layout the solver finds for a silhouette, as a normalised record.
PuzzleRecord FirstRecord(const Silhouette& shape)
{
    CoverResult found = CoverAll(7, TargetOfSilhouette(shape), 1, true);
    EXPECT_EQ(found.count, 1);
    return found.layouts.empty() ? PuzzleRecord{} : Normalised(RecordOfLayout(found.layouts[0]));
}

bool HasProblem(const std::vector<std::string>& problems, const std::string& words)
{
    for (const std::string& p : problems)
        if (p.find(words) != std::string::npos)
            return true;
    return false;
}

std::string Bytes(const PackBlock& block)
{
    return std::string(reinterpret_cast<const char*>(&block), sizeof block);
}

} // namespace

TEST(PackDesign, EveryPieceIsMadeOfWholeQuarterCells)
{
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int image = 0; image < kKindImageCount[kind]; ++image) {
            const Piece& piece = PieceAt(7, kind, image);
            EXPECT_TRUE(piece.exact) << "kind " << kind << " image " << image;
            EXPECT_FALSE(PieceAt(1, kind, image).parts.empty());
        }
    // Two small triangles, right angles facing, make the square's axis-aligned image.
    const int pairs[2][2] = {{1, 5}, {3, 7}};
    for (const auto& pair : pairs) {
        std::vector<CellPart> both = PieceAt(7, kSmallKind, pair[0]).parts;
        for (const CellPart& p : PieceAt(7, kSmallKind, pair[1]).parts) {
            EXPECT_EQ(std::ranges::count(both, p), 0) << "the halves overlap";
            both.push_back(p);
        }
        std::ranges::sort(both, [](const CellPart& a, const CellPart& b) {
            return std::tie(a.cy, a.cx, a.part) < std::tie(b.cy, b.cx, b.part);
        });
        EXPECT_EQ(both, PieceAt(7, kSquareKind, 0).parts) << pair[0] << " + " << pair[1];
    }
}

TEST(PackDesign, SourceTextAndPackFilesRoundTrip)
{
    std::vector<DesignPuzzle> puzzles = {
        {"Square", {"kind: convex", "seed: 12"}, FirstRecord(Shape(12, 12))},
        {"Diamond", {}, FirstRecord(Shape(16, 16, 8, 8, 8, 8))},
    };
    std::vector<std::string> errors;
    std::vector<DesignPuzzle> parsed = ParsePackSource(FormatPackSource(puzzles), errors);
    ASSERT_TRUE(errors.empty());
    ASSERT_EQ(parsed.size(), 2u);
    EXPECT_EQ(parsed[0].name, "Square");
    EXPECT_EQ(NoteValue(parsed[0], "seed"), "12");
    EXPECT_EQ(std::memcmp(&parsed[1].record, &puzzles[1].record, sizeof(PuzzleRecord)), 0);

    PackBlock block;
    std::string error;
    ASSERT_TRUE(MakePackBlock(parsed, 2, block, error));
    EXPECT_EQ(block.count, 2);
    EXPECT_EQ(block.headCheck, PackTable[2].headCheck);
    EXPECT_EQ(block.tailCheck, PackTable[2].tailCheck);
    EXPECT_EQ(PackIndexOfBlock(block), 2);
    std::string bytes = Bytes(block);
    EXPECT_EQ(bytes.find_first_not_of('\0', 2 + 2 * sizeof(PuzzleRecord)), sizeof(PackBlock) - 1);

    // dump, then build again: the same bytes.
    std::vector<DesignPuzzle> dumped = ParsePackSource(FormatPackSource(PuzzlesOfBlock(block)), errors);
    PackBlock rebuilt;
    ASSERT_TRUE(MakePackBlock(dumped, PackIndexOfBlock(block), rebuilt, error));
    EXPECT_EQ(Bytes(rebuilt), bytes);

    std::vector<DesignPuzzle> tooMany(101, puzzles[0]);
    EXPECT_FALSE(MakePackBlock(tooMany, 1, block, error));
    EXPECT_FALSE(MakePackBlock(puzzles, 4, block, error)) << "the custom pack has no fixed check bytes";
}

TEST(PackDesign, SourceTextErrorsNameTheirLine)
{
    const struct {
        const char* text;
        const char* line;
    } cases[] = {
        {"tile 0 0 0\n", "line 1"},
        {"puzzle A\ntile 0 0 0\nmirrored 0\n", "line 0"}, // too few tiles, found at the end
        {"puzzle A\ntile 0 0\n", "line 2"},
        {"puzzle A\nhello\n", "line 2"},
        {"puzzle A\ntile 0 0 0 0\n", "line 2"},
        {"puzzle A\nmirrored 0\nmirrored 1\n", "line 3"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> errors;
        EXPECT_TRUE(ParsePackSource(c.text, errors).empty()) << c.text;
        ASSERT_FALSE(errors.empty()) << c.text;
        EXPECT_NE(errors[0].find(c.line), std::string::npos) << c.text << " -> " << errors[0];
    }
}

TEST(PackDesign, RecordProblemsFindEachFault)
{
    const PuzzleRecord square = FirstRecord(Shape(12, 12));
    EXPECT_TRUE(RecordProblems(square).empty());
    const struct {
        const char* fault;
        std::function<void(PuzzleRecord&)> make;
        const char* words;
    } cases[] = {
        {"tile on tile", [](PuzzleRecord& r) { r.x[1] = r.x[0]; r.y[1] = r.y[0]; r.orientation[1] = r.orientation[0]; },
         "overlap at grid unit 7"},
        {"tile moved away", [](PuzzleRecord& r) { r.x[3] = static_cast<std::int8_t>(r.x[3] + 14); }, "connected"},
        {"shifted right", [](PuzzleRecord& r) { for (auto& x : r.x) ++x; }, "not normalised"},
        {"shifted down", [](PuzzleRecord& r) { for (auto& y : r.y) ++y; }, "does not accept"},
        {"far right", [](PuzzleRecord& r) { r.x[0] = 40; }, "does not fit the board"},
        {"far down", [](PuzzleRecord& r) { r.y[6] = 36; }, "does not fit the check surface"},
        {"bad turn", [](PuzzleRecord& r) { r.orientation[2] = 8; }, "not 0..7"},
        {"bad mirror", [](PuzzleRecord& r) { r.mirrored = 2; }, "not 0 or 1"},
    };
    for (const auto& c : cases) {
        PuzzleRecord record = square;
        c.make(record);
        std::vector<std::string> problems = RecordProblems(record);
        EXPECT_TRUE(HasProblem(problems, c.words)) << c.fault;
    }
}

TEST(PackDesign, SilhouetteKeysSeeTurnsAndMirrors)
{
    // A figure with no symmetry: every turn and mirror image is a different picture.
    const Silhouette lopsided = Trimmed(SilhouetteOf(FirstRecord(Shape(12, 16, 0, 6, 4, 8))));
    const std::string key = CanonicalKey(lopsided);
    for (int symmetry = 0; symmetry < 8; ++symmetry) {
        Silhouette turned = Transformed(lopsided, symmetry);
        EXPECT_EQ(turned.area(), lopsided.area());
        EXPECT_EQ(symmetry == 0, turned == lopsided) << symmetry;
        // The same figure laid out by the solver in its turned frame keeps the key.
        EXPECT_EQ(CanonicalKey(SilhouetteOf(FirstRecord(turned))), key) << symmetry;
    }
    Silhouette fourTurns = lopsided;
    for (int turn = 0; turn < 4; ++turn)
        fourTurns = Transformed(fourTurns, 1);
    EXPECT_EQ(fourTurns, lopsided);
    EXPECT_EQ(Transformed(Transformed(lopsided, 4), 4), lopsided);
    EXPECT_NE(CanonicalKey(Shape(12, 12)), key);
    EXPECT_NE(CanonicalKey(Shape(12, 12)), CanonicalKey(Shape(16, 16, 8, 8, 8, 8)));
}

TEST(PackSolver, TheSquareHasOneDissectionInEightPositions)
{
    // The seven tiles make a square one way only; the square's 4 turns and 2 sides give 8
    // layouts, in either frame (sides along the grid, or along its diagonals).
    for (const Silhouette& square : {Shape(12, 12), Shape(16, 16, 8, 8, 8, 8)}) {
        CoverResult all = CoverAll(7, TargetOfSilhouette(square), 100, true);
        EXPECT_EQ(all.count, 8);
        EXPECT_FALSE(all.capped);
        for (std::size_t i = 0; i < all.layouts.size(); ++i) {
            PuzzleRecord record = RecordOfLayout(all.layouts[i]);
            EXPECT_TRUE(RecordProblems(record).empty());
            EXPECT_EQ(SilhouetteOf(record), square);
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_NE(all.layouts[i], all.layouts[j]);
        }
        CoverResult capped = CoverAll(7, TargetOfSilhouette(square), 3, false);
        EXPECT_EQ(capped.count, 3);
        EXPECT_TRUE(capped.capped);
    }
    // A square one cell short has no layout at all.
    EXPECT_EQ(CoverAll(7, TargetOfSilhouette(Shape(12, 11)), 100, false).count, 0);
}

TEST(PackSolver, CheckSurfaceFollowsTheSolvedCheck)
{
    const PuzzleRecord solution = FirstRecord(Shape(12, 16, 0, 6, 4, 8));
    const struct {
        const char* change;
        std::function<void(PuzzleRecord&)> make;
        bool solved;
    } cases[] = {
        {"none", [](PuzzleRecord&) {}, true},
        {"player shifted", [](PuzzleRecord& r) { for (int i = 0; i < 7; ++i) { r.x[i] += 5; r.y[i] += 3; } }, true},
        {"like tiles swapped", [](PuzzleRecord& r) {
             std::swap(r.x[0], r.x[1]); std::swap(r.y[0], r.y[1]); std::swap(r.orientation[0], r.orientation[1]);
             std::swap(r.x[5], r.x[6]); std::swap(r.y[5], r.y[6]); std::swap(r.orientation[5], r.orientation[6]);
         }, true},
        {"parallelogram flipped", [](PuzzleRecord& r) { r.mirrored ^= 1; }, false},
        {"one tile moved", [](PuzzleRecord& r) { r.x[2] += 1; }, false},
    };
    for (const auto& c : cases) {
        PuzzleRecord player = solution;
        c.make(player);
        EXPECT_EQ(CheckSurfaceMatches(solution, player), c.solved) << c.change;
    }
    PuzzleRecord unnormalised = solution;
    for (auto& x : unnormalised.x)
        ++x;
    EXPECT_FALSE(CheckSurfaceMatches(unnormalised, unnormalised));
}

TEST(PackSolver, AnalysisGradesByLayoutCount)
{
    PuzzleAnalysis square = AnalysePuzzle(FirstRecord(Shape(12, 12)), 1000);
    EXPECT_EQ(square.layouts, 8);
    EXPECT_TRUE(square.fair());
    EXPECT_EQ(square.grade, GradeOfLayoutCount(8));
    for (long n = 1; n < 300; ++n) {
        EXPECT_LE(GradeOfLayoutCount(n + 1), GradeOfLayoutCount(n)) << n;
        EXPECT_GE(GradeOfLayoutCount(n), 1);
        EXPECT_LE(GradeOfLayoutCount(n), 5);
    }
    EXPECT_EQ(GradeOfLayoutCount(1), 5);
}

TEST(PackFigures, GrownFiguresAreRepeatableAndSound)
{
    int grown = 0;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        Layout layout = GrowOne(seed);
        EXPECT_EQ(GrowOne(seed), layout) << seed;
        if (layout.empty())
            continue;
        ++grown;
        ASSERT_EQ(layout.size(), 7u);
        PuzzleRecord record = Normalised(RecordOfLayout(layout));
        // Grown in open space, so only the check-surface limit may bite.
        for (const std::string& p : RecordProblems(record))
            EXPECT_NE(p.find("does not fit"), std::string::npos) << seed << ": " << p;
        // Every tile after the first touched the ones before it along a whole edge.
        QuarterGrid grid{64, 64, std::vector<int>(64 * 64 * 4, -1)};
        for (std::size_t t = 0; t < layout.size(); ++t) {
            const Piece& piece = PieceAt(7, layout[t].kind, layout[t].image);
            Layout before(layout.begin(), layout.begin() + static_cast<long>(t));
            if (t > 0) {
                EXPECT_TRUE(TouchesAlongEdge(grid, before, piece, layout[t].x, layout[t].y)) << seed << " tile " << t;
            }
            for (const CellPart& p : piece.parts)
                grid.owner[static_cast<std::size_t>(((layout[t].y + p.cy) * 64 + layout[t].x + p.cx) * 4 + p.part)] = static_cast<int>(t);
        }
    }
    EXPECT_GT(grown, 0);
}

TEST(PackFigures, ScoresRankTheSquareAboveARing)
{
    FigureScore square = ScoreSilhouette(Shape(12, 12));
    EXPECT_DOUBLE_EQ(square.convexity, 1.0);
    EXPECT_DOUBLE_EQ(square.compactness, 1.0);
    EXPECT_DOUBLE_EQ(square.symmetry, 1.0);
    EXPECT_EQ(square.holes, 0);
    EXPECT_EQ(square.edges, 4);
    EXPECT_EQ(square.steps, 0);

    std::vector<std::string> errors;
    Silhouette ring = Shape(6, 6);
    for (int part = 0; part < 4; ++part)
        ring.cells[2 * 6 + 2] &= static_cast<std::uint8_t>(~(1 << part));
    FigureScore ringScore = ScoreSilhouette(ring);
    EXPECT_EQ(ringScore.holes, 4);
    EXPECT_LT(ringScore.total, square.total);
    EXPECT_EQ(ScoreSilhouette(Shape(16, 16, 8, 8, 8, 8)).edges, 4);
}

TEST(PackFigures, SketchesBecomeTheirFigures)
{
    std::string text = "sketch Square\n";
    for (int row = 0; row < 12; ++row)
        text += "############\n";
    text += "sketch Small\n####\n";
    std::vector<std::string> errors;
    std::vector<DesignPuzzle> figures = FiguresOfSketches(text, errors);
    ASSERT_EQ(figures.size(), 1u);
    EXPECT_EQ(figures[0].name, "Square");
    EXPECT_EQ(Trimmed(SilhouetteOf(figures[0].record)), Shape(12, 12));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("Small"), std::string::npos);
    // Opposite halves of a cell make a whole cell.
    EXPECT_EQ(SketchCellBits('q') | SketchCellBits('d'), SketchCellBits('#'));
    EXPECT_EQ(SketchCellBits('p') | SketchCellBits('b'), SketchCellBits('#'));
    EXPECT_EQ(SketchCellBits('q') & SketchCellBits('d'), 0);
    EXPECT_EQ(SketchCellBits('v') | SketchCellBits('<') | SketchCellBits('^') | SketchCellBits('>'), 15);
    EXPECT_EQ(SketchCellBits('x'), -1);
}

TEST(PackFigures, ContactSheetShowsOverlapsInRed)
{
    PuzzleRecord fit = FirstRecord(Shape(12, 12));
    PuzzleRecord clash = fit;
    clash.x[1] = clash.x[0];
    clash.y[1] = clash.y[0];
    clash.orientation[1] = clash.orientation[0];
    auto redPixels = [](const plat::Bitmap& sheet) {
        int red = 0;
        for (int y = 0; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x)
                red += sheet.valueToColor(sheet.pixelValue(x, y)) == plat::MakeColor(255, 0, 0) ? 1 : 0;
        return red;
    };
    auto clean = DrawContactSheet({{"fit", {}, fit}}, {});
    auto clashing = DrawContactSheet({{"fit", {}, fit}, {"clash", {}, clash}}, {});
    ASSERT_TRUE(clean && clashing);
    EXPECT_EQ(redPixels(*clean), 0);
    EXPECT_GT(redPixels(*clashing), 0);
    EXPECT_EQ(clashing->width(), 2 * clean->width());
    EXPECT_EQ(DrawContactSheet({{"fit", {}, fit}}, {1, false, 10}), nullptr) << "grid unit 1 is too small to look at";
    // The coarse masks of neighbouring tiles share seam pixels; the default sheet of every shipped
    // puzzle must not call those overlaps.
    for (const char* file : {"freeware.zdb", "pack1.zdb", "pack2.zdb", "pack3.zdb"}) {
        std::ifstream in(std::string(ZENTILES_SOURCE_DIR) + "/assets/" + file, std::ios::binary);
        PackBlock block{};
        in.read(reinterpret_cast<char*>(&block), sizeof block);
        auto shipped = DrawContactSheet(PuzzlesOfBlock(block), {});
        ASSERT_TRUE(shipped) << file;
        EXPECT_EQ(redPixels(*shipped), 0) << file;
    }
}

TEST(PackFigures, NearFitsAccountForEveryQuarter)
{
    // One row more than the square: no exact layout, but near fits exist.
    const Silhouette shape = Shape(12, 13);
    EXPECT_EQ(CoverAll(7, TargetOfSilhouette(shape), 1, false).count, 0);
    std::vector<SketchFit> fits = FitSilhouette(shape, 200);
    ASSERT_FALSE(fits.empty());
    for (std::size_t i = 0; i < fits.size(); ++i) {
        const SketchFit& fit = fits[i];
        ASSERT_EQ(fit.layout.size(), 7u);
        PuzzleRecord record = RecordOfLayout(fit.layout);
        Silhouette placed = SilhouetteOf(record);
        int pieceArea = 0, inside = 0;
        for (const Placement& p : fit.layout)
            for (const CellPart& q : PieceAt(7, p.kind, p.image).parts) {
                ++pieceArea;
                // Fits are laid out with a margin of 3 cells around the silhouette.
                inside += (shape.at(p.x + q.cx - 3, p.y + q.cy - 3) >> q.part) & 1;
            }
        EXPECT_EQ(placed.area(), pieceArea) << "tiles overlap in fit " << i;
        EXPECT_EQ(fit.covered, inside) << i;
        EXPECT_EQ(fit.covered + fit.outside, pieceArea) << i;
        EXPECT_LE(fit.covered, shape.area());
        if (i > 0) {
            EXPECT_GE(fits[i - 1].covered - 3 * fits[i - 1].outside, fit.covered - 3 * fit.outside);
        }
    }
}

TEST(PackSolver, UnfairSilhouettesAreCaught)
{
    // In the second figure the coarse check pixels of two different-looking layouts agree.
    const struct {
        Silhouette shape;
        bool fair;
    } cases[] = {{Shape(12, 12), true}, {Shape(12, 21, 0, 12, 3, 9), false}};
    for (const auto& c : cases) {
        PuzzleRecord record = FirstRecord(c.shape);
        long others = 0;
        for (const Layout& layout : CoverAll(1, PixelTargetOfRecord(record), 1000, true).layouts) {
            PuzzleRecord player = RecordOfLayout(layout);
            ASSERT_TRUE(CheckSurfaceMatches(record, player) ||
                        *std::min_element(player.x, player.x + 7) != 0 ||
                        *std::min_element(player.y, player.y + 7) != 0)
                << "a cover of the check pixels in the puzzle's frame is accepted";
            if (CheckSurfaceMatches(record, player) &&
                Trimmed(SilhouetteOf(Normalised(player))) != Trimmed(c.shape))
                ++others;
        }
        PuzzleAnalysis analysis = AnalysePuzzle(record, 1000);
        EXPECT_EQ(analysis.acceptedOthers, others);
        EXPECT_EQ(analysis.fair(), c.fair);
        EXPECT_EQ(others == 0, c.fair);
    }
}

namespace {

class ShippedPacks : public testsupport::GameFixture {
protected:
    // The play tiles laid out as a record says, shifted by whole cells.
    void layOut(const PuzzleRecord& record, int dx, int dy)
    {
        if (PlaySet[4].mirrored != (record.mirrored != 0))
            PlaySet[4].flipVertical(nullptr);
        for (int i = 0; i < 7; ++i)
            put(i, record.x[i] + dx, record.y[i] + dy, OrientationOf(record, i));
    }
};

bool ReadPack(const std::string& path, PackBlock& block)
{
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(&block), sizeof block);
    return in.gcount() == static_cast<std::streamsize>(sizeof block) && in.peek() == EOF;
}

} // namespace

TEST_F(ShippedPacks, TheGameSolvedCheckAgreesOnEveryShippedPuzzle)
{
    const char* files[4] = {"freeware.zdb", "pack1.zdb", "pack2.zdb", "pack3.zdb"};
    for (int pack = 0; pack < 4; ++pack) {
        PackBlock block;
        ASSERT_TRUE(ReadPack(std::string(ZENTILES_SOURCE_DIR) + "/assets/" + files[pack], block)) << files[pack];
        EXPECT_EQ(PackIndexOfBlock(block), pack) << files[pack];
        ASSERT_GT(block.count, 0);
        ASSERT_LE(block.count, 100);
        for (int i = 0; i < block.count; ++i) {
            const PuzzleRecord& record = block.puzzles[i];
            PuzzlePack.block.count = block.count;
            PuzzlePack.block.puzzles[i] = record;
            GameSettings.currentPuzzle = i;
            EXPECT_TRUE(RecordProblems(record).empty()) << files[pack] << " puzzle " << i;
            layOut(record, 3, 2);
            EXPECT_TRUE(IsPuzzleSolved()) << files[pack] << " puzzle " << i;
            // A nudged tile: the game and the tool's model of it answer alike.
            PuzzleRecord nudged = record;
            nudged.x[i % 7] = static_cast<std::int8_t>(nudged.x[i % 7] + 1);
            layOut(nudged, 3, 2);
            EXPECT_EQ(IsPuzzleSolved(), CheckSurfaceMatches(record, nudged)) << files[pack] << " puzzle " << i;
        }
    }
}
