#!/usr/bin/env bash
# Checks the phone's package against the store's rules:
#  - the installed files: only /usr/bin/harbour-vantorel, /usr/share/harbour-vantorel/...,
#    /usr/share/applications/harbour-vantorel.desktop and the icons at 86, 108,
#    128 and 172 px in /usr/share/icons/hicolor; the main QML file, the
#    translations, the menu entry and the four icons are there;
#  - the menu entry's keys, with its [X-Sailjail] section;
#  - the icon sizes, read from the PNG headers;
#  - rpm/harbour-vantorel.spec: the name, Requires only from the allowed
#    list, no Vendor, Obsoletes, Conflicts, Recommends or Provides, no
#    scriptlets, the provides exclusion, the SDK's CMake macro, and %files
#    that cover exactly what the build installs, within the allowed paths;
#  - the phone's QML and JavaScript (QML_CHECK_PATHS below): only imports the
#    phone has, at versions it has, and no JavaScript newer than ES5; Silica's
#    EnterKey not hidden by QtQuick's own (QtQuick 2.6 has one); no texts in
#    the phone shell, which is renamed when installed.
#
#   tools/check-harbour.sh                   builds the package's files as the RPM spec does
#                                            (in a scratch copy, in-source, with the RPM spec's
#                                            options) and checks them
#   tools/check-harbour.sh --build-dir DIR   the same, in DIR (the install root is DIR/root)
#   tools/check-harbour.sh --root DIR        checks an install root made already
#   tools/check-harbour.sh --qml-only        checks only the QML and JavaScript
#
# Further options: --spec FILE (another spec file), --source DIR (the tree
# whose QML_CHECK_PATHS are checked). Exits 0 when every rule holds.
set -uo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
APP=harbour-vantorel
cmake_program=${CMAKE:-cmake}

# What runs on the phone and so must keep to its QML: the phone shell, its
# own pages and the components both shells share. Paths relative to the
# source tree; one that does not exist (yet) is skipped. The desktop shell
# (qml/harbour-vantorel.qml) and qml/desktop/ may use QtQuick.Controls 2 and
# are not checked.
QML_CHECK_PATHS=(
    qml/components
    qml/harbour-vantorel-phone.qml
    qml/phone
)

# The store's Requires list, as package names.
ALLOWED_REQUIRES=(
    libsailfishapp libsailfishapp-launcher sailfishsilica-qt5 libsailfishsilica libsailfishsecrets
    qt5-qtcore qt5-qtgui qt5-qtnetwork qt5-qtdeclarative qt5-qtdeclarative-qtquick
    openssl openssl-libs
)
ICON_SIZES=(86 108 128 172)

root=""
build_dir=""
spec="$here/rpm/$APP.spec"
source_dir="$here"
qml_only=false

usage() {
    sed -n '2,/^set -uo/p' "$0" | sed '$d; s/^# \{0,1\}//'
}

while [ $# -gt 0 ]; do
    case "$1" in
        --root) root=$2; shift 2 ;;
        --build-dir) build_dir=$2; shift 2 ;;
        --spec) spec=$2; shift 2 ;;
        --source) source_dir=$2; shift 2 ;;
        --qml-only) qml_only=true; shift ;;
        -h|--help) usage; exit 0 ;;
        *) echo "check-harbour: unknown option $1 (see --help)" >&2; exit 2 ;;
    esac
done

failures=0
fail() {
    echo "check-harbour: FAIL: $*" >&2
    failures=$((failures + 1))
}
note() {
    echo "check-harbour: $*"
}

# ---------------------------------------------------------------------------
# QML and JavaScript
# ---------------------------------------------------------------------------

# "module major minor-low minor-high" for every module the phone has; the
# application's own modules are harbour.vantorel and below it.
ALLOWED_MODULES=(
    "QtQuick 2 0 6"
    "QtQml 2 0 2"
    "QtQuick.Window 2 0 2"
    "QtQuick.Layouts 1 0 1"
    "QtQml.Models 2 0 3"
    "Sailfish.Silica 1 0 0"
    "Sailfish.Pickers 1 0 0"
    "Sailfish.Secrets 1 0 0"
)

