#pragma once
// Where the main list goes inside the window, computed in twips as the window was designed.

#include <optional>

struct ListGeometry {
    int top = 0;
    int left = 0;
    std::optional<int> width; // empty when the window is too narrow: the list keeps its width
    std::optional<int> height; // likewise for the height

    // All values in twips: toolbar and status bar heights, the window's inner size.
    static ListGeometry compute(int toolbarHeight, int statusBarHeight, int innerWidth, int innerHeight);
    // The inner height at which compute gives the list this height (twips).
    static int innerHeightFor(int toolbarHeight, int statusBarHeight, int listHeight);
};
