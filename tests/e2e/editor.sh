#!/usr/bin/env bash
# The level editor with the real program, in a copy of the game's data: F1 over a small level
# opens it; a drag over three floor cells paints them with the wall picked by a right click,
# Ctrl+Z takes the whole stroke back and a second stroke paints again; C and a click create a
# spawn, which is dragged aside; F1 asks "Are you sure?" (Escape answers no); Ctrl+S writes the
# level file (keeping the old one as .bak), F1 leaves and the level plays again as edited.
source "$(dirname "$0")/lib/common.bash" "$@"

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
# True when the screenshot $3 shows a white spawn circle round the middle of cell ($1, $2).
spawn_held() {
    local count
    count=$(convert "$3" -crop "36x36+$(($(cell_x "$1") - 18))+$(($(cell_y "$2") - 18))" +repage \
        -fx "(r>0.9&&g>0.9&&b>0.9)?1:0" -format "%[fx:int(mean*w*h)]" info:)
    [ "$count" -gt 20 ]
}
# True when cell ($1, $2) of the screenshot $3 looks painted: its brightness is far from that of
# floor cell (8, 1), which nothing paints or covers.
cell_painted() {
    local floor
    floor=$(cell_brightness "$3" 8 1)
    is_true "$(awk "BEGIN { d = $(cell_brightness "$3" "$1" "$2") - $floor; print (d < 0 ? -d : d) }")" '>' 0.05
}

x_retry xdotool mousemove "$(px 80)" "$(py 0 112)"
x_retry xdotool key F1
wait_for_log "[EDITOR:1] Editor opened"
# Outside the map the backdrop is black; the panel draws along the top-left.
editor_shown() {
    [ "$(pixel_at "$1" 5 $((H - 5)))" = "0,0,0" ] && is_true "$(region_brightness "$1" "600x40+10+20")" '>' 0.02
}
wait_for_screen "$WORK/editor.png" editor_shown

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
floor=$(cell_brightness "$WORK/painted.png" 8 1)

x_retry xdotool key ctrl+z
wait_for_log "Undo: 0 of 1 step(s) applied"
stroke_gone() { ! cell_painted 4 3 "$1" && ! cell_painted 5 3 "$1" && ! cell_painted 6 3 "$1"; }
wait_for_screen "$WORK/undone.png" stroke_gone

move_to_cell 4 3
x_retry xdotool mousedown 1
wait_for_screen "$WORK/stroke.png" cell_painted 4 3
move_to_cell 5 3
wait_for_screen "$WORK/stroke.png" cell_painted 5 3
x_retry xdotool mouseup 1
wait_for_log "Painted " 30 2

# C, then a click on cell (7, 2) creates a spawn; dragging it moves it to cell (8, 2).
press_and_wait_for_log c "[EDITOR:1] Tool: "
move_to_cell 7 2
x_retry xdotool click 1
wait_for_log "[EDITOR:1] Created spawn \`"
# The spawn being dragged is drawn white: the pointer moves once it is held, and lets go once
# it has followed.
x_retry xdotool mousedown 1
wait_for_screen "$WORK/held.png" spawn_held 7 2
move_to_cell 8 2
wait_for_screen "$WORK/drag.png" spawn_held 8 2
x_retry xdotool mouseup 1
wait_for_log "[EDITOR:1] Moved spawn \`"
screenshot "$WORK/spawn.png"

x_retry xdotool key F1
wait_for_log "Unsaved changes: asking before leaving"
# The question's white text on its dark card in the middle of the window.
dialog_shown() {
    local count
    count=$(convert "$1" -crop "420x160+$((W / 2 - 210))+$((H / 2 - 80))" +repage \
        -fx "(r>0.95&&g>0.95&&b>0.95)?1:0" -format "%[fx:int(mean*w*h)]" info:)
    [ "$count" -gt 300 ]
}
wait_for_screen "$WORK/dialog.png" dialog_shown
x_retry xdotool key Escape
dialog_gone() { ! dialog_shown "$1"; }
wait_for_screen "$WORK/answered.png" dialog_gone
x_retry xdotool key ctrl+s
wait_for_log "[EDITOR:1] LEVEL \`edroom\` SAVED!"
[ "$(cat "$LEVEL.bak")" = "$ORIGINAL" ] || fail "the previous file was not kept as .bak"
grep -qF "<medals gold ='20' silver='40' bronze ='60'>" "$LEVEL" || fail "the medal times were not kept"
grep -qE "^		1 0 0 0 1 1 0 0 0 0 1 $" "$LEVEL" || fail "the painted cells are not in the file"
[ "$(grep -c '<entity>' "$LEVEL")" -eq 2 ] || fail "the created spawn is not in the file"

x_retry xdotool key F1
wait_for_log "[EDITOR:1] Editor closed"
grep -qF "Restarting level \`edroom\` with the edits" "$GAME_LOG" || fail "the edited level did not restart"
# Playing again, the painted cell stands out from the floor.
ROWS=20
wait_for_screen "$WORK/play.png" cell_painted 5 3
echo "editor: floor $floor, painted $painted (brightness), saved and played"
# VELMORA_E2E_SHOTS=DIR keeps the screenshots of a run that passed, for a look.
if [ -n "${VELMORA_E2E_SHOTS:-}" ]; then mkdir -p "$VELMORA_E2E_SHOTS" && cp "$WORK"/*.png "$VELMORA_E2E_SHOTS"/; fi
echo "editor: ok"
