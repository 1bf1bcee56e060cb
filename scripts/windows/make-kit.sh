#!/usr/bin/env bash
# Rebuilds the Qt for Windows kit that toolchain.sh uses, qt6-6.4.2-mingw64.tar.xz, from Debian 12's
# source packages and the sources kept in scripts/windows/kit/: Qt 6.4.2's qtbase (with the kit's
# patch and the Wintab headers Debian leaves out; Qt SQL with SQLite and PostgreSQL drivers),
# qtsvg and qtcharts as shared DLLs, muparser as a static library and the PostgreSQL client
# library, all cross-built with mingw-w64 for x86_64 Windows. About 25 minutes on an idle two-core
# machine, qtbase two thirds of it.
#   make-kit.sh [folder]   where the tarball goes (default: ~/.cache/vantorel, where toolchain.sh
#                          looks when VANTOREL_WINDOWS_KIT is not set)
#   VANTOREL_KIT_WORK      scratch folder for the sources and builds (default: ~/.cache/vantorel/
#                          kit-build; about 2.5 GB); a step already done is not redone
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
inputs=$here/kit
cacheRoot=${XDG_CACHE_HOME:-$HOME/.cache}/vantorel
out=$(mkdir -p "${1:-$cacheRoot}" && cd "${1:-$cacheRoot}" && pwd)
work=${VANTOREL_KIT_WORK:-$cacheRoot/kit-build}
jobs=$(nproc)
stage=$work/stage
qt=$stage/qt6-mingw
deps=$stage/deps

# qtbase's host tools come from Debian's own Qt, which is the same 6.4.2.
"$here/../deps.sh" g++-mingw-w64-x86-64-posix mingw-w64 cmake ninja-build qt6-base-dev qt6-base-dev-tools \
    dpkg-dev xz-utils tcl8.6 ca-certificates patch >&2
mkdir -p "$work" "$qt" "$deps"
cd "$work"
step() { echo "== $* ($(date +%T))" >&2; }

# Debian's sources, through a source list of this script's own: the system's apt sources stay as they are.
if [ ! -d qt6-base-6.4.2+dfsg ] || [ ! -d muparser-2.3.3 ] || [ ! -d sqlite3-3.40.1 ] || [ ! -d postgresql-15-15.18 ]; then
    step "Fetching Debian's sources"
    mkdir -p apt/lists/partial apt/cache apt/parts
    echo "deb-src http://deb.debian.org/debian bookworm main" > apt/sources.list
    apt=(-o Dir::Etc::sourcelist="$work/apt/sources.list" -o Dir::Etc::sourceparts="$work/apt/parts"
         -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache")
    apt-get "${apt[@]}" -qq update
    apt-get "${apt[@]}" -qq source qt6-base=6.4.2+dfsg-10 muparser=2.3.3-0.1 sqlite3=3.40.1-2+deb12u2 \
        postgresql-15=15.18-0+deb12u1
fi

cat > toolchain.cmake <<TOOLCHAIN
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $qt $deps)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN
cross=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release
       -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)

# Debian's +dfsg source has no SQLite amalgamation; Qt's SQLite driver compiles it in.
qtbase=$work/qt6-base-6.4.2+dfsg
if [ ! -f "$qtbase/src/3rdparty/sqlite/sqlite3.c" ]; then
    step "SQLite amalgamation"
    rm -rf build-sqlite && mkdir build-sqlite
    (cd build-sqlite && ../sqlite3-3.40.1/configure --disable-tcl >/dev/null && make -s sqlite3.c)
    mkdir -p "$qtbase/src/3rdparty/sqlite"
    cp build-sqlite/sqlite3.c build-sqlite/sqlite3.h build-sqlite/sqlite3ext.h "$qtbase/src/3rdparty/sqlite/"
fi

