// The tiles' home arrangement at the foot of the board, in the order the tiles are put down; the
// parallelogram lies mirrored there. The board and the shipped settings both start from it.
#pragma once

struct HomePlace {
    int tileIndex;
    int column;
    int row;
    int orientation;
};

inline constexpr HomePlace kHomePlaces[7] = {
    {5, 2, 31, 0}, {6, 18, 31, 0}, {2, 1, 30, 1}, {0, 17, 30, 4},
    {1, 9, 30, 4}, {3, 13, 31, 1}, {4, 25, 30, 2},
};
