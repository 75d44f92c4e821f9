// Test helper: the scripted driver run on the real game, headless, in a folder of its own, and
// readers for what it prints.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/game_fixture.h"
#include "support/square_puzzle.h"

namespace testsupport {

constexpr int kTopBar = 26; // board row 0 is screen row 26

struct TileState {
    int x, y, orientation;
    bool mirrored;
};

struct DriveRun {
    int exitCode; // 128 + the signal when one ended it
    std::string output;
    std::vector<std::string> lines;
    long maxResidentKb = 0;
};

// Runs a program with standard output and error in outFile, at most 60 seconds (a run that
// hangs is ended and fails), with environment changes `NAME=value` or `NAME` to unset.
inline DriveRun RunProgram(std::vector<std::string> args, const std::string& outFile,
                    const std::vector<std::string>& environment = {})
{
    pid_t pid = fork();
    if (pid == 0) {
        int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(out, 2);
        for (const std::string& change : environment)
            change.find('=') == std::string::npos ? unsetenv(change.c_str()) : putenv(const_cast<char*>(change.c_str()));
        alarm(60);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    std::ifstream in(outFile, std::ios::binary);
    DriveRun run{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                 std::string(std::istreambuf_iterator<char>(in), {}), {}, usage.ru_maxrss};
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);)
        run.lines.push_back(line);
    return run;
}

class Driver : public GameFixture {
protected:
    DriveRun drive(const std::string& script)
    {
        std::string scriptFile = folder.write("script.txt", script);
        return RunProgram({std::string(ZENTILES_BINARY_DIR) + "/zentiles-drive", "--dir", folder.folder(), scriptFile},
                          folder.file("out.txt"));
    }
    static std::vector<TileState> tilesOf(const std::string& stateLine)
    {
        static const std::regex tile(
            R"(\{"index":(\d+),"x":(-?\d+),"y":(-?\d+),"orientation":(\d+),"mirrored":(true|false)\})");
        std::vector<TileState> tiles;
        for (std::sregex_iterator it(stateLine.begin(), stateLine.end(), tile), end; it != end; ++it)
            tiles.push_back({std::stoi((*it)[2]), std::stoi((*it)[3]), std::stoi((*it)[4]), (*it)[5] == "true"});
        return tiles;
    }
    static std::string lastState(const DriveRun& run)
    {
        for (auto it = run.lines.rbegin(); it != run.lines.rend(); ++it)
            if (it->rfind("{\"pack\"", 0) == 0)
                return *it;
        return "";
    }
    // Installs the shipped settings and a one-puzzle pack whose puzzle is the square.
    void installSquarePack()
    {
        std::ifstream cfg(std::string(ZENTILES_SOURCE_DIR) + "/assets/zentiles.cfg", std::ios::binary);
        folder.write("zentiles.cfg", std::string(std::istreambuf_iterator<char>(cfg), {}));
        PackBlock block{};
        block.count = 1;
        block.headCheck = PackTable[0].headCheck;
        block.tailCheck = PackTable[0].tailCheck;
        block.puzzles[0] = testsupport::SquarePuzzle();
        folder.write("freeware.zdb", std::string(reinterpret_cast<const char*>(&block), sizeof block));
    }
    static std::vector<int> zorderOf(const std::string& stateLine)
    {
        std::vector<int> order;
        std::smatch m;
        if (std::regex_search(stateLine, m, std::regex(R"("zorder":\[([0-9,]*)\])"))) {
            std::istringstream in(m[1].str());
            for (std::string item; std::getline(in, item, ',');)
                order.push_back(std::stoi(item));
        }
        return order;
    }
    // Mirrors the driver's tiles onto this process's play set and finds a board pixel on tile
    // `tile` that no tile in front of it (zorder, front first) covers.
    plat::Point pickPoint(const std::vector<TileState>& tiles, const std::vector<int>& zorder, int tile)
    {
        for (int i = 0; i < kTileCount; ++i) {
            const TileState& s = tiles[static_cast<std::size_t>(i)];
            if (PlaySet[i].mirrored != s.mirrored)
                PlaySet[i].flipVertical(nullptr);
            PlaySet[i].place(s.x / 7, s.y / 7, s.orientation);
        }
        std::vector<int> inFront;
        for (int k : zorder) {
            if (k == tile)
                break;
            inFront.push_back(k);
        }
        const TileSprite& t = PlaySet[tile];
        for (int y = t.y; y < t.y + t.height; ++y)
            for (int x = t.x; x < t.x + t.width; ++x) {
                bool visible = t.hitTest(x, y);
                for (int k : inFront)
                    visible = visible && !PlaySet[k].hitTest(x, y);
                if (visible)
                    return {x, y};
            }
        ADD_FAILURE() << "no visible pixel on tile " << tile;
        return {0, 0};
    }
    plat::Point pickPoint(const std::vector<TileState>& tiles, int tile)
    {
        return pickPoint(tiles, {0, 1, 2, 3, 4, 5, 6}, tile);
    }
    static void toFront(std::vector<int>& zorder, int tile)
    {
        std::erase(zorder, tile);
        zorder.insert(zorder.begin(), tile);
    }
    static std::string tap(plat::Point p)
    {
        return "tap " + std::to_string(p.x) + " " + std::to_string(p.y + kTopBar) + "\n";
    }
};

} // namespace testsupport
