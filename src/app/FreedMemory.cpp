#include "app/FreedMemory.h"

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
