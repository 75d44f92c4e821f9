// Entry point of the game executable.
#include <cstdio>

int main()
{
    std::puts("Zentiles: the game's window is not built yet; run `make test` to exercise the "
              "parts that exist.");
    return 0;
}
