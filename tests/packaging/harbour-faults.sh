#!/usr/bin/env bash
# The store-rules check catches each kind of fault: every case copies the
# phone install root, the RPM spec or the QML that tools/check-harbour.sh passed,
# breaks one thing and expects the check to fail, naming the fault. An
# unbroken copy passes, so that what fails is the fault and not the copy.
#
#   harbour-faults.sh SOURCE_DIR INSTALL_ROOT WORK_DIR
set -uo pipefail

source_dir=$1
good_root=$2
work=$3
check="$source_dir/tools/check-harbour.sh"
app=harbour-vantorel

rm -rf "$work"
mkdir -p "$work"
problems=0

# A fresh copy of the root and the RPM spec for one case, in $root and $spec.
fresh_copy() {
    rm -rf "$work/root" "$work/spec" "$work/source"
    cp -a "$good_root" "$work/root"
    mkdir -p "$work/spec"
    cp "$source_dir/rpm/$app.spec" "$work/spec/$app.spec"
    root="$work/root"
    spec="$work/spec/$app.spec"
}

# A copy of the checked QML folders, in $tree.
fresh_qml() {
    rm -rf "$work/source"
    mkdir -p "$work/source/qml"
    cp -a "$source_dir/qml/components" "$work/source/qml/components"
    tree="$work/source"
}

# expect_fault NAME MESSAGE CHECK-OPTIONS...: the check must fail and say MESSAGE.
expect_fault() {
    local name=$1 message=$2
    shift 2
    local output status
    output=$("$check" "$@" 2>&1)
    status=$?
    if [ "$status" -ne 1 ]; then
        echo "FAIL: $name: the check exited with $status, not 1" >&2
        problems=$((problems + 1))
    # A here-string, not printf into grep -q: grep leaves at its match, and a
    # line printf writes after that fails the pipeline (pipefail).
    elif ! grep -qF -- "$message" <<<"$output"; then
        echo "FAIL: $name: the check did not say: $message" >&2
        printf '%s\n' "$output" | sed 's/^/    /' >&2
        problems=$((problems + 1))
    else
        echo "caught: $name"
    fi
}

expect_pass() {
    local name=$1
    shift
    local output
    if ! output=$("$check" "$@" 2>&1); then
        echo "FAIL: $name: the check failed:" >&2
        printf '%s\n' "$output" | sed 's/^/    /' >&2
        problems=$((problems + 1))
    else
        echo "passes: $name"
    fi
}

edit_desktop() {
    sed -i "$1" "$root/usr/share/applications/$app.desktop"
}

# --- the install root -------------------------------------------------------
fresh_copy
expect_pass "the unbroken copy" --root "$root" --spec "$spec"

fresh_copy
mkdir -p "$root/usr/lib"
echo library >"$root/usr/lib/libvantorel.so"
expect_fault "a file outside the allowed paths" "installed outside the allowed paths: /usr/lib/libvantorel.so" \
    --root "$root" --spec "$spec"

fresh_copy
mkdir -p "$root/usr/share/icons/hicolor/64x64/apps"
cp "$root/usr/share/icons/hicolor/86x86/apps/$app.png" "$root/usr/share/icons/hicolor/64x64/apps/$app.png"
expect_fault "an icon size the store does not take" \
    "installed outside the allowed paths: /usr/share/icons/hicolor/64x64/apps/$app.png" --root "$root" --spec "$spec"

fresh_copy
rm "$root/usr/share/harbour-vantorel/qml/$app.qml"
expect_fault "no main QML file" "no main QML file" --root "$root" --spec "$spec"

fresh_copy
rm -r "$root/usr/share/harbour-vantorel/translations"
expect_fault "no translations" "no translations" --root "$root" --spec "$spec"

fresh_copy
edit_desktop '/^\[X-Sailjail\]/,$d'
expect_fault "no [X-Sailjail] section" "[X-Sailjail] Permissions is ''" --root "$root" --spec "$spec"

fresh_copy
edit_desktop 's/^Permissions=.*/Permissions=Internet/'
expect_fault "a permission missing" "[X-Sailjail] Permissions is 'Internet', not 'Internet;Secrets'" \
    --root "$root" --spec "$spec"

fresh_copy
edit_desktop 's/^OrganizationName=.*/OrganizationName=example/'
expect_fault "another organisation" "[X-Sailjail] OrganizationName is 'example'" --root "$root" --spec "$spec"

