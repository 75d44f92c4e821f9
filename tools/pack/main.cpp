// The pack tool: builds pack files from readable sources, dumps, checks, draws and solves them,
// and makes new puzzles (convex shapes, grown figures, figures fitted to sketches).
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "pack/pack_design.h"
#include "pack/pack_figures.h"
#include "pack/pack_sheet.h"
#include "pack/pack_sketch.h"
#include "pack/pack_solver.h"
#include "platform/bitmap.h"
#include "platform/png_writer.h"
#include "platform/window.h"

namespace {

constexpr const char* kUsage = R"(usage: zentiles-pack COMMAND ...
  build SOURCE.txt OUT.zdb --pack N     a pack file (N 0..3) from source text
  dump FILE.zdb                         a pack file as source text, with kind, grade and layouts
  check FILE.zdb|SOURCE.txt...          fit, overlaps at grid units 7 and 1, fairness, duplicates
  sheet FILE OUT.png [--unit 7|3] [--tiles] [--names] [--columns C]
                                        a contact sheet of the silhouettes
  solve FILE [N] [--show]               layouts and grade of every puzzle (or of puzzle N);
                                        --show draws one layout as text
  convex [--limit L]                    source text of every convex figure
  grow SEED COUNT [--tries T]           source text of grown figures
  design SKETCH.txt [--only NAME] [--fits K] [--png OUT.png]
         [--max-open P] [--max-added P] [--jagged] [--all] [--effort E]
                                        source text of figures fitted to their sketches
                                        (--all: every fit shown, refused ones too;
                                        --effort: search longer, 1..20)
  order SOURCE.txt...                   sources sorted by grade, with grade and layouts notes
  --help                                this text
FILE is a pack file (.zdb) or a source file (.txt).
)";

