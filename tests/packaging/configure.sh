#!/usr/bin/env bash
# Configures the project in one of the ways others build it and checks the
# outcome:
#   embedded                    as a subdirectory of a tiny parent project, which then
#                               builds a program on the Qt-Core-only library
#   embedded-build-type         the parent's build type stays the parent's
#   sailfishapp-on-missing      -DVANTOREL_USE_SAILFISHAPP=ON without the module stops
#                               with a clear message
#   sailfishsecrets-on-missing  the same for -DVANTOREL_USE_SAILFISHSECRETS=ON
#   platform-found              with both platform modules visible to pkg-config, the
#                               default uses them and picks the phone shell
#   platform-off                with the modules visible, OFF still builds with the stand-ins
#   phone-shell-layout          -DVANTOREL_SHELL=phone installs the phone shell as
#                               qml/harbour-vantorel.qml with its pages, without qml/desktop
#   desktop-shell-layout        -DVANTOREL_SHELL=desktop installs the desktop shell, without
#                               the phone's files
#
#   configure.sh CASE SOURCE_DIR WORK_DIR
set -euo pipefail

case_name=$1
source_dir=$2
work=$3
cmake_program=${CMAKE:-cmake}

rm -rf "$work"
mkdir -p "$work"
log="$work/configure.log"
quiet_options=(-DVANTOREL_BUILD_TESTS=OFF -DVANTOREL_BUILD_BENCHMARKS=OFF -DVANTOREL_BUILD_DEMOHOST=OFF)

failed() {
    echo "configure.sh $case_name: $*" >&2
    echo "--- configure output:" >&2
    cat "$log" >&2
    exit 1
}

# CMake wraps its messages: the words are compared with the lines joined.
expect_in_log() {
    tr -s ' \n' '  ' <"$log" | grep -qF -- "$1" || failed "the configure output does not say: $1"
}

cache_value() {
    sed -n "s/^$1:[A-Z]*=//p" "$2/CMakeCache.txt"
}

# pkg-config modules named like the platform's, pointing at nothing: enough
# for configuring, which is all these cases do.
fake_platform_modules() {
    local pc="$work/pkgconfig"
    mkdir -p "$pc" "$work/fake/include" "$work/fake/lib"
    local module
    for module in sailfishapp sailfishsecrets; do
        cat >"$pc/$module.pc" <<PC
prefix=$work/fake
includedir=\${prefix}/include
libdir=\${prefix}/lib
Name: $module
Description: stand-in module for a configure test
Version: 1.0.2
Cflags: -I\${includedir}
Libs: -L\${libdir}
PC
    done
    export PKG_CONFIG_PATH="$pc${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}"
}

