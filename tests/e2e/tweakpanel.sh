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
wait_for_still_screen "$WORK/start.png"
shown() { is_true "$(region_rmse "$WORK/start.png" "$1" $panel)" '>' 0.05; }
hidden() { is_true "$(region_rmse "$WORK/start.png" "$1" $panel)" '<' 0.01; }

x_retry xdotool key Tab
VELMORA_WAIT=10 wait_for_screen "$WORK/shown.png" shown
# Only the panel is drawn: the far corner is unchanged.
is_true "$(region_rmse "$WORK/start.png" "$WORK/shown.png" 360x300+920+500)" '<' 0.01 ||
    fail "something outside the panel was drawn"

x_retry xdotool key Tab
VELMORA_WAIT=10 wait_for_screen "$WORK/hidden.png" hidden

x_retry xdotool key alt+F4
expect_exit 0
echo "tweakpanel: ok"