fresh_copy
edit_desktop '/^X-Nemo-Application-Type=/d'
expect_fault "not a Silica application" "[Desktop Entry] X-Nemo-Application-Type is ''" --root "$root" --spec "$spec"

fresh_copy
edit_desktop 's/^Icon=.*/Icon=vantorel/'
expect_fault "another icon name" "[Desktop Entry] Icon is 'vantorel'" --root "$root" --spec "$spec"

fresh_copy
cp "$root/usr/share/icons/hicolor/86x86/apps/$app.png" "$root/usr/share/icons/hicolor/108x108/apps/$app.png"
expect_fault "an icon of the wrong size" "icon 108x108/apps/$app.png is 86x86" --root "$root" --spec "$spec"

fresh_copy
echo "not an image" >"$root/usr/share/icons/hicolor/128x128/apps/$app.png"
expect_fault "an icon that is no PNG" "icon 128x128/apps/$app.png is not-a-png" --root "$root" --spec "$spec"

fresh_copy
rm "$root/usr/share/icons/hicolor/172x172/apps/$app.png"
expect_fault "an icon missing" "no icon /usr/share/icons/hicolor/172x172/apps/$app.png" --root "$root" --spec "$spec"

# --- the RPM spec -------------------------------------------------------------
fresh_copy
sed -i 's/^Name:.*/Name:       vantorel/' "$spec"
expect_fault "another package name" "Name is 'vantorel'" --root "$root" --spec "$spec"

fresh_copy
sed -i 's/^License:/Vendor:     Orvik\nLicense:/' "$spec"
expect_fault "a Vendor tag" "the store forbids the Vendor tag" --root "$root" --spec "$spec"

for tag in Obsoletes Conflicts Recommends Provides; do
    fresh_copy
    sed -i "s/^License:/$tag:  vantorel-old\nLicense:/" "$spec"
    expect_fault "the $tag tag" "the store forbids the $tag tag" --root "$root" --spec "$spec"
done

fresh_copy
sed -i 's/^Requires:   libsailfishsecrets/Requires:   libsailfishsecrets, qt5-qtwebkit >= 5.0/' "$spec"
expect_fault "a Requires not on the list" "Requires qt5-qtwebkit is not on the store's list" --root "$root" --spec "$spec"

fresh_copy
sed -i 's/^Requires:   libsailfishsecrets/Requires(post): systemd/' "$spec"
expect_fault "a scriptlet's Requires" "Requires for scriptlets" --root "$root" --spec "$spec"

fresh_copy
sed -i 's/^%files$/%post\n\/sbin\/ldconfig\n\n%files/' "$spec"
expect_fault "a scriptlet" "the store forbids scriptlets (%post" --root "$root" --spec "$spec"

fresh_copy
sed -i '/__provides_exclude_from/d' "$spec"
expect_fault "no provides exclusion" "the provides exclusion" --root "$root" --spec "$spec"

fresh_copy
sed -i 's/^%cmake \./%qmake5/' "$spec"
expect_fault "not built with the SDK's CMake macro" "%build does not use the SDK's %cmake macro" \
    --root "$root" --spec "$spec"

fresh_copy
sed -i '/^%{_datadir}\/icons/d' "$spec"
expect_fault "installed files the RPM spec does not pack" \
    "installed but not in the RPM spec's %files: /usr/share/icons/hicolor/86x86/apps/$app.png" --root "$root" --spec "$spec"

fresh_copy
echo '%{_datadir}/%{name}-extras' >>"$spec"
expect_fault "a %files entry outside the allowed paths" "%files: /usr/share/harbour-vantorel-extras is outside" \
    --root "$root" --spec "$spec"

fresh_copy
echo '%doc README.md' >>"$spec"
expect_fault "documentation files" "%files: '%doc README.md' installs outside the allowed paths" \
    --root "$root" --spec "$spec"

fresh_copy
rm -r "$root/usr/share/applications"
expect_fault "a %files entry the build does not install" \
    "the RPM spec's %files names /usr/share/applications/$app.desktop, which the build does not install" \
    --root "$root" --spec "$spec"

# --- the QML and JavaScript -------------------------------------------------
fresh_qml
expect_pass "the unbroken QML" --qml-only --source "$tree"

