#!/usr/bin/env bash
# A critical error during play in full screen: the first training level is broken (a negative
# width), so starting Training raises the "CRITICAL ERROR" box over the full-screen game. The box
# must get the keyboard (the game lets go of its grab and leaves full screen while it is up):
# Return dismisses it, the game is full screen again and its menu works. A second run ends the
# game with SIGTERM while the box is up: it shuts down cleanly.
source "$(dirname "$0")/lib/common.bash" "$@"

# A game folder whose data links to the repository's, except for a broken training campaign.
make_broken_game_dir() {
    local dir entry
    dir=$(make_game_dir)
    rm "$dir/data"
    mkdir -p "$dir/data/level"
    for entry in "$SOURCE_DIR"/data/*; do
        [ "$(basename "$entry")" = level ] || ln -s "$entry" "$dir/data/$(basename "$entry")"
    done
    for entry in "$SOURCE_DIR"/data/level/*; do
        [ "$(basename "$entry")" = training ] || ln -s "$entry" "$dir/data/level/$(basename "$entry")"
    done
    cp -r "$SOURCE_DIR/data/level/training" "$dir/data/level/training"
    sed -i "s/<tilemap width='[0-9]*'/<tilemap width='-3'/" "$dir/data/level/training/walk.xml"
    echo "$dir"
}

# New Game, then Training (the first entry of the campaign page): the broken level's box, whose
# window id is left in BOX.
start_training_until_box() {
    start_and_skip_intro "$1"
    key_and_wait_for_change Return
    x_retry xdotool key Return
    wait_for_log "Level has invalid size: "
    BOX=$(wait_for_window "CRITICAL ERROR")
}

dir=$(make_broken_game_dir)
start_training_until_box "$dir"
xdotool keydown --window "$BOX" Return 2>/dev/null || true
xdotool keyup Return 2>/dev/null || true
for _ in $(seq 100); do
    xdotool search --name "CRITICAL ERROR" > /dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --name "CRITICAL ERROR" > /dev/null 2>&1 && fail "Return did not reach the box"
wait_for_screen "$WORK/menu-after-box.png" menu_background_shown
# The menu still answers: Escape on its first page asks whether to quit, and Return confirms.
key_and_wait_for_change Escape
x_retry xdotool key Return
expect_exit 0

start_training_until_box "$dir"
kill -TERM "$GAME_PID"
expect_exit 0
grep -qF "[CORE:1] Game engine shutdown completely" "$GAME_LOG" || fail "no shutdown line after SIGTERM"
echo "criticalbox: ok"
