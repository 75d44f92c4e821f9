// The pack tool: builds pack files from readable sources, dumps, checks, draws and solves them,
// and makes new puzzles (convex shapes, grown figures, sketched designs).
// Usage:
//   zentiles-pack build SOURCE.txt OUT.zdb --pack N
//   zentiles-pack dump FILE.zdb
//   zentiles-pack check FILE.zdb...
//   zentiles-pack sheet FILE.zdb|SOURCE.txt OUT.png [--unit 7|3] [--tiles]
//   zentiles-pack solve FILE.zdb|SOURCE.txt [N]
//   zentiles-pack convex [--limit L]                      source text of every convex figure
//   zentiles-pack grow SEED COUNT [--tries T]              source text of grown figures
//   zentiles-pack design SKETCH.txt                        source text of sketched figures
//   zentiles-pack order SOURCE.txt...                      sources sorted by grade, with notes
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
#include "pack/pack_solver.h"
#include "platform/bitmap.h"
#include "platform/png_writer.h"
#include "platform/window.h"

namespace {

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
    std::cout << "# pack " << PackIndexOfBlock(block) << ", " << puzzles.size() << " puzzles\n\n"
              << FormatPackSource(puzzles);
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
        std::cerr << "usage: zentiles-pack sheet FILE OUT.png [--unit 7|3] [--tiles]\n";
        return 2;
    }
    SheetOptions options;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--unit" && i + 1 < args.size())
            options.unit = std::atoi(args[++i].c_str());
        else if (args[i] == "--tiles")
            options.colourTiles = true;
    }
    std::vector<DesignPuzzle> puzzles;
    if (!LoadPuzzles(args[0], puzzles))
        return 1;
    std::unique_ptr<plat::Bitmap> sheet = DrawContactSheet(puzzles, options);
    if (!sheet || !plat::SavePng(*sheet, args[1])) {
        std::cerr << args[1] << ": cannot write the sheet\n";
        return 1;
    }
    return 0;
}

int Solve(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::cerr << "usage: zentiles-pack solve FILE [N]\n";
        return 2;
    }
    std::vector<DesignPuzzle> puzzles;
    if (!LoadPuzzles(args[0], puzzles))
        return 1;
    int only = args.size() > 1 ? std::atoi(args[1].c_str()) : -1;
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

int Design(const std::vector<std::string>& args)
{
    std::string text;
    if (args.size() != 1 || !ReadText(args[0], text)) {
        std::cerr << "usage: zentiles-pack design SKETCH.txt\n";
        return 2;
    }
    std::vector<std::string> errors;
    std::vector<DesignPuzzle> puzzles = FiguresOfSketches(text, errors);
    for (const std::string& e : errors)
        std::cerr << args[0] << ": " << e << "\n";
    std::cout << FormatPackSource(puzzles);
    return errors.empty() ? 0 : 1;
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
    for (const Command& command : kCommands)
        if (argc > 1 && std::strcmp(argv[1], command.name) == 0)
            return command.run(args);
    std::cerr << "usage: zentiles-pack build|dump|check|sheet|solve|convex|grow|design|order ...\n";
    return 2;
}
