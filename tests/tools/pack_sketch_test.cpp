// Figure sketches and the pack tool's command line: polygons, pictures and pieces brought to the
// tiles, refusals that explain themselves, and the tool run end to end as a designer runs it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "pack/pack_design.h"
#include "pack/pack_sheet.h"
#include "pack/pack_sketch.h"
#include "pack/pack_solver.h"
#include "platform/bitmap.h"
#include "platform/png_writer.h"
#include "platform/window.h"

namespace {

// A sitting cat laid out by hand: a diamond head with two ears, a body of the large triangles,
// a tail on the ground and one raised.
constexpr const char* kCatPieces = "piece d 0,3\npiece s-right 0,0\npiece s-left 3,0\npiece l-br -2,6\n"
                                   "piece l-bl 6,6\npiece p-b\\ 11,11\npiece m-br 11,5\n";

Sketch OnlySketch(const std::string& text)
{
    std::vector<std::string> errors;
    std::vector<Sketch> sketches = ParseSketches(text, std::filesystem::temp_directory_path().string(), errors);
    EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors[0]);
    EXPECT_EQ(sketches.size(), 1u);
    return sketches.empty() ? Sketch{} : sketches[0];
}

FigureDesign Designed(const std::string& text, FitOptions options = {})
{
    std::string error;
    FigureDesign design = DesignFigure(OnlySketch(text), options, error);
    EXPECT_TRUE(error.empty()) << error;
    return design;
}

struct ToolRun {
    int status = -1;
    std::string output; // stdout and stderr together
};

ToolRun RunTool(const std::string& arguments)
{
    ToolRun run;
    std::string command = std::string(ZENTILES_PACK_TOOL) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.output.append(buffer, n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("zentiles_pack_test_" + name)).string();
}

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool Contains(const std::string& text, const std::string& words)
{
    return text.find(words) != std::string::npos;
}

} // namespace

TEST(PackSketch, PolygonsPicturesAndPiecesFindTheirTiles)
{
    // A square drawn three times too large in quarter cells is scaled back into the tiles' band.
    FigureDesign square = Designed("sketch Square\nunit quarter\npoly 0,0 144,0 144,144 0,144\n");
    ASSERT_FALSE(square.accepted.empty());
    EXPECT_EQ(square.accepted[0].open, 0);
    EXPECT_EQ(square.accepted[0].added, 0);
    EXPECT_GE(square.accepted[0].sketchArea, kTileAreaLow);
    EXPECT_LE(square.accepted[0].sketchArea, kTileAreaHigh);

    // The same square as a black-and-white picture, 48 pixels a side on white.
    auto picture = plat::CreateScreenBitmap(60, 60);
    ASSERT_TRUE(picture);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            bool ink = x >= 5 && x < 53 && y >= 7 && y < 55;
            picture->setPixelValue(x, y, picture->colorToValue(ink ? plat::MakeColor(0, 0, 0) : plat::MakeColor(255, 255, 255)));
        }
    const std::string png = TempPath("square.png");
    ASSERT_TRUE(plat::SavePng(*picture, png));
    FigureDesign drawn = Designed("sketch Picture\npicture " + png + "\n");
    ASSERT_FALSE(drawn.accepted.empty());
    EXPECT_EQ(Trimmed(SilhouetteOf(RecordOfFit(drawn.accepted[0]))), Trimmed(SilhouetteOf(RecordOfFit(square.accepted[0]))));

    // Pieces laid out by hand come back as exactly their own silhouette, with grade and layouts.
    Sketch cat = OnlySketch(std::string("sketch Cat\nnote category: animal\n") + kCatPieces);
    std::string error;
    FigureDesign fitted = DesignFigure(cat, {}, error);
    ASSERT_FALSE(fitted.accepted.empty()) << error;
    DesignPuzzle puzzle = PuzzleOfFit(cat, fitted.accepted[0]);
    EXPECT_EQ(Trimmed(SilhouetteOf(puzzle.record)), Trimmed(SilhouetteOfPieces(cat.pieces)));
    EXPECT_EQ(NoteValue(puzzle, "category"), "animal");
    EXPECT_EQ(NoteValue(puzzle, "kind"), "designed");
    EXPECT_FALSE(NoteValue(puzzle, "grade").empty());

    // Every tile image has exactly one piece name.
    std::set<std::pair<int, int>> images;
    for (const char* kind : {"s-", "m-", "l-"})
        for (const char* shape : {"up", "tl", "left", "bl", "down", "br", "right", "tr"}) {
            int k = -1, image = -1;
            EXPECT_TRUE(PieceOfName(std::string(kind) + shape, k, image)) << kind << shape;
            images.insert({k, image});
        }
    for (const char* name : {"q", "d", "p-a/", "p-a\\", "p-a|/", "p-a|\\", "p-b/", "p-b\\", "p-b|/", "p-b|\\"}) {
        int k = -1, image = -1;
        EXPECT_TRUE(PieceOfName(name, k, image)) << name;
        images.insert({k, image});
    }
    EXPECT_EQ(images.size(), 34u);
    int k = 0, image = 0;
    EXPECT_FALSE(PieceOfName("l-middle", k, image));
    EXPECT_FALSE(PieceOfName("x-up", k, image));
}

