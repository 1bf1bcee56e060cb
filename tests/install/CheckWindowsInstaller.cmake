# Installs an older Vantorel, then this one over it, silently and per user, into a scratch folder
# of a Wine prefix of its own; checks what an operator meets (the older program replaced whole, the
# program starting with nothing but its own folder on the path, its help and plugins beside it, the
# Start-menu entry and the uninstall entry with its Chinese name); then uninstalls it and checks
# that only the installer's own files went: a file the operator left in the folder stays, and so do
# the folder, the settings and the data.
#   cmake -DINSTALLER=<setup.exe> -DPREVIOUS=<older setup.exe> -DSCRATCH=<folder> -DVERSION=<x.y.z>
#         [-DEMULATOR=<wine-run.sh>] -P CheckWindowsInstaller.cmake

cmake_minimum_required(VERSION 3.25)
set(key "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantorel")
set(settingsKey "HKCU\\Software\\Vantorel\\Vantorel\\Main")
set(shortcut "%APPDATA%\\Microsoft\\Windows\\Start Menu\\Programs\\Vantorel.lnk")
set(failures "")
function(run out)
    execute_process(COMMAND ${EMULATOR} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_QUIET)
    set(${out} ${rc} PARENT_SCOPE)
    set(${out}_TEXT "${text}" PARENT_SCOPE)
endfunction()
# Checks that each of ARGN, in the install folder, is there (TRUE) or not (FALSE).
macro(expect there)
    foreach(file ${ARGN})
        if(EXISTS ${dir}/${file} AND NOT ${there})
            string(APPEND failures "\n  ${file} is left")
        elseif(NOT EXISTS ${dir}/${file} AND ${there})
            string(APPEND failures "\n  ${file} is missing")
        endif()
    endforeach()
endmacro()
# Fails unless the operator's settings and journal are still there, after WHAT.
macro(expectData what)
    run(setting reg query ${settingsKey} /v columns)
    set(data "")
    if(EXISTS ${journal})
        file(READ ${journal} data)
    endif()
    if(NOT setting EQUAL 0 OR NOT data MATCHES "kept")
        string(APPEND failures "\n  the settings (${setting}) or the journal (${data}) are gone after ${what}")
    endif()
endmacro()

file(REMOVE_RECURSE ${SCRATCH})
if(EMULATOR)
    # A prefix of its own: whatever another test or a person installed is not in the way, and the
    # registry and folders checked are only this test's.
    set(ENV{WINEPREFIX} ${SCRATCH}/wine)
endif()
set(dir ${SCRATCH}/Vantorel)
set(scratch ${SCRATCH})
if(EMULATOR) # Wine sees the Linux file system as drive Z:
    set(scratch "Z:${SCRATCH}")
endif()
string(REPLACE "/" "\\" scratch "${scratch}")

# The older version, and what its operator made with it.
run(rc ${PREVIOUS} /S /D=${scratch}\\Vantorel)
file(WRITE ${dir}/notes.txt "kept by the operator\n")
run(rc reg add ${settingsKey} /v columns /d "60,80" /f)
if(EMULATOR)
    file(GLOB roaming LIST_DIRECTORIES true ${SCRATCH}/wine/drive_c/users/*/AppData/Roaming)
    list(FILTER roaming EXCLUDE REGEX "/Public/")
else()
    file(TO_CMAKE_PATH "$ENV{APPDATA}" roaming)
endif()
set(journal ${roaming}/Vantorel/Vantorel/items.journal)
file(WRITE ${journal} "kept\n")
expect(TRUE plugins/retired.dll)

run(rc ${INSTALLER} /S)
expect(TRUE vantorel.exe vantorel_chart.dll Vantorel.hlp qt.conf Qt6Core.dll Qt6Charts.dll libstdc++-6.dll platforms/qwindows.dll
    styles/qwindowsvistastyle.dll imageformats/qsvg.dll translations/qtbase_zh_CN.qm uninstall.exe notes.txt)
expect(FALSE plugins)
expectData("the upgrade")
# Nothing but the program's own folder on the path: a DLL it needs and does not ship stops it there.
set(ENV{VANTOREL_WINE_BARE} 1)
run(rc ${dir}/vantorel.exe --version)
unset(ENV{VANTOREL_WINE_BARE})
run(menu cmd /c dir /b "${shortcut}")
run(entry reg export ${key} ${scratch}\\uninstall.reg /y)
# CMake reads UTF-16 as ASCII only: the Chinese name is compared as the bytes reg writes.
file(STRINGS ${SCRATCH}/uninstall.reg text ENCODING UTF-16LE)
file(READ ${SCRATCH}/uninstall.reg bytes HEX)
if(NOT rc_TEXT MATCHES "^Vantorel ${VERSION}\r?\n$" OR NOT menu EQUAL 0
   OR NOT text MATCHES "\"DisplayVersion\"=\"${VERSION}\"" OR NOT bytes MATCHES "a18bf665a18b398dfb7cdf7e") # 计时计费系统
    string(APPEND failures "\n  --version said \"${rc_TEXT}\" (${rc}), the menu entry ${menu}, the uninstall entry ${text}")
endif()

# _?= keeps the uninstaller in place, so that it is done when it returns.
run(rc ${dir}/uninstall.exe /S _?=${scratch}\\Vantorel)
expect(FALSE vantorel.exe vantorel_chart.dll Qt6Core.dll Qt6Charts.dll platforms translations)
expect(TRUE notes.txt)
expectData("uninstalling")
run(menu cmd /c dir /b "${shortcut}")
run(entry reg query ${key})
if(menu EQUAL 0 OR entry EQUAL 0)
    string(APPEND failures "\n  the Start-menu entry or the uninstall entry is left after uninstalling")
endif()
if(failures)
    message(FATAL_ERROR "The installer:${failures}")
endif()
