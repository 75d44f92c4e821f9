// Exact covers of silhouettes by the seven tiles, and the grade and fairness drawn from them.
#include "pack/pack_solver.h"

#include <algorithm>
#include <array>
#include <climits>

namespace {

// The distinct images of each kind at a grid unit (identical pictures would count twice).
const std::vector<int>& DistinctImages(int unit, int kind)
{
    static std::vector<int> lists[2][kKindCount];
    std::vector<int>& list = lists[unit == 7 ? 0 : 1][kind];
    if (list.empty())
        for (int image = 0; image < kKindImageCount[kind]; ++image) {
            bool repeat = std::ranges::any_of(list, [&](int other) {
                return PieceAt(unit, kind, other).parts == PieceAt(unit, kind, image).parts;
            });
            if (!repeat)
                list.push_back(image);
        }
    return list;
}

// Depth-first exact cover: the first uncovered part in scan order must be the first part of
// whichever piece covers it, so each image gives one candidate position.
class CoverSearch {
public:
    CoverSearch(int unit, const CoverTarget& target, long limit, bool keep, CoverResult& out)
        : unit_(unit), target_(target), limit_(limit), keep_(keep), out_(out),
          covered_(target.filled.size(), 0)
    {
        for (std::uint8_t f : target.filled)
            uncovered_ += f;
        for (int kind = 0; kind < kKindCount; ++kind) {
            remaining_[kind] = kKindTileCount[kind];
            minArea_[kind] = INT_MAX;
            maxArea_[kind] = 0;
            for (int image : DistinctImages(unit, kind)) {
                int area = static_cast<int>(PieceAt(unit, kind, image).parts.size());
                minArea_[kind] = std::min(minArea_[kind], area);
                maxArea_[kind] = std::max(maxArea_[kind], area);
            }
        }
    }

    void run(std::size_t from)
    {
        if (out_.count >= limit_) {
            out_.capped = true;
            return;
        }
        while (from < covered_.size() && (!target_.filled[from] || covered_[from]))
            ++from;
        if (from == covered_.size() || chosen_.size() == 7) {
            if (from == covered_.size() && chosen_.size() == 7)
                record();
            return;
        }
        if (!areaCanFit())
            return;
        int cell = static_cast<int>(from) / target_.parts;
        int part = static_cast<int>(from) % target_.parts;
        for (int kind = 0; kind < kKindCount; ++kind) {
            if (remaining_[kind] == 0)
                continue;
            for (int image : DistinctImages(unit_, kind))
                tryPiece(PieceAt(unit_, kind, image), cell % target_.width, cell / target_.width,
                         part, from);
        }
    }

private:
    bool areaCanFit() const
    {
        long low = 0, high = 0;
        for (int kind = 0; kind < kKindCount; ++kind) {
            low += static_cast<long>(remaining_[kind]) * minArea_[kind];
            high += static_cast<long>(remaining_[kind]) * maxArea_[kind];
        }
        return uncovered_ >= low && uncovered_ <= high;
    }

    void tryPiece(const Piece& piece, int cx, int cy, int part, std::size_t from)
    {
        const CellPart& first = piece.parts.front();
        if (first.part != part)
            return;
        int x = cx - first.cx, y = cy - first.cy;
        std::vector<std::size_t>& indices = scratch_[chosen_.size()];
        indices.clear();
        for (const CellPart& p : piece.parts) {
            int px = x + p.cx, py = y + p.cy;
            if (px < 0 || py < 0 || px >= target_.width || py >= target_.height)
                return;
            std::size_t at = static_cast<std::size_t>((py * target_.width + px) * target_.parts + p.part);
            if (!target_.filled[at] || covered_[at])
                return;
            indices.push_back(at);
        }
        for (std::size_t at : indices)
            covered_[at] = 1;
        uncovered_ -= static_cast<long>(indices.size());
        --remaining_[piece.kind];
        chosen_.push_back({piece.kind, piece.image, x, y});
        run(from + 1);
        chosen_.pop_back();
        ++remaining_[piece.kind];
        uncovered_ += static_cast<long>(indices.size());
        for (std::size_t at : indices)
            covered_[at] = 0;
    }

    void record()
    {
        ++out_.count;
        if (keep_)
            out_.layouts.push_back(chosen_);
    }

    int unit_;
    const CoverTarget& target_;
    long limit_;
    bool keep_;
    CoverResult& out_;
    std::vector<std::uint8_t> covered_;
    long uncovered_ = 0;
    int remaining_[kKindCount] = {};
    int minArea_[kKindCount] = {};
    int maxArea_[kKindCount] = {};
    Layout chosen_;
    std::array<std::vector<std::size_t>, 8> scratch_;
};

// Same pictures at grid unit 7: equal trimmed silhouettes.
bool LooksAlike(const PuzzleRecord& a, const PuzzleRecord& b)
{
    return Trimmed(SilhouetteOf(a)) == Trimmed(SilhouetteOf(b));
}

} // namespace