bool ReadText(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

bool IsSourcePath(const std::string& path)
{
    return path.size() > 4 && path.substr(path.size() - 4) == ".txt";
}

// Puzzles of a pack file or a source file; false with a message on stderr.
bool LoadPuzzles(const std::string& path, std::vector<DesignPuzzle>& puzzles, PackBlock* blockOut = nullptr)
{
    std::string text;
    if (!ReadText(path, text)) {
        std::cerr << path << ": cannot read\n";
        return false;
    }
    if (IsSourcePath(path)) {
        std::vector<std::string> errors;
        puzzles = ParsePackSource(text, errors);
        for (const std::string& e : errors)
            std::cerr << path << ": " << e << "\n";
        return errors.empty();
    }
    if (text.size() != sizeof(PackBlock)) {
        std::cerr << path << ": " << text.size() << " bytes, a pack file has " << sizeof(PackBlock) << "\n";
        return false;
    }
    PackBlock block;
    std::memcpy(&block, text.data(), sizeof block);
    if (blockOut)
        *blockOut = block;
    puzzles = PuzzlesOfBlock(block);
    return true;
}

int Build(const std::vector<std::string>& args)
{
    if (args.size() != 4 || args[2] != "--pack") {
        std::cerr << "usage: zentiles-pack build SOURCE.txt OUT.zdb --pack N\n";
        return 2;
    }
    std::vector<DesignPuzzle> puzzles;
    if (!LoadPuzzles(args[0], puzzles))
        return 1;
    PackBlock block;
    std::string error;
    if (!MakePackBlock(puzzles, std::atoi(args[3].c_str()), block, error)) {
        std::cerr << args[0] << ": " << error << "\n";
        return 1;
    }
    std::ofstream out(args[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(&block), sizeof block);
    if (!out) {
        std::cerr << args[1] << ": cannot write\n";
        return 1;
    }
    std::cout << args[1] << ": " << puzzles.size() << " puzzles\n";
    return 0;
}

// Notes a dumped record can carry: kind when it shows, grade and layouts, or its problems.
std::vector<std::string> ComputedNotes(const PuzzleRecord& record, bool custom)
{
    std::vector<std::string> problems = RecordProblems(record);
    if (!problems.empty()) {
        for (std::string& p : problems)
            p = "problem: " + p;
        return problems;
    }
    std::vector<std::string> notes;
    if (ScoreSilhouette(SilhouetteOf(record)).convexity >= 1.0)
        notes.push_back("kind: convex");
    else if (custom)
        notes.push_back("kind: designed"); // laid out by hand on the board
    PuzzleAnalysis a = AnalysePuzzle(record, kSolveLimit);
    notes.push_back("grade: " + std::to_string(a.grade));
    notes.push_back("layouts: " + std::to_string(a.layouts) + (a.layoutsCapped ? "+" : ""));
    if (!a.fair())
        notes.push_back("problem: the solved check judges it unfairly (see solve)");
    return notes;
}

int Dump(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::cerr << "usage: zentiles-pack dump FILE.zdb\n";
        return 2;
    }
    std::vector<DesignPuzzle> puzzles;
    PackBlock block{};
    if (!LoadPuzzles(args[0], puzzles, &block))
        return 1;
    int pack = IsSourcePath(args[0]) ? -1 : PackIndexOfBlock(block);
    bool custom = !IsSourcePath(args[0]) && pack < 0;
    if (custom)
        std::cout << "# custom pack, " << puzzles.size() << " puzzles\n\n";
    else
        std::cout << "# pack " << pack << ", " << puzzles.size() << " puzzles\n\n";
    for (DesignPuzzle& p : puzzles) {
        if (!IsSourcePath(args[0]))
            p.notes = ComputedNotes(p.record, custom);
        if (custom)
            p.name = "Custom " + p.name;
    }
    std::cout << FormatPackSource(puzzles);
    return 0;
}

int Check(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::cerr << "usage: zentiles-pack check FILE.zdb...\n";
        return 2;
    }
    int failures = 0;
    std::map<std::string, std::string> seen; // canonical silhouette -> first puzzle showing it
    for (const std::string& path : args) {
        std::vector<DesignPuzzle> puzzles;
        PackBlock block{};
        if (!LoadPuzzles(path, puzzles, &block)) {
            ++failures;
            continue;
        }
        if (!IsSourcePath(path) && PackIndexOfBlock(block) < 0) {
            std::cerr << path << ": check bytes belong to no built-in pack\n";
            ++failures;
        }
        if (!IsSourcePath(path) && (block.count < 0 || block.count > kPuzzlesPerPack)) {
            std::cerr << path << ": count " << int(block.count) << " is not 0..100\n";
            ++failures;
        }
        for (std::size_t i = 0; i < puzzles.size(); ++i) {
            std::string where = path + " puzzle " + std::to_string(i);
            std::vector<std::string> problems = RecordProblems(puzzles[i].record);
            for (const std::string& p : problems)
                std::cerr << where << ": " << p << "\n";
            failures += static_cast<int>(problems.size());
            if (!problems.empty())
                continue;
            if (!AnalysePuzzle(puzzles[i].record, kSolveLimit).fair()) {
                std::cerr << where << ": the solved check judges it unfairly (see solve)\n";
                ++failures;
            }
            auto [it, fresh] = seen.emplace(CanonicalKey(SilhouetteOf(puzzles[i].record)), where);
            if (!fresh) {
                std::cerr << where << ": same silhouette as " << it->second << " (turned or mirrored)\n";
                ++failures;
            }
        }
        std::cout << path << ": " << puzzles.size() << " puzzles\n";
    }
    if (failures) {
        std::cerr << failures << " problem(s)\n";
        return 1;
    }
    std::cout << "all puzzles fit\n";
    return 0;
}

int Sheet(const std::vector<std::string>& args)
{
    if (args.size() < 2) {
        std::cerr << "usage: zentiles-pack sheet FILE OUT.png [--unit 7|3] [--tiles] [--names] [--columns C]\n";
        return 2;
    }
    SheetOptions options;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--unit" && i + 1 < args.size())
            options.unit = std::atoi(args[++i].c_str());
        else if (args[i] == "--columns" && i + 1 < args.size())
            options.columns = std::atoi(args[++i].c_str());
        else if (args[i] == "--tiles")
            options.colourTiles = true;
        else if (args[i] == "--names")
            options.names = true;
        else {
            std::cerr << "sheet: unknown option " << args[i] << "\n";
            return 2;
        }
    }
    std::vector<DesignPuzzle> puzzles;
    if (!LoadPuzzles(args[0], puzzles))
        return 1;
    std::unique_ptr<plat::Bitmap> sheet = DrawContactSheet(puzzles, options);
    if (!sheet || !plat::SavePng(*sheet, args[1])) {
        std::cerr << args[1] << ": cannot write the sheet (units 3 and 7 can be drawn)\n";
        return 1;
    }
    return 0;
}

