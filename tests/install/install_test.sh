#!/usr/bin/env bash
# The installed game as a player meets it. Installs into a temporary prefix (nothing outside it),
# checks the desktop entry and the icons, then starts the installed game under Xvfb with a fresh
# HOME: the player's folder is made for the user alone and filled with the shipped files, the
# window carries the icon, the title and its least size, the font engine is not loaded; a tile is
# dragged and the window resized, and both come back at the second start, which leaves the
# player's own files alone and brings back a deleted shipped one. Last, the uninstall removes
# every installed file.
#   usage: tests/install/install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
    [ -z "$game_pid" ] || kill -9 "$game_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null; } || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "install test: $*" >&2; exit 1; }

prefix="$work/prefix"
shipped="$prefix/share/zentiles"
player="$work/home/.local/share/zentiles"

# ---- Install -------------------------------------------------------------------------------
cmake --install "$build" --prefix "$prefix" > "$work/install.log"
while read -r file; do
    case "$file" in "$prefix"/*) ;; *) fail "the install wrote $file, outside the prefix" ;; esac
done < "$build/install_manifest.txt"
for file in bin/zentiles share/applications/zentiles.desktop share/zentiles/zentiles.cfg \
            share/zentiles/freeware.zdb share/zentiles/pack1.zdb share/zentiles/pack2.zdb \
            share/zentiles/pack3.zdb share/zentiles/Bitmaps/Paper.bmp share/zentiles/Textures/Wood.bmp; do
    [ -f "$prefix/$file" ] || fail "$file was not installed"
done
[ ! -e "$shipped/packs" ] && [ ! -e "$shipped/desktop" ] || fail "sources were installed as game files"
desktop-file-validate "$prefix/share/applications/zentiles.desktop" || fail "the desktop entry is not valid"
grep -qx "Exec=\"$prefix/bin/zentiles\"" "$prefix/share/applications/zentiles.desktop" ||
    fail "the desktop entry does not start the installed program"
for side in 16 32 48 256; do
    png="$prefix/share/icons/hicolor/${side}x${side}/apps/zentiles.png"
    [ -f "$png" ] || fail "no ${side} pixel icon"
    size=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')
    [ "$size" = "${side}x${side}" ] || fail "the ${side} pixel icon is $size"
done

# ---- An X server of our own ------------------------------------------------------------------
# Xvfb picks a free display itself and says which; one that lost a race for it is started again.
mkdir -p "$work/fb" "$work/home" "$work/elsewhere"
start_xvfb() {
    : > "$work/display"
    exec 3> "$work/display"
    # -noreset: a server resetting after its last client left refuses the next one for a moment.
    Xvfb -displayfd 3 -screen 0 1024x1024x24 -fbdir "$work/fb" -nolisten tcp -noreset 2> "$work/xvfb.log" &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 500); do [ -s "$work/display" ] && break; sleep 0.01; done
    export DISPLAY=":$(head -n1 "$work/display")"
    for _ in $(seq 200); do
        kill -0 "$xvfb_pid" 2>/dev/null || return 1
        xdotool getmouselocation >/dev/null 2>&1 && return 0
        sleep 0.01
    done
    return 1
}
for attempt in 1 2 3; do
    start_xvfb && break
    kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true
    [ "$attempt" = 3 ] && fail "Xvfb did not start: $(cat "$work/xvfb.log")"
done
screen="$work/fb/Xvfb_screen0"

# The installed game, started from a folder of no importance, as a desktop menu would.
start_game() {
    (cd "$work/elsewhere" && HOME="$work/home" exec env -u XDG_DATA_HOME "$prefix/bin/zentiles") \
        > "$work/game.log" 2>&1 &
    game_pid=$!
    wid=""
    for _ in $(seq 1000); do
        wid=$(xdotool search --onlyvisible --name '^Zentiles$' 2>/dev/null | head -n1) || true
        [ -n "$wid" ] && break
        sleep 0.01
    done
    [ -n "$wid" ] || fail "no window titled Zentiles appeared (see $(cat "$work/game.log"))"
    for _ in $(seq 500); do
        [ "$(tr -d '\000' < "$screen" | wc -c)" -gt 100000 ] && break
        sleep 0.01
    done
    xdotool windowfocus --sync "$wid"
}
wait_exit() {
    for _ in $(seq 150); do
        kill -0 "$game_pid" 2>/dev/null || { wait "$game_pid"; game_pid=""; return; }
        sleep 0.1
    done
    fail "Ctrl+Q did not end the game"
}
wait_screen_change() {
    for _ in $(seq 500); do cmp -s "$1" "$screen" || return 0; sleep 0.01; done
    return 1
}

# ---- First start: the player's folder is made and filled -----------------------------------
start_game
[ -d "$player" ] || fail "the player's folder $player was not made"
[ "$(stat -c %a "$player")" = 700 ] || fail "the player's folder is open to others"
(cd "$shipped" && find . -type f) | while read -r file; do
    cmp -s "$shipped/$file" "$player/$file" || fail "the shipped $file was not copied in"
done
! grep -q libSDL2_ttf "/proc/$game_pid/maps" || fail "the font engine was loaded at start"
xprop -id "$wid" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the window has no program icon"
xprop -id "$wid" WM_NORMAL_HINTS | grep -q 'minimum size: 240 by 320' || fail "no least size 240 x 320"

# Drag the square from its home (window pixel 212, 516 at the double scale), then widen the window.
cp "$screen" "$work/before.xwd"
xdotool mousemove --window "$wid" 212 516 mousedown 1
for step in $(seq 1 20); do xdotool mousemove --window "$wid" $((212 - 4 * step)) $((516 - 12 * step)); done
xdotool mouseup 1
wait_screen_change "$work/before.xwd" || fail "dragging a tile changed nothing"
xdotool windowsize --sync "$wid" 720 960
xdotool windowmove --sync "$wid" 40 30
sleep 0.3
xdotool windowfocus --sync "$wid" key ctrl+q
wait_exit
[ "$(stat -c %s "$player/zentiles.cfg")" = 1808 ] || fail "the settings file is not 1808 bytes"
! cmp -s "$player/zentiles.cfg" "$shipped/zentiles.cfg" || fail "the moved tile was not saved"
grep -qx 'width=720' "$player/window.ini" && grep -qx 'height=960' "$player/window.ini" ||
    fail "the window's size was not kept: $(cat "$player/window.ini" 2>&1)"

# ---- Second start: the player's files stay, a deleted shipped file comes back ---------------
saved=$(md5sum < "$player/zentiles.cfg")
echo "the player's own picture" > "$player/Bitmaps/Paper.bmp"
rm "$player/Textures/Wood.bmp"
start_game
geometry=$(xdotool getwindowgeometry "$wid")
echo "$geometry" | grep -q 'Geometry: 720x960' || fail "the window came back as: $geometry"
echo "$geometry" | grep -q 'Position: 40,30' || fail "the window came back at: $geometry"
xdotool key ctrl+q
wait_exit
[ "$(md5sum < "$player/zentiles.cfg")" = "$saved" ] || fail "the dragged tile did not come back"
[ "$(cat "$player/Bitmaps/Paper.bmp")" = "the player's own picture" ] || fail "a player's file was overwritten"
cmp -s "$player/Textures/Wood.bmp" "$shipped/Textures/Wood.bmp" || fail "a deleted shipped file did not come back"

# ---- Uninstall: exactly the installed files go -------------------------------------------------
make -s -C "$(dirname "$0")/../.." uninstall BUILD="$build" > /dev/null
left=$(find "$prefix" -type f)
[ -z "$left" ] || fail "the uninstall left $left"
echo "install test: passed"
