#pragma once
// The memory start-up used and let go, handed back to the system.

// Start-up frees much (the splash and its picture, the parsed artwork, the font lists) that the C
// library would otherwise keep for the program, which then times items for hours at that size.
void returnFreedMemory();
