#include "app/FreedMemory.h"

#include <cstdlib> // names the C library: __GLIBC__

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void returnFreedMemory()
{
#if defined(__GLIBC__)
    // Also trims the arenas of the threads start-up used.
    malloc_trim(0);
#endif
}

void returnLargeBlocksWhenFreed()
{
#if defined(__GLIBC__)
    // glibc's own starting value, held: set, it no longer moves.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}
