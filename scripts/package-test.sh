#!/usr/bin/env bash
# Builds the Debian package from build/release, installs it with apt, starts each installed
# program as a new user would (offscreen, empty settings) and checks that it wrote its first-run
# settings, then removes the package again. Needs root or sudo.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/release"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

desktop-file-validate "$top"/data/desktop/*.desktop
for file in "$top"/data/metainfo/*.xml; do
    appstreamcli validate --no-net "$file" >/dev/null
done

(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls "$build"/vexlo-timers_*.deb | head -n 1)
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "$package" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -qq vexlo-timers >/dev/null' EXIT

failed=0
passed=0
# Starts the installed program the way a desktop's menu does: its entry, launched by GLib.
launch_entry() {
    gio launch "/usr/share/applications/org.orvane.$1.desktop"
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
    local entry="/usr/share/applications/org.orvane.$1.desktop" icon
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

for entry in "DateVexlo:Date Vexlo Path" "Vexlo:Vexlo Path" "FullScreenVexlo:Full Screen Path" \
             "Pellum:Pellum Path"; do
    program=${entry%%:*}
    [ -x "/usr/bin/$program" ] || continue
    check "$program" "${entry#*:}" launch_binary
    check "$program" "${entry#*:}" launch_entry
    menu_entry "$program"
done
# The sound module, loaded at the first sound, where the programs look for it.
module=/usr/lib/vexlo/vexlo_audio.so
if [ -f "$module" ] && ! ldd "$module" | grep -q "not found"; then
    echo "installed sound module: found, its libraries too"
    passed=$((passed + 1))
else
    echo "installed sound module: missing, or its libraries are" >&2
    failed=$((failed + 1))
fi
echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
