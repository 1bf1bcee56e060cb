# Installs Vantorel with its installer, silently and per user, into a scratch folder, checks what
# an operator meets (the program runs, its help and plugins are beside it, the Start-menu entry and
# the uninstall entry with its Chinese name), then uninstalls it and checks that only the
# installer's own files went: a file the operator left in the folder stays, and so does the folder.
#   cmake -DINSTALLER=<setup.exe> -DSCRATCH=<folder> -DVERSION=<x.y.z> [-DEMULATOR=<wine-run.sh>]
#         -P CheckWindowsInstaller.cmake

cmake_minimum_required(VERSION 3.25)
set(key "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantorel")
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
            string(APPEND failures "\n  ${file} is left after uninstalling")
        elseif(NOT EXISTS ${dir}/${file} AND ${there})
            string(APPEND failures "\n  ${file} is missing")
        endif()
    endforeach()
endmacro()

run(installed reg query ${key})
if(installed EQUAL 0)
    message("SKIP: Vantorel is installed for this user; the test would replace its uninstall entry")
    return()
endif()
set(dir ${SCRATCH}/Vantorel)
file(REMOVE_RECURSE ${SCRATCH})
file(WRITE ${dir}/notes.txt "kept by the operator\n")
set(scratch ${SCRATCH})
if(EMULATOR) # Wine sees the Linux file system as drive Z:
    set(scratch "Z:${SCRATCH}")
endif()
string(REPLACE "/" "\\" scratch "${scratch}")

run(rc ${INSTALLER} /S /D=${scratch}\\Vantorel)
expect(TRUE vantorel.exe Vantorel.hlp qt.conf Qt6Core.dll libstdc++-6.dll platforms/qwindows.dll
    styles/qwindowsvistastyle.dll imageformats/qsvg.dll translations/qtbase_zh_CN.qm uninstall.exe)
run(rc ${dir}/vantorel.exe --version)
run(menu cmd /c dir /b "${shortcut}")
run(entry reg export ${key} ${scratch}\\uninstall.reg /y)
# CMake reads UTF-16 as ASCII only: the Chinese name is compared as the bytes reg writes.
file(STRINGS ${SCRATCH}/uninstall.reg text ENCODING UTF-16LE)
file(READ ${SCRATCH}/uninstall.reg bytes HEX)
if(NOT rc_TEXT MATCHES "^Vantorel ${VERSION}\r?\n$" OR NOT menu EQUAL 0
   OR NOT text MATCHES "\"DisplayVersion\"=\"${VERSION}\"" OR NOT bytes MATCHES "a18bf665a18b398dfb7cdf7e") # 计时计费系统
    string(APPEND failures "\n  --version said \"${rc_TEXT}\", the menu entry ${menu}, the uninstall entry ${text}")
endif()

# _?= keeps the uninstaller in place, so that it is done when it returns.
run(rc ${dir}/uninstall.exe /S _?=${scratch}\\Vantorel)
expect(FALSE vantorel.exe Qt6Core.dll platforms translations)
expect(TRUE notes.txt)
run(menu cmd /c dir /b "${shortcut}")
run(entry reg query ${key})
if(menu EQUAL 0 OR entry EQUAL 0)
    string(APPEND failures "\n  the Start-menu entry or the uninstall entry is left after uninstalling")
endif()
if(failures)
    message(FATAL_ERROR "The installer:${failures}")
endif()
