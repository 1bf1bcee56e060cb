#!/usr/bin/env bash
# Cross-builds Vantorel for Windows with the mingw toolchain into build-windows/: the program, its
# help file, its icons and the test programs, with the DLLs and plugins it needs collected beside
# vantorel.exe. Extra arguments go to CMake.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
kit=$("$here/toolchain.sh")
qt=$kit/qt6-mingw
out=$root/build-windows

cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$kit/toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DVANTOREL_BUILD_TESTS=ON "$@" >/dev/null
cmake --build "$out" -j 2

# What windeployqt would copy (there is none in the kit): the Qt DLLs the program links, the mingw
# runtime, and the plugins Qt loads at run time, each in its kind's folder beside the program.
app=$out/src/app
dlls=(
    "$qt/bin/Qt6Core.dll" "$qt/bin/Qt6Gui.dll" "$qt/bin/Qt6Widgets.dll"
    "$qt/bin/Qt6PrintSupport.dll" "$qt/bin/Qt6Svg.dll"
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libstdc++-6.dll
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libgcc_s_seh-1.dll
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll
)
plugins=(
    platforms/qwindows.dll          # the Windows platform (offscreen is for tests only)
    styles/qwindowsvistastyle.dll   # the native look
    imageformats/qsvg.dll           # the artwork and icons are SVG
    imageformats/qico.dll
    iconengines/qsvgicon.dll
)
cp -u "${dlls[@]}" "$app/"
for p in "${plugins[@]}"; do
    mkdir -p "$app/$(dirname "$p")"
    cp -u "$qt/plugins/$p" "$app/$p"
done
# Qt's own Chinese texts (buttons of standard dialogs), found through qt.conf's prefix.
mkdir -p "$app/translations"
cp -u /usr/share/qt6/translations/qtbase_zh_CN.qm "$app/translations/"
printf '[Paths]\nPrefix=.\nPlugins=.\n' > "$app/qt.conf"
echo "$app/vantorel.exe"
