#!/usr/bin/env bash
# The tweak panel in the real program: hidden over the main menu, Tab shows it in the top-left
# corner, Tab hides it again.
source "$(dirname "$0")/lib/common.bash" "$@"

# The panel's area of the screen.
panel=320x460+16+16

dir=$(make_game_dir)
# The game opens on the preloader and the intro; the panel is checked over the main menu.
start_and_skip_intro "$dir"
window=$(wait_for_window '\[ VELMORA THE GAME! \]')
sleep 1
screenshot "$WORK/start.png"

x_retry xdotool key Tab
sleep 0.5
screenshot "$WORK/shown.png"
changed=$(region_rmse "$WORK/start.png" "$WORK/shown.png" $panel)
is_true "$changed" '>' 0.05 || fail "Tab did not show the panel (difference $changed)"
# Only the panel is drawn: the far corner is unchanged.
is_true "$(region_rmse "$WORK/start.png" "$WORK/shown.png" 360x300+920+500)" '<' 0.01 ||
    fail "something outside the panel was drawn"

x_retry xdotool key Tab
sleep 0.5
screenshot "$WORK/hidden.png"
is_true "$(region_rmse "$WORK/start.png" "$WORK/hidden.png" $panel)" '<' 0.01 ||
    fail "a second Tab did not hide the panel"

x_retry xdotool key alt+F4
expect_exit 0
echo "tweakpanel: ok"
