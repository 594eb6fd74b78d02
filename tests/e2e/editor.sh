#!/usr/bin/env bash
# The level editor with the real program, in a copy of the game's data: F1 over a small level
# opens it; a drag over three floor cells paints them with the wall picked by a right click,
# Ctrl+Z takes the whole stroke back and a second stroke paints again; C and a click create a
# spawn, which is dragged aside; F1 asks "Are you sure?" (Escape answers no); Ctrl+S writes the
# level file (keeping the old one as .bak), F1 leaves and the level plays again as edited.
source "$(dirname "$0")/lib/common.bash" "$@"

xprop -root -spy >/dev/null 2>&1 &
KEEPER=$!
trap 'kill "$KEEPER" 2>/dev/null || true; cleanup' EXIT

count_log() { grep -cF -- "$1" "$GAME_LOG" 2>/dev/null || true; }
# Waits until the log holds a text more often than $2 times.
wait_for_count() {
    local text=$1 count=$2
    for _ in $(seq 300); do
        [ "$(count_log "$text")" -gt "$count" ] && return 0
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    fail "log never showed again: $text"
}

# A game folder whose level folder is a copy: the editor writes there, never into the repository.
dir="$WORK/game"
mkdir -p "$dir/data"
cp "$VELMORA_BIN" "$dir/velmora"
cp "$SOURCE_DIR/config.xml" "$dir/config.xml"
for entry in "$SOURCE_DIR"/data/*; do
    [ "$(basename "$entry")" = level ] || ln -s "$entry" "$dir/data/$(basename "$entry")"
done
cp -r "$SOURCE_DIR/data/level" "$dir/data/level"
LEVEL="$dir/data/level/edtest/edroom.xml"
mkdir -p "$(dirname "$LEVEL")"
echo "<campaign><levels><level>edroom</level></levels></campaign>" >"$dir/data/level/edtest/campaign.xml"
# Walls round a floor of 9 × 5 cells; the player stands in cell (2, 3).
{
    echo "<level><name>edroom</name><tilemap width='11' height='7'>"
    echo "1 1 1 1 1 1 1 1 1 1 1"
    for _ in 1 2 3 4 5; do echo "1 0 0 0 0 0 0 0 0 0 1"; done
    echo "1 1 1 1 1 1 1 1 1 1 1</tilemap>"
    echo "<medals gold='20' silver='40' bronze='60'/>"
    echo "<entity><archetype>player</archetype><position x='80' y='112'/><direction x='1' y='0'/></entity>"
    echo "</level>"
} >"$LEVEL"
ORIGINAL=$(cat "$LEVEL")

export VELMORA_CAMPAIGN=edtest
start_and_skip_intro "$dir"
read -r W H < <(x_retry xdotool getdisplaygeometry)
key_and_wait_for_change Return
x_retry xdotool key Return
wait_for_log "Playing level \`edroom\` of \`edtest\`"

# The editor's view is 25 rows of 32 units over the window's height (play shows 20), centred on
# the player.
ROWS=25
px() { awk "BEGIN { printf \"%d\", $W / 2 + ($1 - 80) * $H / ($ROWS * 32) }"; }
py() { awk "BEGIN { printf \"%d\", $H / 2 - ($2 - 112) * $H / ($ROWS * 32) }"; }
cell_x() { px $(($1 * 32 + 16)); }
cell_y() { py 0 $(($1 * 32 + 16)); }
move_to_cell() { x_retry xdotool mousemove "$(cell_x "$1")" "$(cell_y "$2")"; }
# The mean brightness of the middle of a cell in a screenshot.
cell_brightness() {
    region_brightness "$1" "12x12+$(($(cell_x "$2") - 6))+$(($(cell_y "$3") - 6))"
}
# True when cell ($1, $2) of the screenshot $3 looks painted (its brightness far from the floor's).
cell_painted() {
    is_true "$(awk "BEGIN { d = $(cell_brightness "$3" "$1" "$2") - $before; print (d < 0 ? -d : d) }")" '>' 0.05
}

x_retry xdotool mousemove "$(px 80)" "$(py 0 112)"
x_retry xdotool key F1
wait_for_log "[EDITOR:1] Editor opened"
wait_for_screen "$WORK/editor.png" true
# Outside the map the backdrop is black; the panel draws along the top-left.
[ "$(pixel_at "$WORK/editor.png" 5 $((H - 5)))" = "0,0,0" ] || fail "no black backdrop beside the map"
is_true "$(region_brightness "$WORK/editor.png" "600x40+10+20")" '>' 0.02 || fail "no panel at the top"
before=$(cell_brightness "$WORK/editor.png" 5 3)

# Right click on a wall picks it; a left drag over cells (4..6, 3) paints them.
move_to_cell 0 3
x_retry xdotool click 3
move_to_cell 4 3
x_retry xdotool mousedown 1
for x in 4 5 6; do
    move_to_cell "$x" 3
    # The button stays down until the game has painted the cell under the pointer.
    wait_for_screen "$WORK/stroke.png" cell_painted "$x" 3
done
x_retry xdotool mouseup 1
wait_for_log "Painted 3 cell(s) with tile"
screenshot "$WORK/painted.png"
painted=$(cell_brightness "$WORK/painted.png" 5 3)

x_retry xdotool key ctrl+z
wait_for_log "Undo: 0 of 1 step(s) applied"
screenshot "$WORK/undone.png"
for x in 4 5 6; do
    cell_painted "$x" 3 "$WORK/undone.png" && fail "Ctrl+Z left cell ($x, 3) painted"
done

move_to_cell 4 3
x_retry xdotool mousedown 1
wait_for_screen "$WORK/stroke.png" cell_painted 4 3
move_to_cell 5 3
wait_for_screen "$WORK/stroke.png" cell_painted 5 3
x_retry xdotool mouseup 1
wait_for_count "Painted " 1

# C, then a click on cell (7, 2) creates a spawn; dragging it moves it to cell (8, 2).
x_retry xdotool key c
move_to_cell 7 2
x_retry xdotool click 1
wait_for_log "[EDITOR:1] Created spawn \`"
x_retry xdotool mousedown 1
move_to_cell 8 2
wait_for_screen "$WORK/drag.png" true
x_retry xdotool mouseup 1
wait_for_log "[EDITOR:1] Moved spawn \`"
screenshot "$WORK/spawn.png"

x_retry xdotool key F1
wait_for_log "Unsaved changes: asking before leaving"
wait_for_screen "$WORK/dialog.png" true
x_retry xdotool key Escape
x_retry xdotool key ctrl+s
wait_for_log "[EDITOR:1] LEVEL \`edroom\` SAVED!"
[ "$(cat "$LEVEL.bak")" = "$ORIGINAL" ] || fail "the previous file was not kept as .bak"
grep -qF "<medals gold ='20' silver='40' bronze ='60'>" "$LEVEL" || fail "the medal times were not kept"
grep -qE "^		1 0 0 0 1 1 0 0 0 0 1 $" "$LEVEL" || fail "the painted cells are not in the file"
[ "$(grep -c '<entity>' "$LEVEL")" -eq 2 ] || fail "the created spawn is not in the file"

x_retry xdotool key F1
wait_for_log "[EDITOR:1] Editor closed"
grep -qF "Restarting level \`edroom\` with the edits" "$GAME_LOG" || fail "the edited level did not restart"
# Playing again, the painted cell stands out from the floor beside it.
ROWS=20
painted_beside_floor() { is_true "$(awk "BEGIN { d = $(cell_brightness "$1" 5 3) - $(cell_brightness "$1" 7 3); print (d < 0 ? -d : d) }")" '>' 0.05; }
wait_for_screen "$WORK/play.png" painted_beside_floor
echo "editor: painted $before -> $painted, saved and played"
[ -n "${VELMORA_E2E_SHOTS:-}" ] && cp "$WORK"/*.png "$VELMORA_E2E_SHOTS"/
echo "editor: ok"