if [ ! -f "$deps/bin/libpq.dll" ]; then
    step "libpq (the PostgreSQL client library only)"
    rm -rf build-pq && mkdir build-pq
    (cd build-pq && ../postgresql-15-15.18/configure --host=x86_64-w64-mingw32 --build=x86_64-pc-linux-gnu \
        CC=x86_64-w64-mingw32-gcc-posix AR=x86_64-w64-mingw32-ar RANLIB=x86_64-w64-mingw32-ranlib \
        DLLTOOL=x86_64-w64-mingw32-dlltool DLLWRAP=x86_64-w64-mingw32-dllwrap \
        WINDRES=x86_64-w64-mingw32-windres STRIP=x86_64-w64-mingw32-strip CFLAGS=-O2 \
        --prefix=/pq --without-readline --without-zlib --without-icu --without-openssl \
        --without-gssapi --without-ldap >/dev/null
     make -s -j"$jobs" -C src/interfaces/libpq >/dev/null
     make -s -C src/interfaces/libpq install DESTDIR="$work/build-pq/stage" >/dev/null)
    src=$work/postgresql-15-15.18
    mkdir -p "$deps/bin" "$deps/lib" "$deps/include/libpq" "$deps/share/doc/libpq"
    cp build-pq/stage/pq/bin/libpq.dll "$deps/bin/"
    cp build-pq/stage/pq/lib/libpq.a "$deps/lib/"
    cp build-pq/stage/pq/include/libpq-fe.h build-pq/stage/pq/include/libpq-events.h "$deps/include/"
    cp "$src/src/include/postgres_ext.h" "$src/src/include/pg_config_manual.h" "$deps/include/"
    cp "$src/src/include/libpq/libpq-fs.h" "$deps/include/libpq/"
    cp -L build-pq/src/include/pg_config.h build-pq/src/include/pg_config_ext.h \
        build-pq/src/include/pg_config_os.h "$deps/include/"
    cp "$src/COPYRIGHT" "$deps/share/doc/libpq/"
fi

if [ ! -f "$deps/lib/libmuparser.a" ]; then
    step "muparser"
    cmake -S muparser-2.3.3 -B build-muparser "${cross[@]}" -DCMAKE_INSTALL_PREFIX="$deps" \
        -DBUILD_SHARED_LIBS=OFF -DENABLE_SAMPLES=OFF -DENABLE_OPENMP=OFF -DENABLE_WIDE_CHAR=OFF >/dev/null
    cmake --build build-muparser -j"$jobs" && cmake --install build-muparser >/dev/null
fi

if [ ! -f "$qt/lib/cmake/Qt6Gui/Qt6GuiConfig.cmake" ]; then
    step "qtbase (the longest step)"
    if [ ! -f "$qtbase/src/3rdparty/wintab/wintab.h" ]; then
        cp -r "$inputs/wintab" "$qtbase/src/3rdparty/"
        patch -d "$qtbase" -p1 < "$inputs/qtbase-6.4.2-mingw.patch"
    fi
    # Without OpenGL, D-Bus, networking and the rest the program does not use; Direct2D 1.1 only
    # goes (all of Direct2D would break PrintSupport's link); ODBC is named or mingw's odbc32 adds it.
    cmake -S "$qtbase" -B build-qtbase "${cross[@]}" -DCMAKE_INSTALL_PREFIX="$qt" -DBUILD_SHARED_LIBS=ON \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DFEATURE_direct2d1_1=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
        -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
        -DFEATURE_system_doubleconversion=OFF -DFEATURE_pkg_config=OFF \
        -DFEATURE_sql=ON -DFEATURE_sql_psql=ON -DFEATURE_sql_sqlite=ON -DFEATURE_sql_odbc=OFF \
        -DPostgreSQL_ROOT="$deps" >/dev/null
    grep -q 'QT_FEATURE_sql_psql:INTERNAL=ON' build-qtbase/CMakeCache.txt || { echo "qtbase found no libpq" >&2; exit 1; }
    cmake --build build-qtbase -j"$jobs" && cmake --install build-qtbase >/dev/null
fi

for module in qtsvg qtcharts; do
    probe=$qt/lib/cmake/Qt6Svg/Qt6SvgConfig.cmake
    [ $module = qtcharts ] && probe=$qt/lib/cmake/Qt6Charts/Qt6ChartsConfig.cmake
    [ -f "$probe" ] && continue
    step "$module"
    rm -rf "$module-6.4.2" && tar -xJf "$inputs/$module-6.4.2-src.tar.xz"
    cmake -S "$module-6.4.2" -B "build-$module" "${cross[@]}" -DCMAKE_INSTALL_PREFIX="$qt" \
        -DCMAKE_PREFIX_PATH="$qt" -DBUILD_SHARED_LIBS=ON \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "build-$module" -j"$jobs" && cmake --install "build-$module" >/dev/null
done

step "Packing"
tar --owner=root --group=root -C "$stage" -cf - qt6-mingw deps | xz -9 -T1 > "$out/qt6-6.4.2-mingw64.tar.xz.tmp"
mv "$out/qt6-6.4.2-mingw64.tar.xz.tmp" "$out/qt6-6.4.2-mingw64.tar.xz"
step "Done: $out/qt6-6.4.2-mingw64.tar.xz ($(tar -tJf "$out/qt6-6.4.2-mingw64.tar.xz" | wc -l) entries)"
