// The solved check: do the seven play tiles, as they lie, reproduce the current puzzle?
#pragma once

// The check surface: one pixel per grid cell; an arrangement reaching past it is never solved.
constexpr int kCheckWidth = 35;
constexpr int kCheckHeight = 40;

bool IsPuzzleSolved();