TEST(PackSketch, RefusedFitsSayWhy)
{
    // A bar two cells wide holds no large triangle; the explanation says so and shows the nearest.
    FigureDesign thin = Designed("sketch Bar\nunit cell\nscale 1\npoly 0,0 68,0 68,2 0,2\n");
    EXPECT_TRUE(thin.accepted.empty());
    ASSERT_FALSE(thin.why.empty());
    EXPECT_TRUE(Contains(thin.why[0], "512 to 576")) << thin.why[0];
    bool noLarge = false;
    for (const std::string& why : thin.why)
        noLarge = noLarge || Contains(why, "large triangle");
    EXPECT_TRUE(noLarge);
    ASSERT_FALSE(thin.nearest.empty());
    EXPECT_FALSE(thin.nearest[0].refusals.empty());

    // One row more than the square: no exact layout, so the open share decides.
    std::string sketch = "sketch Tall\n";
    for (int row = 0; row < 13; ++row)
        sketch += "############\n";
    FitOptions strict;
    strict.maxOpen = 0;
    FigureDesign refused = Designed(sketch, strict);
    EXPECT_TRUE(refused.accepted.empty());
    bool saysOpen = false;
    for (const FigureFit& fit : refused.nearest)
        for (const std::string& why : fit.refusals)
            saysOpen = saysOpen || Contains(why, "--max-open");
    EXPECT_TRUE(saysOpen);
    FitOptions lenient;
    lenient.maxOpen = 0.1;
    FigureDesign accepted = Designed(sketch, lenient);
    ASSERT_FALSE(accepted.accepted.empty());
    EXPECT_GT(accepted.accepted[0].open, 0);
    EXPECT_LE(accepted.accepted[0].openShare(), 0.1);
}

