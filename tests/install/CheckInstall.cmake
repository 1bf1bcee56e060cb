# Installs the build into a scratch folder, as a package build does (DESTDIR, prefix /usr), and
# checks that the pieces find each other: the link on PATH reaches the program, the help file is
# in share/vantorel/, the menu entry names a command and an icon that are installed, the
# AppStream metadata names that menu entry, and each icon has the size its folder promises.
# The home page and the screenshots fetched from it are named only when the build names a home page.
#   cmake -DBUILD_DIR=<build> -DSTAGE=<scratch> -DAPP_ID=<id> -DPROGRAM_DIR=<dir>
#         -DICON_SIZES=<sizes> -DHOMEPAGE=<address or nothing> -P CheckInstall.cmake

set(failures "")
macro(fail text)
    string(APPEND failures "\n  ${text}")
endmacro()

file(REMOVE_RECURSE ${STAGE})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()

set(root ${STAGE}/usr)
set(program ${root}/${PROGRAM_DIR}/vantorel)
set(icons share/icons/hicolor)

# Exactly these files: nothing missing, nothing stray (a test program or a library by mistake).
set(expected
    bin/vantorel
    ${PROGRAM_DIR}/vantorel
    ${PROGRAM_DIR}/modules/vantorel_chart.so
    share/vantorel/Vantorel.hlp
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/man/man1/vantorel.1.gz
    share/doc/vantorel/copyright
    share/doc/vantorel/changelog.gz
    ${icons}/scalable/apps/${APP_ID}.svg)
foreach(side IN LISTS ICON_SIZES)
    list(APPEND expected ${icons}/${side}x${side}/apps/${APP_ID}.png)
endforeach()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${root} ${STAGE}/*)
list(SORT expected)
list(SORT installed)
string(REPLACE ";" "\n    " shownInstalled "${installed}")
if(NOT installed STREQUAL expected)
    string(REPLACE ";" "\n    " shownExpected "${expected}")
    fail("installed files:\n    ${shownInstalled}\n  expected:\n    ${shownExpected}")
endif()

# The link must be relative: an absolute one would point outside DESTDIR while the package is
# built and break if the prefix moves.
if(NOT IS_SYMLINK ${root}/bin/vantorel)
    fail("bin/vantorel is not a symbolic link")
else()
    file(READ_SYMLINK ${root}/bin/vantorel linkText)
    if(IS_ABSOLUTE "${linkText}")
        fail("bin/vantorel points to the absolute path ${linkText}")
    endif()
    file(REAL_PATH ${root}/bin/vantorel resolved)
    file(REAL_PATH ${program} realProgram)
    if(NOT resolved STREQUAL realProgram)
        fail("bin/vantorel leads to ${resolved}, not to ${realProgram}")
    endif()
endif()
execute_process(COMMAND test -x ${program} RESULT_VARIABLE notExecutable)
if(notExecutable)
    fail("${PROGRAM_DIR}/vantorel is not executable")
endif()

set(desktopFile ${root}/share/applications/${APP_ID}.desktop)
if(EXISTS ${desktopFile})
    # Read whole: file(STRINGS) would take the list separators ';' for its own.
    file(READ ${desktopFile} entry)
    string(REGEX MATCH "\nExec=([^ \n]+)" execLine "${entry}")
    if(NOT EXISTS "${root}/bin/${CMAKE_MATCH_1}")
        fail("the menu entry runs '${CMAKE_MATCH_1}', which is not in bin/")
    endif()
    if(NOT entry MATCHES "\nIcon=${APP_ID}\n")
        fail("the menu entry does not show the installed icon ${APP_ID}")
    endif()
    if(NOT entry MATCHES "\nCategories=([^\n]*;)?Office;")
        fail("the menu entry is not under Office")
    endif()
endif()

set(metainfoFile ${root}/share/metainfo/${APP_ID}.metainfo.xml)
if(EXISTS ${metainfoFile})
    file(READ ${metainfoFile} metainfo)
    if(NOT metainfo MATCHES "<launchable type=\"desktop-id\">${APP_ID}\\.desktop</launchable>")
        fail("the AppStream metadata does not launch ${APP_ID}.desktop")
    endif()
    if(NOT metainfo MATCHES "<id>${APP_ID}</id>")
        fail("the AppStream component is not ${APP_ID}")
    endif()
    if(HOMEPAGE AND NOT metainfo MATCHES "<screenshot")
        fail("the AppStream metadata has no screenshot")
    elseif(NOT HOMEPAGE AND metainfo MATCHES "<url|<screenshot")
        fail("the AppStream metadata names a web address though the build has no home page")
    endif()
endif()

# A PNG's width and height are the two 32-bit big-endian numbers after its 16-byte preamble.
foreach(side IN LISTS ICON_SIZES)
    set(png ${root}/${icons}/${side}x${side}/apps/${APP_ID}.png)
    if(NOT EXISTS ${png})
        continue()
    endif()
    file(READ ${png} header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 widthHex)
    string(SUBSTRING "${header}" 40 8 heightHex)
    math(EXPR width "0x${widthHex}")
    math(EXPR height "0x${heightHex}")
    if(NOT signature STREQUAL "89504e470d0a1a0a")
        fail("${side}x${side} icon is not a PNG file")
    elseif(NOT width EQUAL side OR NOT height EQUAL side)
        fail("${side}x${side} icon is ${width}x${height}")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "The install is not laid out as a desktop program:${failures}")
endif()
message(STATUS "Installed as a desktop program:\n    ${shownInstalled}")