int Solve(const std::vector<std::string>& args)
{
    std::vector<std::string> rest;
    bool show = false;
    for (const std::string& a : args) {
        if (a == "--show")
            show = true;
        else
            rest.push_back(a);
    }
    if (rest.empty() || rest.size() > 2) {
        std::cerr << "usage: zentiles-pack solve FILE [N] [--show]\n";
        return 2;
    }
    std::vector<DesignPuzzle> puzzles;
    if (!LoadPuzzles(rest[0], puzzles))
        return 1;
    int only = rest.size() > 1 ? std::atoi(rest[1].c_str()) : -1;
    int unfair = 0;
    int grades[6] = {};
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        if (only >= 0 && static_cast<int>(i) != only)
            continue;
        if (!RecordProblems(puzzles[i].record).empty()) {
            std::cout << i << " " << puzzles[i].name << ": not a fit puzzle (see check)\n";
            ++unfair;
            continue;
        }
        PuzzleAnalysis a = AnalysePuzzle(puzzles[i].record, kSolveLimit);
        ++grades[a.grade];
        std::cout << i << " " << puzzles[i].name << ": " << a.layouts << (a.layoutsCapped ? "+" : "")
                  << " layouts, grade " << a.grade;
        if (a.refusedLookalikes)
            std::cout << ", " << a.refusedLookalikes << " look-alike layouts refused by the check";
        if (a.acceptedOthers)
            std::cout << ", " << a.acceptedOthers << " different layouts accepted by the check";
        std::cout << "\n";
        if (show)
            std::cout << TextPicture(puzzles[i].record)
                      << "(tiles 0 1 small triangles, 2 medium, 3 square, 4 parallelogram"
                      << (puzzles[i].record.mirrored ? " flipped" : "") << ", 5 6 large)\n";
        unfair += a.fair() ? 0 : 1;
    }
    std::cout << "grades 1..5:";
    for (int g = 1; g <= 5; ++g)
        std::cout << " " << grades[g];
    std::cout << "\n";
    if (unfair) {
        std::cerr << unfair << " puzzle(s) unfit or judged unfairly by the solved check\n";
        return 1;
    }
    return 0;
}

int Convex(const std::vector<std::string>& args)
{
    long limit = args.size() > 1 && args[0] == "--limit" ? std::atol(args[1].c_str()) : kSolveLimit;
    std::cout << FormatPackSource(ConvexFigures(limit));
    return 0;
}

int Grow(const std::vector<std::string>& args)
{
    if (args.size() < 2) {
        std::cerr << "usage: zentiles-pack grow SEED COUNT [--tries T]\n";
        return 2;
    }
    GrowOptions options;
    options.seed = static_cast<unsigned>(std::atol(args[0].c_str()));
    options.count = std::atoi(args[1].c_str());
    if (args.size() > 3 && args[2] == "--tries")
        options.tries = std::atoi(args[3].c_str());
    std::cout << FormatPackSource(GrowFigures(options));
    return 0;
}

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool ParseDesignOptions(const std::vector<std::string>& args, FitOptions& options, std::string& only,
                        std::string& png, bool& all)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        bool valued = i + 1 < args.size();
        if (args[i] == "--only" && valued)
            only = args[++i];
        else if (args[i] == "--fits" && valued)
            options.fits = std::clamp(std::atoi(args[++i].c_str()), 1, 12);
        else if (args[i] == "--png" && valued)
            png = args[++i];
        else if (args[i] == "--max-open" && valued)
            options.maxOpen = std::clamp(std::atof(args[++i].c_str()), 0.0, 100.0) / 100;
        else if (args[i] == "--max-added" && valued)
            options.maxAdded = std::clamp(std::atof(args[++i].c_str()), 0.0, 100.0) / 100;
        else if (args[i] == "--jagged")
            options.jagged = true;
        else if (args[i] == "--effort" && valued)
            options.effort = std::clamp(std::atoi(args[++i].c_str()), 1, 20);
        else if (args[i] == "--all")
            all = true;
        else
            return false;
    }
    return true;
}

