// The program's entry. The main window and its message loop are not built yet.
#include "app/entry.h"

int ZentilesMain()
{
    return 0;
}

std::string DescribeGameState()
{
    return "{}";
}