case "$case_name" in
    embedded)
        "$cmake_program" -S "$(dirname "$0")/embed" -B "$work/build" -DVANTOREL_DIR="$source_dir" >"$log" 2>&1 ||
            failed "the parent project does not configure"
        [ -z "$(cache_value CMAKE_BUILD_TYPE "$work/build")" ] ||
            failed "the project set the parent's build type to '$(cache_value CMAKE_BUILD_TYPE "$work/build")'"
        # Embedded, the project builds neither its tests nor its tools.
        [ "$(cache_value VANTOREL_BUILD_TESTS "$work/build")" = OFF ] || failed "tests are on by default when embedded"
        "$cmake_program" --build "$work/build" --target uses-screen vantorel-screen-corecheck -j2 >>"$log" 2>&1 ||
            failed "the parent cannot build a program on vantorel-screen"
        "$work/build/uses-screen" || failed "the parent's program did not run"
        ;;
    embedded-build-type)
        "$cmake_program" -S "$(dirname "$0")/embed" -B "$work/build" -DVANTOREL_DIR="$source_dir" \
            -DCMAKE_BUILD_TYPE=Debug >"$log" 2>&1 || failed "the parent project does not configure"
        [ "$(cache_value CMAKE_BUILD_TYPE "$work/build")" = Debug ] ||
            failed "the build type is '$(cache_value CMAKE_BUILD_TYPE "$work/build")', not the parent's Debug"
        ;;
    sailfishapp-on-missing|sailfishsecrets-on-missing)
        option=VANTOREL_USE_SAILFISHAPP module=sailfishapp
        if [ "$case_name" = sailfishsecrets-on-missing ]; then
            option=VANTOREL_USE_SAILFISHSECRETS module=sailfishsecrets
        fi
        if "$cmake_program" -S "$source_dir" -B "$work/build" "${quiet_options[@]}" -D$option=ON >"$log" 2>&1; then
            failed "-D$option=ON configured without the $module module"
        fi
        expect_in_log "$option is ON, but pkg-config finds no '$module' module"
        expect_in_log "-D$option=OFF"
        ;;
    platform-found)
        fake_platform_modules
        "$cmake_program" -S "$source_dir" -B "$work/build" "${quiet_options[@]}" >"$log" 2>&1 ||
            failed "does not configure with the platform modules"
        expect_in_log "Vantorel: application library: the platform's libsailfishapp"
        expect_in_log "Vantorel: secrets: the platform's libsailfishsecrets"
        expect_in_log "Vantorel: interface: phone shell"
        # OFF, once they were found, leaves them alone all the same.
        "$cmake_program" -S "$source_dir" -B "$work/build" -DVANTOREL_USE_SAILFISHAPP=OFF \
            -DVANTOREL_USE_SAILFISHSECRETS=OFF >"$log" 2>&1 || failed "does not configure with both options OFF"
        expect_in_log "Vantorel: application library: the stand-in in platform/sailfishapp"
        expect_in_log "Vantorel: secrets: the Secret Service layer in platform/sailfishsecrets"
        ;;
    platform-off)
        fake_platform_modules
        "$cmake_program" -S "$source_dir" -B "$work/build" "${quiet_options[@]}" \
            -DVANTOREL_USE_SAILFISHAPP=OFF -DVANTOREL_USE_SAILFISHSECRETS=OFF >"$log" 2>&1 ||
            failed "does not configure with both options OFF"
        expect_in_log "Vantorel: application library: the stand-in in platform/sailfishapp"
        expect_in_log "Vantorel: secrets: the Secret Service layer in platform/sailfishsecrets"
        expect_in_log "Vantorel: interface: desktop shell"
        # Switching back to the default finds the modules again.
        "$cmake_program" -S "$source_dir" -B "$work/build" -DVANTOREL_USE_SAILFISHAPP=AUTO \
            -DVANTOREL_USE_SAILFISHSECRETS=AUTO >"$log" 2>&1 || failed "does not configure back with AUTO"
        expect_in_log "Vantorel: application library: the platform's libsailfishapp"
        ;;
    phone-shell-layout|desktop-shell-layout)
        # A copy of the sources with a phone shell, a phone page and a
        # desktop-only file, each saying what it is.
        tree="$work/source"
        mkdir -p "$tree"
        tar -C "$source_dir" --exclude=./.git --exclude='./build*' -cf - . | tar -C "$tree" -xf -
        mkdir -p "$tree/qml/phone" "$tree/qml/desktop"
        echo "// the phone shell" >"$tree/qml/harbour-vantorel-phone.qml"
        echo "// a phone page" >"$tree/qml/phone/TerminalPage.qml"
        echo "// desktop only" >"$tree/qml/desktop/Menu.qml"
        shell=${case_name%-shell-layout}
        "$cmake_program" -S "$tree" -B "$work/build" "${quiet_options[@]}" -DVANTOREL_SHELL=$shell >"$log" 2>&1 ||
            failed "does not configure with -DVANTOREL_SHELL=$shell"
        DESTDIR="$work/root" "$cmake_program" --install "$work/build" --component qml --prefix /usr >>"$log" 2>&1 ||
            failed "cannot install the interface"
        qml="$work/root/usr/share/harbour-vantorel/qml"
        [ -f "$qml/components/ActionButton.qml" ] || failed "the shared components are missing"
        [ ! -e "$qml/harbour-vantorel-phone.qml" ] || failed "the phone shell is installed under its own name"
        if [ "$shell" = phone ]; then
            [ "$(cat "$qml/harbour-vantorel.qml")" = "// the phone shell" ] ||
                failed "qml/harbour-vantorel.qml is not the phone shell"
            [ -f "$qml/phone/TerminalPage.qml" ] || failed "the phone pages are missing"
            [ ! -e "$qml/desktop" ] || failed "the desktop-only files are installed"
        else
            cmp -s "$qml/harbour-vantorel.qml" "$source_dir/qml/harbour-vantorel.qml" ||
                failed "qml/harbour-vantorel.qml is not the desktop shell"
            [ -f "$qml/desktop/Menu.qml" ] || failed "the desktop-only files are missing"
            [ ! -e "$qml/phone" ] || failed "the phone pages are installed"
        fi
        ;;
    *)
        echo "configure.sh: unknown case $case_name" >&2
        exit 2
        ;;
esac
echo "configure.sh $case_name: as expected"
