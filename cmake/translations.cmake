# Translations: translations/harbour-vantorel.ts holds every source text (the
# template for a new language); translations/harbour-vantorel-<language>.ts
# are the translations. lrelease compiles these at build time into
# <build>/translations/harbour-vantorel-<language>.qm, the names under which
# the phone looks them up for the system locale. The vantorel-update-translations
# target extracts the texts afresh from src/ and qml/ into every .ts file.

option(VANTOREL_TRANSLATIONS "Compile and install the translations (needs lrelease)" ON)

# The Linguist tools of the Qt we build with: from its CMake package when
# that is installed, otherwise from Qt's own program folder. (A lrelease
# found on PATH may be a chooser that runs another Qt's tools, or none.)
find_package(Qt5LinguistTools QUIET)
get_target_property(_vantorel_qmake Qt5::qmake IMPORTED_LOCATION)
get_filename_component(VANTOREL_QT_BIN_DIR "${_vantorel_qmake}" DIRECTORY)
foreach(_vantorel_tool lrelease lupdate)
    string(TOUPPER "${_vantorel_tool}" _vantorel_var)
    if(TARGET Qt5::${_vantorel_tool})
        get_target_property(VANTOREL_${_vantorel_var} Qt5::${_vantorel_tool} IMPORTED_LOCATION)
    else()
        find_program(VANTOREL_${_vantorel_var} NAMES ${_vantorel_tool}-qt5 ${_vantorel_tool}
                     HINTS ${VANTOREL_QT_BIN_DIR} NO_DEFAULT_PATH)
    endif()
endforeach()

file(GLOB VANTOREL_TRANSLATION_SOURCES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/translations/harbour-vantorel-*.ts)
set(VANTOREL_TRANSLATION_DIR ${PROJECT_BINARY_DIR}/translations)
set(VANTOREL_TRANSLATION_FILES "")

if(VANTOREL_TRANSLATIONS)
    if(NOT VANTOREL_LRELEASE)
        message(FATAL_ERROR
            "lrelease (Qt 5's Linguist tools) was not found in ${VANTOREL_QT_BIN_DIR}. Install them "
            "(Debian: qttools5-dev-tools; the phone SDK: qt5-qttools-linguist), point "
            "VANTOREL_LRELEASE at the program, or configure with -DVANTOREL_TRANSLATIONS=OFF.")
    endif()
    foreach(_vantorel_ts ${VANTOREL_TRANSLATION_SOURCES})
        get_filename_component(_vantorel_name "${_vantorel_ts}" NAME_WE)
        set(_vantorel_qm ${VANTOREL_TRANSLATION_DIR}/${_vantorel_name}.qm)
        add_custom_command(OUTPUT ${_vantorel_qm}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTOREL_TRANSLATION_DIR}
            COMMAND ${VANTOREL_LRELEASE} -silent ${_vantorel_ts} -qm ${_vantorel_qm}
            DEPENDS ${_vantorel_ts}
            COMMENT "Compiling ${_vantorel_name}.qm"
            VERBATIM)
        list(APPEND VANTOREL_TRANSLATION_FILES ${_vantorel_qm})
    endforeach()
    add_custom_target(vantorel-translations ALL DEPENDS ${VANTOREL_TRANSLATION_FILES})
endif()

# cmake --build build --target vantorel-update-translations
# (without source locations, so that the files change only when texts do)
if(VANTOREL_LUPDATE)
    add_custom_target(vantorel-update-translations
        COMMAND ${VANTOREL_LUPDATE} -no-obsolete -locations none src qml
                -ts translations/harbour-vantorel.ts ${VANTOREL_TRANSLATION_SOURCES}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Extracting the texts of src/ and qml/ into translations/"
        VERBATIM)
else()
    add_custom_target(vantorel-update-translations
        COMMAND ${CMAKE_COMMAND} -E echo "lupdate was not found in ${VANTOREL_QT_BIN_DIR}: install Qt 5's Linguist tools (Debian: qttools5-dev-tools)"
        COMMAND ${CMAKE_COMMAND} -E false
        VERBATIM)
endif()
