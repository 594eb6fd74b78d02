#!/usr/bin/env bash
# The tweak panel in the real program: hidden at start, Tab shows it in the top-left corner,
# Tab hides it again.
source "$(dirname "$0")/lib/common.bash" "$@"

# Mean brightness of the panel's area of a screenshot, 0 … 1.
panel_brightness() {
    convert "$1" -crop 320x460+16+16 -colorspace Gray -format "%[fx:mean]" info:
}

dir=$(make_game_dir)
start_game "$dir"
wait_for_log "[CORE:1] Initialization complete"
window=$(wait_for_window '\[ VELMORA THE GAME! \]')
sleep 1
screenshot "$WORK/start.png"
[ "$(panel_brightness "$WORK/start.png")" = "0" ] || fail "the panel area is not empty at start"

xdotool key Tab
sleep 0.5
screenshot "$WORK/shown.png"
shown=$(panel_brightness "$WORK/shown.png")
awk "BEGIN { exit !($shown > 0.05) }" || fail "Tab did not show the panel (brightness $shown)"
# Only the panel is drawn: the far corner stays empty.
[ "$(convert "$WORK/shown.png" -crop 400x300+880+500 -format "%[fx:mean]" info:)" = "0" ] ||
    fail "something outside the panel was drawn"

xdotool key Tab
sleep 0.5
screenshot "$WORK/hidden.png"
[ "$(panel_brightness "$WORK/hidden.png")" = "0" ] || fail "a second Tab did not hide the panel"

xdotool key alt+F4
expect_exit 0
echo "tweakpanel: ok"