check_module_import() {
    local where=$1 module=$2 major=$3 minor=$4
    if [ -z "$major" ]; then
        fail "$where: import $module has no version (Qt 5.6 needs one)"
        return
    fi
    case "$module" in
        harbour.vantorel|harbour.vantorel.*) return ;;
    esac
    local entry name allowed_major low high
    for entry in "${ALLOWED_MODULES[@]}"; do
        read -r name allowed_major low high <<<"$entry"
        if [ "$name" = "$module" ]; then
            if [ "$major" -ne "$allowed_major" ] || [ "$minor" -lt "$low" ] || [ "$minor" -gt "$high" ]; then
                fail "$where: import $module $major.$minor: the phone has $module $allowed_major.$low to $allowed_major.$high"
            fi
            return
        fi
    done
    fail "$where: import $module is not available on the phone"
}

# The file's code with comments removed and string literals emptied, line
# for line, so that what is searched for below is never a word in a comment
# or a text.
code_only() {
    awk '
    BEGIN { inblock = 0 }
    {
        line = $0; out = ""; i = 1; n = length(line)
        while (i <= n) {
            c = substr(line, i, 1); d = substr(line, i, 2)
            if (inblock) {
                if (d == "*/") { inblock = 0; i += 2 } else { i++ }
                continue
            }
            if (d == "/*") { inblock = 1; i += 2; continue }
            if (d == "//") break
            if (c == "\"" || c == "\047") {
                q = c; i++
                while (i <= n) {
                    e = substr(line, i, 1)
                    if (e == "\\") { i += 2; continue }
                    if (e == q) break
                    i++
                }
                out = out q q; i++
                continue
            }
            out = out c; i++
        }
        print out
    }' "$1"
}

# ES6 and later, as (description, extended regular expression) pairs.
ES6_RULES=(
    "let declaration (ES6)"          '(^|[^A-Za-z0-9_$.])let[[:space:]]+[A-Za-z_$[{]'
    "const declaration (ES6)"        '(^|[^A-Za-z0-9_$.])const[[:space:]]+[A-Za-z_$[{]'
    "arrow function (ES6)"           '=>'
    "template string (ES6)"          '`'
    "class (ES6)"                    '(^|[^A-Za-z0-9_$.])class[[:space:]]+[A-Za-z_$]'
    "default parameter (ES6)"        'function[[:space:]]*[A-Za-z0-9_$]*[[:space:]]*\([^)]*[^=!<>]=[^=]'
)

