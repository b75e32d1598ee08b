#!/usr/bin/env bash
# A desktop install under FHS paths: `cmake --install BUILD --prefix P` puts
# the application, its QML, the translations, a menu entry and the icons
# where a desktop finds them; the application reads its data from
# P/share/harbour-vantorel because it sits in P/bin. Then the Debian package
# made by CPack holds the same files under /usr.
#
#   desktop-install.sh BUILD_DIR WORK_DIR
set -uo pipefail

build=$(cd "$1" && pwd)
work=$2
cmake_program=${CMAKE:-cmake}
cpack_program=cpack
[ -n "${CMAKE:-}" ] && cpack_program=$(dirname "$CMAKE")/cpack
app=harbour-vantorel
problems=0

fail() {
    echo "FAIL: $*" >&2
    problems=$((problems + 1))
}

rm -rf "$work"
mkdir -p "$work"
prefix="$work/prefix"
if ! "$cmake_program" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "desktop-install.sh: the install failed" >&2
    exit 1
fi

expected=(
    "bin/$app"
    "share/$app/qml/$app.qml"
    "share/$app/translations/$app-de.qm"
    "share/applications/$app.desktop"
    "share/icons/hicolor/86x86/apps/$app.png"
    "share/icons/hicolor/108x108/apps/$app.png"
    "share/icons/hicolor/128x128/apps/$app.png"
    "share/icons/hicolor/172x172/apps/$app.png"
    "share/icons/hicolor/scalable/apps/$app.svg"
)
for path in "${expected[@]}"; do
    [ -e "$prefix/$path" ] || fail "not installed: $path"
done
[ -x "$prefix/bin/$app" ] || fail "bin/$app is not executable"
cmp -s "$prefix/share/$app/qml/$app.qml" "$(dirname "$0")/../../qml/$app.qml" ||
    fail "share/$app/qml/$app.qml is not the desktop shell"
[ ! -e "$prefix/share/$app/qml/$app-phone.qml" ] || fail "the phone shell is installed on the desktop"
# Every shared component, as in the sources.
source_qml="$(dirname "$0")/../../qml"
for component in "$source_qml"/components/*; do
    cmp -s "$component" "$prefix/share/$app/qml/components/${component##*/}" ||
        fail "not installed as in the sources: qml/components/${component##*/}"
done

# Nothing outside the FHS places of the application.
while IFS= read -r path; do
    case "${path#"$prefix"/}" in
        "bin/$app"|"share/$app/"*|"share/applications/$app.desktop"|"share/icons/hicolor/"*"/apps/$app."*) ;;
        *) fail "installed in an unexpected place: ${path#"$prefix"/}" ;;
    esac
done < <(find "$prefix" \( -type f -o -type l \))

desktop="$prefix/share/applications/$app.desktop"
if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $app.desktop"
    grep -qx "Exec=$app" "$desktop" || fail "$app.desktop does not start $app"
    grep -qx "Icon=$app" "$desktop" || fail "$app.desktop does not name the icon $app"
    ! grep -q '^X-Nemo-Application-Type=' "$desktop" || fail "the desktop's menu entry says it is a Silica application"
fi

# The Debian package.
if ! (cd "$work" && "$cpack_program" -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1); then
    cat "$work/cpack.log" >&2
    fail "cpack cannot make the Debian package"
else
    deb=$(find "$work/deb" -maxdepth 1 -name 'vantorel_*.deb' | head -n 1)
    if [ -z "$deb" ]; then
        fail "cpack made no vantorel_*.deb"
    else
        contents=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
        for path in "${expected[@]}"; do
            grep -qx "/usr/$path" <<<"$contents" || fail "the Debian package lacks /usr/$path"
        done
        [ "$(dpkg-deb -f "$deb" Package)" = vantorel ] || fail "the Debian package is not named vantorel"
        dpkg-deb -f "$deb" Depends | grep -q 'libqt5quick5' || fail "the Debian package does not depend on Qt Quick"
    fi
fi

if [ "$problems" -gt 0 ]; then
    echo "desktop-install.sh: $problems problem(s)" >&2
    exit 1
fi
echo "desktop-install.sh: the desktop install and the Debian package hold what they should"
