#include "app/ListGeometry.h"

namespace {
constexpr int kAbove = 100; // between the toolbar and the list, and left of the list
constexpr int kBelow = 200; // between the list and the status bar
} // namespace

ListGeometry ListGeometry::compute(int toolbarHeight, int statusBarHeight, int innerWidth, int innerHeight)
{
    ListGeometry g;
    g.top = toolbarHeight + kAbove;
    g.left = kAbove;
    const int width = innerWidth - 300;
    const int height = innerHeight - g.top - statusBarHeight - kBelow;
    if (width >= 0)
        g.width = width;
    if (height >= 0)
        g.height = height;
    return g;
}

int ListGeometry::innerHeightFor(int toolbarHeight, int statusBarHeight, int listHeight)
{
    return toolbarHeight + kAbove + listHeight + statusBarHeight + kBelow;
}