PuzzleRecord RecordOfLayout(const Layout& layout)
{
    static constexpr int kFirstTileOfKind[kKindCount] = {0, 2, 3, 4, 5};
    PuzzleRecord record{};
    int used[kKindCount] = {};
    for (const Placement& p : layout) {
        int tile = kFirstTileOfKind[p.kind] + used[p.kind]++;
        ImagePose pose = PoseOfImage(p.kind, p.image);
        record.x[tile] = static_cast<std::int8_t>(p.x);
        record.y[tile] = static_cast<std::int8_t>(p.y);
        record.orientation[tile] = static_cast<std::int8_t>(pose.orientation);
        if (p.kind == kParallelogramKind)
            record.mirrored = pose.mirrored ? 1 : 0;
    }
    return record;
}

PuzzleRecord Normalised(PuzzleRecord record)
{
    int minX = *std::min_element(record.x, record.x + 7);
    int minY = *std::min_element(record.y, record.y + 7);
    for (int tile = 0; tile < 7; ++tile) {
        record.x[tile] = static_cast<std::int8_t>(record.x[tile] - minX);
        record.y[tile] = static_cast<std::int8_t>(record.y[tile] - minY);
    }
    return record;
}

Layout LayoutOfRecord(const PuzzleRecord& record)
{
    Layout layout;
    for (int tile = 0; tile < 7; ++tile) {
        int kind = kTileKind[tile];
        layout.push_back({kind, ImageOfOrientation(kind, record.orientation[tile] & 7, record.mirrored != 0),
                          record.x[tile], record.y[tile]});
    }
    return layout;
}

CoverTarget TargetOfSilhouette(const Silhouette& shape)
{
    CoverTarget target{shape.width, shape.height, 4, {}};
    target.filled.resize(static_cast<std::size_t>(shape.width * shape.height * 4));
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            for (int part = 0; part < 4; ++part)
                target.filled[static_cast<std::size_t>((y * shape.width + x) * 4 + part)] =
                    (shape.at(x, y) >> part) & 1;
    return target;
}

CoverTarget PixelTargetOfRecord(const PuzzleRecord& record)
{
    CoverTarget target{0, 0, 1, {}};
    Layout layout = LayoutOfRecord(record);
    for (const Placement& p : layout) {
        const Piece& piece = PieceAt(1, p.kind, p.image);
        target.width = std::max(target.width, p.x + piece.width);
        target.height = std::max(target.height, p.y + piece.height);
    }
    target.filled.assign(static_cast<std::size_t>(target.width * target.height), 0);
    for (const Placement& p : layout)
        for (const CellPart& part : PieceAt(1, p.kind, p.image).parts)
            target.filled[static_cast<std::size_t>((p.y + part.cy) * target.width + p.x + part.cx)] ^= 1;
    return target;
}

CoverResult CoverAll(int unit, const CoverTarget& target, long limit, bool keepLayouts)
{
    CoverResult result;
    CoverSearch search(unit, target, limit, keepLayouts, result);
    search.run(0);
    return result;
}

PuzzleAnalysis AnalysePuzzle(const PuzzleRecord& record, long limit)
{
    PuzzleAnalysis analysis;
    CoverResult seen = CoverAll(7, TargetOfSilhouette(SilhouetteOf(record)), limit, true);
    analysis.layouts = seen.count;
    analysis.layoutsCapped = seen.capped;
    for (const Layout& layout : seen.layouts)
        if (!CheckSurfaceMatches(record, RecordOfLayout(layout)))
            ++analysis.refusedLookalikes;
    CoverResult accepted = CoverAll(1, PixelTargetOfRecord(record), limit, true);
    analysis.acceptedCapped = accepted.capped;
    for (const Layout& layout : accepted.layouts) {
        PuzzleRecord player = RecordOfLayout(layout);
        if (CheckSurfaceMatches(record, player) && !LooksAlike(record, Normalised(player)))
            ++analysis.acceptedOthers;
    }
    analysis.grade = GradeOfLayoutCount(analysis.layouts);
    return analysis;
}

int GradeOfLayoutCount(long layouts)
{
    static constexpr long kLeast[] = {24, 8, 3, 2}; // fewest layouts for grades 1..4
    for (int grade = 0; grade < 4; ++grade)
        if (layouts >= kLeast[grade])
            return grade + 1;
    return 5;
}
