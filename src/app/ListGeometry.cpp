#include "app/ListGeometry.h"

ListGeometry ListGeometry::Compute(int toolbarHeight, int statusBarHeight, int innerWidth, int innerHeight)
{
    ListGeometry g;
    g.top = toolbarHeight + 100;
    g.left = 100;
    const int width = innerWidth - 300;
    const int height = innerHeight - g.top - statusBarHeight - 200;
    if (width >= 0)
        g.width = width;
    if (height >= 0)
        g.height = height;
    return g;
}
