// The solved check: do the seven play tiles, as they lie, reproduce the current puzzle?
#pragma once

bool IsPuzzleSolved();
