#pragma once
// The memory start-up used and let go, handed back to the system.

// Start-up frees much (the splash and its picture, the parsed artwork, the font lists) that the C
// library would otherwise keep for the program, which then times items for hours at that size.
// The pages of the font files its text was laid out from go back to the file cache.
void returnFreedMemory();

// Large blocks (pictures, the splash's) go back to the system as soon as they are freed. The C
// library otherwise raises that bar to the largest block freed so far and keeps the rest.
void returnLargeBlocksWhenFreed();