int Design(const std::vector<std::string>& args)
{
    std::string text, only, png;
    FitOptions options;
    bool all = false;
    if (args.empty() || !ParseDesignOptions(args, options, only, png, all)) {
        std::cerr << "usage: zentiles-pack design SKETCH.txt [--only NAME] [--fits K] [--png OUT.png] "
                     "[--max-open P] [--max-added P] [--jagged] [--all] [--effort E]\n";
        return 2;
    }
    if (!ReadText(args[0], text)) {
        std::cerr << args[0] << ": cannot read\n";
        return 1;
    }
    std::vector<std::string> errors;
    std::vector<Sketch> sketches = ParseSketches(text, FolderOf(args[0]), errors);
    for (const std::string& e : errors)
        std::cerr << args[0] << ": " << e << "\n";
    if (!errors.empty())
        return 1;
    std::cerr << "the seven tiles cover " << kTileAreaLow << " to " << kTileAreaHigh
              << " quarter cells; polygons and pictures are scaled into that band\n";
    std::vector<FitSheetRow> rows;
    int failures = 0;
    for (const Sketch& sketch : sketches) {
        if (!only.empty() && sketch.name != only)
            continue;
        FitOptions wanted = options;
        wanted.fits = std::max(options.fits, sketch.pick);
        std::string error;
        FigureDesign design = DesignFigure(sketch, wanted, error);
        std::cerr << args[0] << ":" << sketch.line << ": " << sketch.name;
        SketchDrawing drawing;
        std::string ignored;
        if (!sketch.polygons.empty() && DrawingOfSketch(sketch, drawing, ignored))
            std::cerr << " (as drawn " << std::lround(4 * drawing.area) << " quarter cells)";
        std::cerr << "\n";
        if (!error.empty())
            std::cerr << "  " << error << "\n";
        for (std::size_t i = 0; i < design.accepted.size(); ++i)
            std::cerr << "  fit " << i + 1 << (static_cast<int>(i) + 1 == sketch.pick ? " (picked)" : "")
                      << ": " << DescribeFit(design.accepted[i]) << "\n";
        for (const std::string& why : design.why)
            std::cerr << "  no fit: " << why << "\n";
        for (const FigureFit& near : design.nearest)
            std::cerr << "  " << (design.accepted.empty() ? "nearest" : "better but refused") << ": "
                      << DescribeFit(near) << "\n";
        if (all) {
            std::vector<DesignPuzzle> shown;
            for (const std::vector<FigureFit>* list : {&design.accepted, &design.nearest})
                for (const FigureFit& fit : *list) {
                    shown.push_back(PuzzleOfFit(sketch, fit));
                    shown.back().name += (list == &design.accepted ? " (fit " : " (refused ") +
                                         std::to_string(shown.size()) + ")";
                }
            std::cout << FormatPackSource(shown);
        } else if (static_cast<int>(design.accepted.size()) >= sketch.pick) {
            std::cout << FormatPackSource({PuzzleOfFit(sketch, design.accepted[static_cast<std::size_t>(sketch.pick - 1)])});
        }
        if (static_cast<int>(design.accepted.size()) < sketch.pick)
            ++failures;
        rows.push_back({sketch.name, std::move(design)});
    }
    if (!png.empty()) {
        std::unique_ptr<plat::Bitmap> sheet = DrawFitSheet(rows);
        if (!sheet || !plat::SavePng(*sheet, png)) {
            std::cerr << png << ": cannot write the fits\n";
            return 1;
        }
    }
    if (rows.empty())
        std::cerr << "no sketch" << (only.empty() ? "" : " named \"" + only + "\"") << "\n";
    return failures || rows.empty() ? 1 : 0;
}

int Order(const std::vector<std::string>& args)
{
    std::vector<DesignPuzzle> all;
    for (const std::string& path : args) {
        std::vector<DesignPuzzle> puzzles;
        if (!LoadPuzzles(path, puzzles))
            return 1;
        all.insert(all.end(), puzzles.begin(), puzzles.end());
    }
    std::cout << FormatPackSource(GradedInOrder(all, kSolveLimit));
    return 0;
}

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
};
constexpr Command kCommands[] = {
    {"build", Build}, {"dump", Dump},     {"check", Check},   {"sheet", Sheet}, {"solve", Solve},
    {"convex", Convex}, {"grow", Grow}, {"design", Design}, {"order", Order},
};

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
                      std::strcmp(argv[1], "help") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    for (const Command& command : kCommands)
        if (argc > 1 && std::strcmp(argv[1], command.name) == 0)
            return command.run(args);
    std::cerr << kUsage;
    return 2;
}
