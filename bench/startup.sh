#!/usr/bin/env bash
# Start-up against the floor of what SDL allows: builds a bare SDL2 window of the game's size that
# is filled once through the window's software framebuffer, starts it and the game alternately
# under Xvfb, and prints for both the median time to the first painted content and the median
# resident memory 3 s after the start. Figures only: nothing is asserted.
#   usage: bench/startup.sh [BUILD_DIR] [ROUNDS]     (defaults: build, 9)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rounds=${2:-9}
root=$(cd "$(dirname "$0")/.." && pwd)
[ -x "$build/zentiles" ] || { echo "startup: build the game first ($build/zentiles)" >&2; exit 1; }
work=$(mktemp -d)
xvfb_pid=""
trap '{ [ -z "$xvfb_pid" ] || kill $xvfb_pid 2>/dev/null && wait $xvfb_pid 2>/dev/null; } || true; rm -rf "$work"' EXIT

cc -O2 -o "$work/bare_window" "$root/bench/bare_window.c" $(pkg-config --cflags --libs sdl2)
cc -O2 -o "$work/startup_probe" "$root/bench/startup_probe.c"

# The game runs from a folder of its own with the shipped files, as from its build folder.
mkdir -p "$work/game" "$work/fb"
cp "$build/zentiles" "$work/game/"
cp -r "$root/assets/." "$work/game/"
rm -rf "$work/game/packs" "$work/game/desktop"

# A black screen, so that the first lit pixels are the program's.
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 800x700x24 -br -fbdir "$work/fb" -nolisten tcp -noreset 2>/dev/null &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 500); do [ -s "$work/display" ] && break; sleep 0.01; done
[ -s "$work/display" ] || { echo "startup: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
sleep 0.5

# Painted: a quarter of the 480 x 640 window lit.
probe() { "$work/startup_probe" "$work/fb/Xvfb_screen0" 76800 3000 "$@" 2>> "$work/programs.log"; }
: > "$work/bare.txt"
: > "$work/game.txt"
for _ in $(seq "$rounds"); do
    probe "$work/bare_window" >> "$work/bare.txt"
    (cd "$work/game" && probe ./zentiles) >> "$work/game.txt"
done

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
report() {
    local name=$1 file=$2
    unpainted=$(grep -c '^-1' "$file" || true)
    [ "$unpainted" = 0 ] || echo "$name: $unpainted starts showed nothing within 10 s (left out)"
    paint=$(grep -v '^-1' "$file" | cut -d' ' -f1 | median)
    rss=$(cut -d' ' -f2 "$file" | median)
    awk -v n="$name" -v p="$paint" -v r="$rss" -v k="$rounds" -v all="$(cut -d' ' -f1 "$file" | paste -sd' ')" \
        'BEGIN {printf "%-6s first paint %6.1f ms   resident %6.1f MB   (%s starts: %s ms)\n", n, p, r / 1024, k, all}'
    eval "${name}_paint=$paint ${name}_rss=$rss"
}
report bare "$work/bare.txt"
report game "$work/game.txt"
awk -v gp="$game_paint" -v bp="$bare_paint" -v gr="$game_rss" -v br="$bare_rss" \
    'BEGIN {printf "game / bare: first paint %.2f x, resident %+.1f MB\n", gp / bp, (gr - br) / 1024}'
