#!/usr/bin/env bash
# Builds the Debian package from build/release and has Debian's lintian look at it, installs it
# with apt, checks what it put on the machine (menu entries, metainfo, icons in every size,
# manual pages, stripped programs), starts each installed program as a new user would
# (offscreen, empty settings) and checks that it wrote its first-run settings and that its
# command line behaves, then removes the package again. Needs root or sudo.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/release"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

programs=(DateVexlo Vexlo FullScreenVexlo Pellum)
icon_sizes=(16 22 24 32 48 64 128 256)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
if [ -z "$version" ]; then
    echo "package: no project version in $build/CMakeCache.txt" >&2
    exit 1
fi
# Each program's desktop entry, icon and metainfo are named by its id.
program_id() { echo "org.orvane.${1,,}"; }

desktop-file-validate "$top"/data/desktop/*.desktop
for file in "$top"/data/metainfo/*.xml; do
    appstreamcli validate --no-net "$file" >/dev/null
done

failed=0
passed=0
pass() { echo "$1"; passed=$((passed + 1)); }
fail() { echo "$1" >&2; failed=$((failed + 1)); }

(cd "$build" && cpack -G DEB >/dev/null)
package="$build/vexlo-timers_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$package" ]; then
    echo "package: no $package" >&2
    exit 1
fi
echo "package: $(basename "$package"), installed size $(dpkg-deb -f "$package" Installed-Size) KiB"

# Debian's own checks of the package, before it goes on the machine. Errors fail, and so does a
# lintian that could not look (both end it with a status other than 0); warnings and notes are
# shown to be looked at.
lintian_status=0
lintian_report=$(lintian --tag-display-limit 0 "$package" 2>&1) || lintian_status=$?
grep -v "^running with root" <<<"$lintian_report" || true
if [ "$lintian_status" -ne 0 ] || grep -q "^E:" <<<"$lintian_report"; then
    fail "package: lintian reports errors, or could not run (status $lintian_status)"
else
    pass "package: no lintian errors"
fi

DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "$package" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -qq vexlo-timers >/dev/null' EXIT

# Starts the installed program the way a desktop's menu does: its entry, launched by GLib.
launch_entry() {
    gio launch "/usr/share/applications/$(program_id "$1").desktop"
}
launch_binary() {
    "/usr/bin/$1"
}

check() { # program, key that its first start writes, how it is started
    local home
    home=$(mktemp -d)
    HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen "$3" "$1" \
        >/dev/null 2>&1 </dev/null &
    local pid=$! found=""
    for _ in $(seq 1 100); do
        if grep -q "^${2// /%20}=" "$home/.config/Orvane.conf" 2>/dev/null; then
            found=yes
            break
        fi
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    # gio hands the program over and ends; the program itself goes with the session.
    pkill -f "^/usr/bin/$1\$" 2>/dev/null || pkill -x "$1" 2>/dev/null || true
    if [ -n "$found" ] && grep -q "/usr/share/vexlo/" "$home/.config/Orvane.conf"; then
        echo "installed $1 ($3): first-run settings written"
        passed=$((passed + 1))
    else
        echo "installed $1 ($3): no first-run settings" >&2
        failed=$((failed + 1))
    fi
    rm -rf "$home"
}

# What a desktop's menu needs of an entry: valid, in the Utility menu, its program on the path
# and its icon in the theme.
menu_entry() {
    local entry icon
    entry="/usr/share/applications/$(program_id "$1").desktop"
    icon=$(sed -n 's/^Icon=//p' "$entry")
    if desktop-file-validate "$entry" && grep -q "^Categories=.*Utility;" "$entry" &&
        command -v "$(sed -n 's/^Exec=//p' "$entry" | cut -d' ' -f1)" >/dev/null &&
        [ -f "/usr/share/icons/hicolor/scalable/apps/$icon.svg" ]; then
        echo "installed $1: menu entry with its icon"
        passed=$((passed + 1))
    else
        echo "installed $1: menu entry or icon missing" >&2
        failed=$((failed + 1))
    fi
}

# Panels and menus that look up a fixed size take the PNG of that size; one of another size
# would be scaled, blurred, or passed over.
icons() {
    local id png wrong=()
    id=$(program_id "$1")
    for size in "${icon_sizes[@]}"; do
        png="/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
        [[ -f "$png" && $(file -b "$png") == "PNG image data, $size x $size,"* ]] ||
            wrong+=("$size")
    done
    if [ ${#wrong[@]} -eq 0 ]; then
        pass "installed $1: PNG icons of ${icon_sizes[*]} pixels"
    else
        fail "installed $1: no PNG icon of the right size for ${wrong[*]} pixels"
    fi
}

manual_page() {
    local page="/usr/share/man/man1/$1.1.gz" warnings
    if [ -f "$page" ] && warnings=$(man --warnings -l "$page" 2>&1 >/dev/null) &&
        [ -z "$warnings" ]; then
        pass "installed $1: manual page"
    else
        fail "installed $1: manual page missing or with warnings: ${warnings:-}"
    fi
}

# Installed without symbols or debugging information, which would be most of their size.
stripped() {
    local description
    description=$(file -b "$1")
    if [[ $description == *", stripped"* ]]; then
        pass "installed $1: stripped"
    else
        fail "installed $1: not stripped ($description)"
    fi
}

# The command line as a terminal user meets it: help and version on standard output, a
# mistyped option refused with status 2, and a missing display told in one line rather than
# in Qt's abort (status 134) with a core dump.
command_line() {
    local program="/usr/bin/$1" home output status
    home=$(mktemp -d)
    in_home() {
        HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen \
            timeout 10 "$@" </dev/null
    }

    status=0
    output=$(in_home "$program" --help 2>/dev/null) || status=$?
    if [ "$status" -eq 0 ] && grep -q "^Usage: .*$1" <<<"$output"; then
        pass "installed $1 --help: usage"
    else
        fail "installed $1 --help: status $status, no usage text"
    fi

    status=0
    output=$(in_home "$program" --version 2>/dev/null) || status=$?
    if [ "$status" -eq 0 ] && grep -q -F "$version" <<<"$output"; then
        pass "installed $1 --version: $version"
    else
        fail "installed $1 --version: status $status, no line with $version"
    fi

    status=0
    in_home "$program" --no-such-option >/dev/null 2>&1 || status=$?
    if [ "$status" -eq 2 ]; then
        pass "installed $1 --no-such-option: refused"
    else
        fail "installed $1 --no-such-option: status $status, not 2"
    fi

    status=0
    (cd "$home" && in_home env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" \
        >/dev/null 2>"$home/stderr") || status=$?
    local lines
    lines=$(grep -c "" "$home/stderr" || true)
    if [ "$status" -eq 1 ] && [ "$lines" -eq 1 ] && ! compgen -G "$home/core*" >/dev/null; then
        pass "installed $1 without a display: one line, status 1"
    else
        fail "installed $1 without a display: status $status, $lines lines on stderr"
    fi
    rm -rf "$home"
}

for entry in "DateVexlo:Date Vexlo Path" "Vexlo:Vexlo Path" "FullScreenVexlo:Full Screen Path" \
             "Pellum:Pellum Path"; do
    program=${entry%%:*}
    [ -x "/usr/bin/$program" ] || continue
    check "$program" "${entry#*:}" launch_binary
    check "$program" "${entry#*:}" launch_entry
    menu_entry "$program"
    icons "$program"
    manual_page "$program"
    stripped "/usr/bin/$program"
    command_line "$program"
done
for program in "${programs[@]}"; do
    [ -x "/usr/bin/$program" ] || fail "installed $program: missing from /usr/bin"
done

# AppStream's strictest reading of the installed metainfo: any remark at all, down to a
# pedantic hint, is something a software centre may show or hold against the programs.
appstream_status=0
appstream_report=$(appstreamcli validate --pedantic --no-net \
    /usr/share/metainfo/org.orvane.*.xml 2>&1) || appstream_status=$?
remarks=$(grep -E "^[EWIP]: " <<<"$appstream_report" || true)
if [ "$appstream_status" -eq 0 ] && [ -z "$remarks" ]; then
    pass "installed metainfo: no AppStream remarks"
else
    fail "installed metainfo: AppStream remarks (status $appstream_status):"$'\n'"$appstream_report"
fi

# The sound module, loaded at the first sound, where the programs look for it.
module=/usr/lib/vexlo/modules/vexlo_audio.so
if [ -f "$module" ] && ! ldd "$module" | grep -q "not found"; then
    echo "installed sound module: found, its libraries too"
    passed=$((passed + 1))
    stripped "$module"
else
    echo "installed sound module: missing, or its libraries are" >&2
    failed=$((failed + 1))
fi
echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
