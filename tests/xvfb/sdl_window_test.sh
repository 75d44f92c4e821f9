#!/usr/bin/env bash
# The real SDL window under Xvfb: the game starts and shows a board, a tile dragged with the mouse
# changes the picture, Ctrl+Q closes the game and leaves a settings file, SIGTERM during a start-up
# box writes nothing. Also times the first
# frame (start to a visible window), median of five starts.
#   usage: tests/xvfb/sdl_window_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'kill $xvfb_pid 2>/dev/null && wait $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT

mkdir -p "$work/game" "$work/fb"
cp "$build/zentiles" "$work/game/"
cp -r "$root/assets/." "$work/game/"
rm -rf "$work/game/packs" "$work/game/desktop"

# Xvfb picks a free display itself and tells us which, so the test never talks to another one.
# Two servers starting at the same moment may still pick the same number; the loser cannot
# listen, so a server that does not answer is replaced by a fresh one.
start_xvfb() {
    rm -f "$work/display"
    exec 3> "$work/display"
    # -noreset: a server resetting after its last client left refuses the next one for a moment.
    Xvfb -displayfd 3 -screen 0 800x700x24 -fbdir "$work/fb" -nolisten tcp -noreset 2> "$work/xvfb.log" &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 500); do [ -s "$work/display" ] && break; sleep 0.01; done
    [ -s "$work/display" ] || return 1
    export DISPLAY=":$(head -n1 "$work/display")"
    for _ in $(seq 500); do
        # Answered, and by our own server: a loser that could not listen has ended by now.
        xdotool getmouselocation >/dev/null 2>&1 && sleep 0.2 && kill -0 "$xvfb_pid" 2>/dev/null &&
            return 0
        kill -0 "$xvfb_pid" 2>/dev/null || return 1
        sleep 0.01
    done
    return 1
}
started=""
for _ in 1 2 3; do
    start_xvfb && { started=1; break; }
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
done
[ -n "$started" ] || { echo "sdl window test: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }

fail() {
    echo "sdl window test: $*" >&2
    [ -f "$work/game.log" ] && sed "s/^/  game: /" "$work/game.log" >&2
    echo "  DISPLAY=$DISPLAY; server: $(xdotool getmouselocation 2>&1)" >&2
    sed "s/^/  xvfb: /" "$work/xvfb.log" >&2
    exit 1
}

start_game() {
    "$work/game/zentiles" > "$work/game.log" 2>&1 &
    game_pid=$!
    wid=""
    for _ in $(seq 2000); do # polled every 10 ms, so the first-frame time is not rounded up
        wid=$(xdotool search --onlyvisible --name '^Zentiles$' 2>/dev/null | head -n1) || true
        [ -n "$wid" ] && break
        sleep 0.01
    done
    [ -n "$wid" ] || fail "no window appeared (see $work/game.log)"
}

screen="$work/fb/Xvfb_screen0"

# Polls (10 ms steps, at most 5 s) until the screen differs from the file given.
wait_screen_change() {
    for _ in $(seq 500); do
        cmp -s "$1" "$screen" || return 0
        sleep 0.01
    done
    return 1
}

# Waits until the game has painted its board, answers a message box the start may show (a missing
# file), and leaves the focus on the game.
settle() {
    for _ in $(seq 500); do
        [ "$(tr -d '\000' < "$screen" | wc -c)" -gt 100000 ] && break
        sleep 0.01
    done
    xdotool windowfocus --sync "$wid"
    for _ in 1 2; do xdotool key Return; done
}

# Waits for the game to end by itself, at most 15 seconds.
wait_exit() {
    for _ in $(seq 150); do
        kill -0 "$game_pid" 2>/dev/null || { wait "$game_pid"; return; }
        sleep 0.1
    done
    kill -9 "$game_pid" 2>/dev/null || true
    fail "$1"
}

# Time to a visible window, five times; each start is closed with Ctrl+Q.
times=()
for _ in 1 2 3 4 5; do
    t0=$(date +%s%N)
    start_game
    t1=$(date +%s%N)
    times+=($(((t1 - t0) / 1000000)))
    settle
    xdotool key ctrl+q
    wait_exit "Ctrl+Q did not end the game (see $work/game.log)"
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "sdl window test: first frame in ${times[*]} ms; median ${sorted[2]} ms"

# SIGTERM while a start-up box is open ("File Not Found!" for the pack): the game ends and writes
# nothing, for it never loaded the pack's progress nor built the board.
mv "$work/game/freeware.zdb" "$work/freeware.zdb"
head -c 1200 /dev/urandom > "$work/game/freeware.sdb"
sums=$(md5sum "$work/game/freeware.sdb" "$work/game/zentiles.cfg")
start_game
sleep 0.5
kill -TERM "$game_pid"
wait_exit "SIGTERM did not end the game while a start-up box was open"
[ "$(md5sum "$work/game/freeware.sdb" "$work/game/zentiles.cfg")" = "$sums" ] ||
    fail "closing during a start-up box overwrote the progress or settings file"
mv "$work/freeware.zdb" "$work/game/freeware.zdb"
rm "$work/game/freeware.sdb"

start_game
settle
cp "$screen" "$work/before.xwd"
[ "$(tr -d '\000' < "$work/before.xwd" | wc -c)" -gt 100000 ] || fail "the screen is empty"

# The square waits at home at board cell (13, 31): its middle is board pixel (106, 232),
# screen pixel (106, 258), window pixel (212, 516) at the window's double scale.
xdotool mousemove --window "$wid" 212 516 mousedown 1
for step in $(seq 1 20); do xdotool mousemove --window "$wid" $((212 - 4 * step)) $((516 - 12 * step)); done
xdotool mouseup 1
wait_screen_change "$work/before.xwd" || fail "dragging a tile changed nothing on the screen"

settings="$work/game/zentiles.cfg"
before_sum=$(md5sum < "$settings")
xdotool windowfocus --sync "$wid" key ctrl+q
wait_exit "Ctrl+Q did not end the game"
[ "$(stat -c %s "$settings")" = 1808 ] || fail "the settings file is not 1808 bytes"
[ "$(md5sum < "$settings")" != "$before_sum" ] || fail "closing did not save the moved tile"
echo "sdl window test: passed"