TEST(PackTool, CommandLineEndToEnd)
{
    ToolRun help = RunTool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Contains(help.output, "usage: zentiles-pack"));
    EXPECT_EQ(RunTool("").status, 2);
    EXPECT_EQ(RunTool("bogus").status, 2);

    // A custom pack as the board's store button leaves it: random check bytes, a fit puzzle and a
    // broken one. Its dump carries computed notes and builds back into the same records.
    std::string error;
    Sketch cat = OnlySketch(std::string("sketch Cat\n") + kCatPieces);
    FigureDesign fitted = DesignFigure(cat, {}, error);
    ASSERT_FALSE(fitted.accepted.empty());
    PuzzleRecord figure = RecordOfFit(fitted.accepted[0]);
    PuzzleRecord broken = figure;
    broken.x[1] = broken.x[0];
    broken.y[1] = broken.y[0];
    broken.orientation[1] = broken.orientation[0];
    PackBlock block;
    ASSERT_TRUE(MakePackBlock({{"a", {}, figure}, {"b", {}, broken}}, 1, block, error));
    block.headCheck = 117;
    block.tailCheck = static_cast<std::int8_t>(203);
    const std::string custom = TempPath("custom.zdb");
    WriteText(custom, std::string(reinterpret_cast<const char*>(&block), sizeof block));
    ToolRun dump = RunTool("dump " + custom);
    ASSERT_EQ(dump.status, 0) << dump.output;
    EXPECT_TRUE(Contains(dump.output, "# custom pack, 2 puzzles"));
    EXPECT_TRUE(Contains(dump.output, "# kind: designed"));
    EXPECT_TRUE(Contains(dump.output, "# grade: "));
    EXPECT_TRUE(Contains(dump.output, "# layouts: "));
    EXPECT_TRUE(Contains(dump.output, "# problem: "));
    std::vector<std::string> errors;
    std::vector<DesignPuzzle> back = ParsePackSource(dump.output, errors);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(std::memcmp(&back[0].record, &figure, sizeof figure), 0);
    EXPECT_EQ(std::memcmp(&back[1].record, &broken, sizeof broken), 0);

    // solve --show draws the layout; check refuses an unfair puzzle.
    const std::string source = TempPath("source.txt");
    WriteText(source, FormatPackSource({{"Cat", {}, figure}}));
    ToolRun shown = RunTool("solve " + source + " 0 --show");
    EXPECT_EQ(shown.status, 0) << shown.output;
    for (char tile = '0'; tile <= '6'; ++tile)
        EXPECT_TRUE(Contains(shown.output, std::string(2, tile))) << tile;
    const int cut[4] = {0, 12, 3, 9};
    CoverResult unfairCover = CoverAll(7, TargetOfSilhouette(CutRectangle(12, 21, cut)), 1, true);
    ASSERT_FALSE(unfairCover.layouts.empty());
    const std::string unfair = TempPath("unfair.txt");
    WriteText(unfair, FormatPackSource({{"Unfair", {}, Normalised(RecordOfLayout(unfairCover.layouts[0]))}}));
    ToolRun checked = RunTool("check " + unfair);
    EXPECT_EQ(checked.status, 1);
    EXPECT_TRUE(Contains(checked.output, "unfairly")) << checked.output;

    // design writes the entry and a picture of its fits; a hopeless sketch exits 1 and says why.
    const std::string sketches = TempPath("sketches.txt");
    WriteText(sketches, std::string("sketch Cat\n") + kCatPieces + "\nsketch Bar\nunit cell\nscale 1\npoly 0,0 68,0 68,2 0,2\n");
    const std::string fits = TempPath("fits.png");
    std::filesystem::remove(fits);
    ToolRun designed = RunTool("design " + sketches + " --only Cat --png " + fits);
    EXPECT_EQ(designed.status, 0) << designed.output;
    EXPECT_TRUE(Contains(designed.output, "puzzle Cat"));
    EXPECT_GT(std::filesystem::file_size(fits), 0u);
    ToolRun hopeless = RunTool("design " + sketches + " --only Bar");
    EXPECT_EQ(hopeless.status, 1);
    EXPECT_TRUE(Contains(hopeless.output, "no fit"));
    ToolRun named = RunTool("sheet " + source + " " + TempPath("sheet.png") + " --names");
    EXPECT_EQ(named.status, 0) << named.output;
}

TEST(PackSheet, TextPictureCoversTheFigure)
{
    CoverResult square = CoverAll(7, TargetOfSilhouette(CutRectangle(12, 12, {0, 0, 0, 0})), 1, true);
    ASSERT_EQ(square.layouts.size(), 1u);
    std::string picture = TextPicture(Normalised(RecordOfLayout(square.layouts[0])));
    std::vector<std::string> rows;
    for (std::size_t at = 0, next; (next = picture.find('\n', at)) != std::string::npos; at = next + 1)
        rows.push_back(picture.substr(at, next - at));
    ASSERT_EQ(rows.size(), 12u);
    for (const std::string& row : rows) {
        EXPECT_EQ(row.size(), 24u);
        EXPECT_EQ(row.find('.'), std::string::npos) << row;
    }
    for (char tile = '0'; tile <= '6'; ++tile)
        EXPECT_NE(picture.find(tile), std::string::npos) << tile;
}
