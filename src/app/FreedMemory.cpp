#include "app/FreedMemory.h"

#include <cstdio>
#include <cstdlib> // names the C library: __GLIBC__
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

#if defined(__linux__)
bool isFontFile(const char *path)
{
    static const char *const endings[] = {".ttf", ".ttc", ".otf", ".otc", ".pfb"};
    const size_t length = std::strlen(path);
    for (const char *ending : endings) {
        const size_t n = std::strlen(ending);
        if (length > n && strcasecmp(path + length - n, ending) == 0)
            return true;
    }
    return false;
}

// The font files are mapped whole and read where a glyph lies; the system maps 64 KB around every
// page read, so the hundred-odd Chinese characters start-up lays out left megabytes of the file
// counted against the program. The pages stay in the system's file cache: unmapped, a character
// drawn later maps its own again. Only read-only mappings, which hold nothing but the file.
void unmapFontPages()
{
    FILE *maps = std::fopen("/proc/self/maps", "re");
    if (!maps)
        return;
    char line[4096];
    while (std::fgets(line, sizeof line, maps)) {
        unsigned long start = 0, end = 0;
        char perms[5] = {};
        int pathAt = 0;
        if (std::sscanf(line, "%lx-%lx %4s %*s %*s %*s %n", &start, &end, perms, &pathAt) < 3 || pathAt == 0
            || perms[1] != '-')
            continue;
        char *path = line + pathAt;
        path[std::strcspn(path, "\n")] = '\0';
        if (isFontFile(path))
            madvise(reinterpret_cast<void *>(start), end - start, MADV_DONTNEED);
    }
    std::fclose(maps);
}
#endif

} // namespace

void returnFreedMemory()
{
#if defined(__GLIBC__)
    // Also trims the arenas of the threads start-up used.
    malloc_trim(0);
#endif
#if defined(__linux__)
    unmapFontPages();
#endif
}

void returnLargeBlocksWhenFreed()
{
#if defined(__GLIBC__)
    // glibc's own starting value, held: set, it no longer moves.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}
