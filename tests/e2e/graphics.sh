#!/usr/bin/env bash
# The window and the render pass of the real program: it opens full-screen in the desktop's
# mode, F2 shows the performance overlay over the main menu, Alt+Return switches to a window and back, and Alt+F4
# ends it cleanly.
source "$(dirname "$0")/lib/common.bash" "$@"

# True while an override-redirect window covers the screen: how SDL shows a full-screen mode.
fullscreen_window_shown() {
    local child info
    for child in $(x_retry xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
        info=$(x_retry xwininfo -id "$child" || true)
        grep -q "Override Redirect State: yes" <<<"$info" || continue
        grep -q "Map State: IsViewable" <<<"$info" || continue
        grep -q "Width: 1280" <<<"$info" && return 0
    done
    return 1
}

dir=$(make_game_dir)
# The game opens on the preloader and the intro; the checks below are made over the main menu.
start_and_skip_intro "$dir"
window=$(wait_for_window '\[ VELMORA THE GAME! \]')

# Full screen in the only mode Xvfb has, its screen size.
wait_for_log "[GRAPHICS:1] Video mode 1280x800 full screen"
x_retry xdotool getwindowgeometry "$window" | grep -q "Geometry: 1280x800" || fail "window is not 1280x800"
eventually fullscreen_window_shown || fail "no full-screen window"
wait_for_still_screen "$WORK/before.png"

# F2 toggles the overlay once per press; it covers the top-left corner of the menu.
corner=400x300+0+0
overlay_shown() { is_true "$(region_rmse "$WORK/before.png" "$1" $corner)" '>' 0.05; }
overlay_hidden() { is_true "$(region_rmse "$WORK/before.png" "$1" $corner)" '<' 0.01; }
x_retry xdotool key F2
VELMORA_WAIT=5 wait_for_screen "$WORK/overlay.png" overlay_shown
# The overlay stays in its corner: the far side of the menu is unchanged.
is_true "$(region_rmse "$WORK/before.png" "$WORK/overlay.png" 360x400+920+400)" '<' 0.01 ||
    fail "the overlay drew outside its corner"

x_retry xdotool key F2
VELMORA_WAIT=5 wait_for_screen "$WORK/hidden.png" overlay_hidden
x_retry xdotool key F2
VELMORA_WAIT=5 wait_for_screen "$WORK/overlay-again.png" overlay_shown

# Alt+Return: the first windowed candidate that fits a 1280x800 desktop is 1280x800.
x_retry xdotool key alt+Return
wait_for_log "[GRAPHICS:1] Video mode 1280x800 windowed"
focus_game_window
windowed() { ! fullscreen_window_shown; }
eventually windowed || fail "still full-screen after Alt+Return"
# Frames drawn in the new window (the game has taken the focus it was handed) before the next key;
# the overlay's live figures in the top-left corner are left out.
wait_for_still_screen "$WORK/windowed.png" 640x400+640+400
[ "$(count_log "Video mode")" -eq 2 ] || fail "Alt+Return changed the mode more than once"
x_retry xdotool getwindowgeometry "$window" | grep -q "Geometry: 1280x800" || fail "window is not 1280x800"

# And back to full screen.
x_retry xdotool key alt+Return
wait_for_log "[GRAPHICS:1] Video mode 1280x800 full screen" 30 2
eventually fullscreen_window_shown || fail "not full-screen again after the second Alt+Return"
[ "$(count_log "Video mode")" -eq 3 ] || fail "unexpected mode changes"

x_retry xdotool key alt+F4
expect_exit 0
grep -qF "[CORE:1] Game engine shutdown completely" "$GAME_LOG" || fail "no shutdown line"
echo "graphics: ok"
