# Installs the build into a scratch prefix and checks that the menu entry finds the program and its icon there, and
# that the manual page and the Debian documentation are installed as the package has them.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(desktop ${PREFIX}/share/applications/${APP_ID}.desktop)
set(expected bin/talkomat share/applications/${APP_ID}.desktop share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/scalable/apps/${APP_ID}.svg share/man/man1/talkomat.1.gz share/doc/talkomat/copyright
    share/doc/talkomat/changelog.gz)
foreach(size IN LISTS SIZES)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
foreach(path IN LISTS expected)
    if(NOT EXISTS ${PREFIX}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

file(STRINGS ${desktop} exec REGEX "^Exec=")
file(STRINGS ${desktop} icon REGEX "^Icon=")
file(STRINGS ${desktop} wmclass REGEX "^StartupWMClass=")
string(REGEX REPLACE "^Exec=([^ ]*).*" "\\1" exec "${exec}")
string(REGEX REPLACE "^Icon=" "" icon "${icon}")
string(REGEX REPLACE "^StartupWMClass=" "" wmclass "${wmclass}")
if(NOT EXISTS ${PREFIX}/bin/${exec})
    message(FATAL_ERROR "the menu entry starts \"${exec}\", which is not in bin/")
endif()
if(NOT EXISTS ${PREFIX}/share/icons/hicolor/scalable/apps/${icon}.svg)
    message(FATAL_ERROR "the menu entry's icon \"${icon}\" is not installed")
endif()
# Qt names the window's X11 class after the application name, which main() sets to the executable's name.
if(NOT wmclass STREQUAL exec)
    message(FATAL_ERROR "StartupWMClass \"${wmclass}\" does not match the program \"${exec}\"")
endif()
message(STATUS "installed into ${PREFIX}: ${expected}")