# Words and marks that only look like newer JavaScript, in comments and
# texts, are no fault.
fresh_qml
cat >"$tree/qml/components/Lookalikes.qml" <<'QML'
import QtQuick 2.6
import QtQml.Models 2.2
import QtQuick.Layouts 1.1
import Sailfish.Silica 1.0
import harbour.vantorel 1.0
import "../components"
// let the user know; const values below; a => b; `quoted`
/* class Example with default = parameters */
Item {
    property string hint: "let x = 1 => `y`"
    property string other: 'const z'
    function add(a, b) { return a + b === 3 ? "=>" : '`' }
    property bool letters: classic || constant
    property int classic: 0
    property int constant: 0
}
QML
expect_pass "newer-looking words in comments and texts" --qml-only --source "$tree"

qml_fault() {
    local name=$1 message=$2 file=$3 text=$4
    fresh_qml
    mkdir -p "$(dirname "$tree/$file")"
    printf '%s\n' "$text" >"$tree/$file"
    expect_fault "$name" "$message" --qml-only --source "$tree"
}

qml_fault "QtQuick.Controls" "import QtQuick.Controls is not available on the phone" qml/components/Bad.qml \
    'import QtQuick 2.6
import QtQuick.Controls 2.0
Item {}'
qml_fault "a QtQuick newer than the phone's" "import QtQuick 2.12: the phone has QtQuick 2.0 to 2.6" \
    qml/components/Bad.qml 'import QtQuick 2.12
Item {}'
qml_fault "a Silica newer than the phone's" "import Sailfish.Silica 2.0" qml/components/Bad.qml \
    'import Sailfish.Silica 2.0
Item {}'
qml_fault "an import without a version" "import QtQuick has no version" qml/components/Bad.qml \
    'import QtQuick
Item {}'
qml_fault "an import by URL" 'import "http://example.org/qml" is not relative' qml/components/Bad.qml \
    'import QtQuick 2.6
import "http://example.org/qml"
Item {}'
qml_fault "let" "qml/components/Bad.qml:3: let declaration (ES6)" qml/components/Bad.qml \
    'import QtQuick 2.6
Item {
    function f() { let x = 1; return x }
}'
qml_fault "an arrow function" "qml/components/Bad.qml:2: arrow function (ES6)" qml/components/Bad.qml \
    'import QtQuick 2.6
Item { property var f: (x) => x + 1 }'
qml_fault "a template string" "qml/components/Bad.qml:2: template string (ES6)" qml/components/Bad.qml \
    'import QtQuick 2.6
Item { property string s: `row ${1}` }'
qml_fault "const in a JavaScript file" "qml/components/bad.js:2: const declaration (ES6)" qml/components/bad.js \
    '.pragma library
const LIMIT = 12'
qml_fault "a class in a JavaScript file" "qml/components/bad.js:1: class (ES6)" qml/components/bad.js \
    'class Keys { }'
qml_fault "a default parameter" "qml/components/bad.js:1: default parameter (ES6)" qml/components/bad.js \
    'function send(key, count = 1) { return key }'
qml_fault "a module imported into JavaScript" "import QtQuick.Controls is not available" qml/components/bad.js \
    '.import QtQuick.Controls 2.0 as Controls'
qml_fault "a fault in the phone shell" "qml/harbour-vantorel-phone.qml:1: import QtQuick 2.7" \
    qml/harbour-vantorel-phone.qml 'import QtQuick 2.7
import Sailfish.Silica 1.0
ApplicationWindow {}'
qml_fault "a fault in a phone page" "qml/phone/TerminalPage.qml:3: arrow function (ES6)" \
    qml/phone/TerminalPage.qml 'import QtQuick 2.6
import Sailfish.Silica 1.0
Page { onStatusChanged: [1].forEach(x => x) }'
qml_fault "QtQuick's EnterKey hiding Silica's" \
    "qml/phone/SettingField.qml:4: EnterKey with import QtQuick 2.6: QtQuick's own EnterKey hides Silica's" \
    qml/phone/SettingField.qml 'import QtQuick 2.6
import Sailfish.Silica 1.0
TextField {
    EnterKey.onClicked: focus = false
}'
qml_fault "a text in the phone shell" "qml/harbour-vantorel-phone.qml:3: qsTr() in the phone shell" \
    qml/harbour-vantorel-phone.qml 'import QtQuick 2.6
import Sailfish.Silica 1.0
ApplicationWindow { property string title: qsTr("Vantorel") }'

if [ "$problems" -gt 0 ]; then
    echo "harbour-faults.sh: $problems case(s) went wrong" >&2
    exit 1
fi
echo "harbour-faults.sh: the check caught every fault"