check_qml_file() {
    local file=$1 shown=$2
    local number=0 line quick_minor=
    local relative_re='^[[:space:]]*\.?import[[:space:]]+"([^"]*)"'
    local module_re='^[[:space:]]*\.?import[[:space:]]+([A-Za-z_][A-Za-z0-9_.]*)([[:space:]]+([0-9]+)\.([0-9]+))?'
    while IFS= read -r line || [ -n "$line" ]; do
        number=$((number + 1))
        if [[ $line =~ $relative_re ]]; then
            case "${BASH_REMATCH[1]}" in
                /*|*:*) fail "$shown:$number: import \"${BASH_REMATCH[1]}\" is not relative" ;;
            esac
        elif [[ $line =~ $module_re ]]; then
            check_module_import "$shown:$number" "${BASH_REMATCH[1]}" "${BASH_REMATCH[3]}" "${BASH_REMATCH[4]}"
            [ "${BASH_REMATCH[1]}" = QtQuick ] && quick_minor=${BASH_REMATCH[4]}
        fi
    done <"$file"

    local code i hit
    code=$(code_only "$file")
    # From QtQuick 2.6 on, QtQuick's EnterKey (it has only "type") hides
    # Silica's, and EnterKey.onClicked or .iconSource fail on the phone.
    if [ -n "$quick_minor" ] && [ "$quick_minor" -ge 6 ] &&
        hit=$(printf '%s\n' "$code" | grep -nE '(^|[^A-Za-z0-9_.])EnterKey\.' | head -n 1) && [ -n "$hit" ]; then
        fail "$shown:${hit%%:*}: EnterKey with import QtQuick 2.$quick_minor: QtQuick's own EnterKey hides Silica's (import QtQuick 2.0 in this file)"
    fi
    # The phone shell is installed under another name, and qsTr() finds a
    # text's translation by the name of its file.
    if [ "$shown" = qml/harbour-vantorel-phone.qml ] &&
        hit=$(printf '%s\n' "$code" | grep -nE '(^|[^A-Za-z0-9_])qsTr[[:space:]]*\(' | head -n 1) && [ -n "$hit" ]; then
        fail "$shown:${hit%%:*}: qsTr() in the phone shell: it is renamed when installed, so its texts would stay untranslated (put them in qml/phone/)"
    fi
    for ((i = 0; i < ${#ES6_RULES[@]}; i += 2)); do
        while IFS= read -r hit; do
            [ -n "$hit" ] && fail "$shown:${hit%%:*}: ${ES6_RULES[i]}"
        done < <(printf '%s\n' "$code" | grep -nE -- "${ES6_RULES[i + 1]}" || true)
    done
}

check_qml() {
    local path file checked=0
    for path in "${QML_CHECK_PATHS[@]}"; do
        if [ ! -e "$source_dir/$path" ]; then
            note "not there (yet), not checked: $path"
            continue
        fi
        while IFS= read -r file; do
            check_qml_file "$file" "${file#"$source_dir"/}"
            checked=$((checked + 1))
        done < <(find "$source_dir/$path" -type f \( -name '*.qml' -o -name '*.js' \) | sort)
    done
    if [ "$checked" -eq 0 ]; then
        fail "no QML or JavaScript file found under ${QML_CHECK_PATHS[*]}"
    fi
    note "QML and JavaScript: $checked file(s) checked"
}

# ---------------------------------------------------------------------------
# The RPM spec file
# ---------------------------------------------------------------------------

# The RPM spec without comment lines.
spec_text() {
    grep -v '^[[:space:]]*#' "$spec"
}

# The lines of one section (%build, %files ...), up to the next section.
spec_section() {
    spec_text | awk -v want="$1" '
        /^%(prep|build|install|check|clean|files|changelog|description|package)([[:space:]]|$)/ {
            insection = ($1 == want); next
        }
        insection { print }'
}

expand_macros() {
    sed -e "s|%{name}|$APP|g" -e 's|%{_bindir}|/usr/bin|g' -e 's|%{_datadir}|/usr/share|g' \
        -e 's|%{_prefix}|/usr|g'
}

is_allowed_path() {
    local path=$1
    [[ $path == "/usr/bin/$APP" ]] && return 0
    [[ $path == "/usr/share/$APP" || $path == "/usr/share/$APP/"* ]] && return 0
    [[ $path == "/usr/share/applications/$APP.desktop" ]] && return 0
    [[ $path =~ ^/usr/share/icons/hicolor/(\*|86x86|108x108|128x128|172x172)/apps/$APP\.png$ ]] && return 0
    return 1
}

SPEC_FILES=()

check_spec() {
    if [ ! -f "$spec" ]; then
        fail "no spec file $spec"
        return
    fi
    local shown=${spec#"$here"/}
    if command -v rpmspec >/dev/null 2>&1; then
        local parse_error
        if ! parse_error=$(rpmspec -P "$spec" 2>&1 >/dev/null); then
            fail "$shown: rpmspec cannot parse it: $parse_error"
        fi
    fi

    local name
    name=$(spec_text | sed -n 's/^Name:[[:space:]]*//p' | head -n 1)
    [ "$name" = "$APP" ] || fail "$shown: Name is '$name', not $APP"

    local tag
    for tag in Vendor Obsoletes Conflicts Recommends Suggests Supplements Enhances Provides; do
        if spec_text | grep -qiE "^$tag(\([^)]*\))?:"; then
            fail "$shown: the store forbids the $tag tag"
        fi
    done
    if spec_text | grep -qiE '^Requires\([^)]*\):'; then
        fail "$shown: Requires for scriptlets (Requires(...):) are forbidden"
    fi

    local scriptlet
    scriptlet=$(spec_text | grep -oE '^%(pre|post|preun|postun|pretrans|posttrans|triggerin|triggerun|triggerprein|triggerpostun|filetriggerin|filetriggerun|filetriggerpostun|transfiletriggerin|transfiletriggerun|transfiletriggerpostun|verifyscript)([[:space:]]|$)' | head -n 1)
    [ -z "$scriptlet" ] || fail "$shown: the store forbids scriptlets ($scriptlet)"

    if ! spec_text | grep -qE '^%(define|global)[[:space:]]+__provides_exclude_from[[:space:]]+\^%\{_datadir\}/\.\*\$[[:space:]]*$'; then
        fail "$shown: the provides exclusion '%define __provides_exclude_from ^%{_datadir}/.*\$' is missing"
    fi

    local requirement token previous=""
    while IFS= read -r requirement; do
        for token in ${requirement//,/ }; do
            case "$token" in
                '<'|'>'|'='|'<='|'>='|'=='|'!=') previous=operator; continue ;;
            esac
            if [ "$previous" = operator ]; then
                previous=""
                continue
            fi
            local allowed=false candidate
            for candidate in "${ALLOWED_REQUIRES[@]}"; do
                [ "$token" = "$candidate" ] && allowed=true
            done
            $allowed || fail "$shown: Requires $token is not on the store's list"
        done
    done < <(spec_text | sed -n 's/^Requires:[[:space:]]*//p')

    if ! spec_section %build | grep -qE '^[[:space:]]*%\{?cmake\}?([[:space:]]|$)'; then
        fail "$shown: %build does not use the SDK's %cmake macro"
    fi

    local entry
    SPEC_FILES=()
    while IFS= read -r entry; do
        entry=$(printf '%s' "$entry" | sed -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//')
        [ -z "$entry" ] && continue
        case "$entry" in
            %defattr*) continue ;;
            %doc*|%license*) fail "$shown: %files: '$entry' installs outside the allowed paths"; continue ;;
        esac
        entry=$(printf '%s' "$entry" | sed -E -e 's/^%attr\([^)]*\)[[:space:]]*//' -e 's/^%dir[[:space:]]+//' \
            -e 's/^%config(\([^)]*\))?[[:space:]]+//' | expand_macros)
        if is_allowed_path "$entry"; then
            SPEC_FILES+=("$entry")
        else
            fail "$shown: %files: $entry is outside the allowed paths"
        fi
    done < <(spec_section %files)
    [ ${#SPEC_FILES[@]} -gt 0 ] || fail "$shown: %files lists nothing"
}

# ---------------------------------------------------------------------------
# The installed files
# ---------------------------------------------------------------------------

desktop_value() {
    awk -v group="[$2]" -v key="$3" '
        /^\[/ { ingroup = ($0 == group); next }
        ingroup && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' "$1"
}

# Width and height from a PNG's IHDR chunk.
png_size() {
    local bytes
    bytes=$(od -An -tu1 -N24 "$1" | tr -s ' \n' ' ')
    set -- $bytes
    if [ $# -lt 24 ] || [ "$2 $3 $4" != "80 78 71" ] || [ "${13} ${14} ${15} ${16}" != "73 72 68 82" ]; then
        echo "not-a-png"
        return
    fi
    echo "$(( (${17} << 24) | (${18} << 16) | (${19} << 8) | ${20} ))x$(( (${21} << 24) | (${22} << 16) | (${23} << 8) | ${24} ))"
}

check_root() {
    if [ ! -d "$root" ]; then
        fail "no install root $root"
        return
    fi
    local path relative
    local installed=()
    while IFS= read -r path; do
        relative=/${path#"$root"/}
        installed+=("$relative")
        is_allowed_path "$relative" || fail "installed outside the allowed paths: $relative"
    done < <(find "$root" \( -type f -o -type l \) | sort)
    [ ${#installed[@]} -gt 0 ] || fail "nothing is installed in $root"

    [ -x "$root/usr/bin/$APP" ] || fail "no program /usr/bin/$APP"
    [ -f "$root/usr/share/$APP/qml/$APP.qml" ] || fail "no main QML file /usr/share/$APP/qml/$APP.qml"
    local translations
    translations=$(find "$root/usr/share/$APP/translations" -name "$APP-*.qm" -size +0 2>/dev/null | wc -l)
    [ "$translations" -gt 0 ] || fail "no translations /usr/share/$APP/translations/$APP-<language>.qm"

    local desktop="$root/usr/share/applications/$APP.desktop"
    if [ -f "$desktop" ]; then
        local pair group key expected actual
        for pair in "Desktop Entry|Type|Application" "Desktop Entry|Icon|$APP" "Desktop Entry|Exec|$APP" \
                    "Desktop Entry|X-Nemo-Application-Type|silica-qt5" \
                    "X-Sailjail|Permissions|Internet;Secrets" "X-Sailjail|OrganizationName|orvik" \
                    "X-Sailjail|ApplicationName|$APP"; do
            IFS='|' read -r group key expected <<<"$pair"
            actual=$(desktop_value "$desktop" "$group" "$key")
            [ "$actual" = "$expected" ] || fail "$APP.desktop: [$group] $key is '$actual', not '$expected'"
        done
        [ -n "$(desktop_value "$desktop" "Desktop Entry" Name)" ] || fail "$APP.desktop: [Desktop Entry] has no Name"
        if command -v desktop-file-validate >/dev/null 2>&1; then
            local complaints
            complaints=$(desktop-file-validate "$desktop" 2>&1) || fail "$APP.desktop: desktop-file-validate: $complaints"
        fi
    else
        fail "no menu entry /usr/share/applications/$APP.desktop"
    fi

    local size icon actual_size
    for size in "${ICON_SIZES[@]}"; do
        icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/$APP.png"
        if [ -f "$icon" ]; then
            actual_size=$(png_size "$icon")
            [ "$actual_size" = "${size}x${size}" ] || fail "icon ${size}x${size}/apps/$APP.png is $actual_size"
        else
            fail "no icon /usr/share/icons/hicolor/${size}x${size}/apps/$APP.png"
        fi
    done

    # What the build installs and what %files packs must be the same:
    # rpmbuild stops on files left out, and on entries that match nothing.
    if [ ${#SPEC_FILES[@]} -gt 0 ]; then
        local entry covered used
        for relative in "${installed[@]}"; do
            covered=false
            for entry in "${SPEC_FILES[@]}"; do
                # shellcheck disable=SC2053 # the entry is a glob pattern
                if [[ $relative == $entry || $relative == $entry/* ]]; then
                    covered=true
                    break
                fi
            done
            $covered || fail "installed but not in the RPM spec's %files: $relative"
        done
        for entry in "${SPEC_FILES[@]}"; do
            used=false
            for relative in "${installed[@]}"; do
                # shellcheck disable=SC2053
                if [[ $relative == $entry || $relative == $entry/* ]]; then
                    used=true
                    break
                fi
            done
            $used || fail "the RPM spec's %files names $entry, which the build does not install"
        done
    fi
    note "install root: ${#installed[@]} file(s) checked"
}

# ---------------------------------------------------------------------------
# A phone build as the RPM spec makes it
# ---------------------------------------------------------------------------

# Builds in a copy of the sources, in-source (as %cmake . does), with the
# spec's -D options and those the SDK's macro sets, then installs into
# $build_dir/root as %make_install does. The platform's libraries are not on
# this machine: the stand-ins take their place.
build_phone_install() {
    local tree="$build_dir/source"
    rm -rf "$tree" "$build_dir/root"
    mkdir -p "$tree" || return 1
    # The project's files: in a git checkout those git knows or would take
    # (never a build folder), otherwise all but build folders.
    if git -C "$here" rev-parse --show-toplevel >/dev/null 2>&1; then
        (cd "$here" && git ls-files -z --cached --others --exclude-standard |
            tar --null --no-recursion --ignore-failed-read -T - -cf -) |
            tar -C "$tree" -xf - || return 1
    else
        local excludes=(--exclude=./.git --exclude='./build*')
        case "$build_dir" in
            "$here"/*) excludes+=("--exclude=./${build_dir#"$here"/}") ;;
        esac
        tar -C "$here" "${excludes[@]}" -cf - . | tar -C "$tree" -xf - || return 1
    fi

    local options=()
    read -r -a options <<<"$(spec_section %build | tr -d '\\' | grep -oE -- '-D[A-Za-z0-9_]+=[^[:space:]]+' | tr '\n' ' ')"
    local launcher=()
    command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    note "building the phone package's files in $tree"
    (cd "$tree" &&
        "$cmake_program" . -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_SKIP_RPATH=ON \
            -DBUILD_SHARED_LIBS=ON "${options[@]}" \
            -DVANTOREL_USE_SAILFISHAPP=AUTO -DVANTOREL_USE_SAILFISHSECRETS=AUTO "${launcher[@]}" >"$build_dir/configure.log" 2>&1 &&
        "$cmake_program" --build . -j"$(nproc)" >"$build_dir/build.log" 2>&1 &&
        DESTDIR="$build_dir/root" "$cmake_program" --install . >"$build_dir/install.log" 2>&1) || {
        echo "check-harbour: the phone build failed; its logs are in $build_dir:" >&2
        tail -n 30 "$build_dir"/*.log >&2
        return 1
    }
    root="$build_dir/root"
}

check_qml
if ! $qml_only; then
    check_spec
    if [ -z "$root" ]; then
        if [ -z "$build_dir" ]; then
            build_dir=$(mktemp -d "${TMPDIR:-/tmp}/check-harbour.XXXXXX")
            trap 'rm -rf "$build_dir"' EXIT
        fi
        mkdir -p "$build_dir"
        build_dir=$(cd "$build_dir" && pwd)
        build_phone_install || exit 1
    fi
    check_root
fi

if [ "$failures" -gt 0 ]; then
    echo "check-harbour: $failures rule(s) broken" >&2
    exit 1
fi
note "every store rule holds"
