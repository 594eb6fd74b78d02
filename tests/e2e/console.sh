#!/usr/bin/env bash
# The console over the main menu: back-quote opens it, "print(1+1)" typed and run with Return
# shows "2" as the newest history line (and in the log), the menu does not take the Return, and
# back-quote closes it again.
source "$(dirname "$0")/lib/common.bash" "$@"

# Bright text pixels in a region (geometry WxH+X+Y) of a screenshot.
ink() {
    convert "$1" -crop "$2" -fx "(r>0.7&&g>0.7&&b>0.7)?1:0" -format "%[fx:int(mean*w*h)]" info:
}

dir=$(make_game_dir)
start_and_skip_intro "$dir"
# The menu as it stands once its page has faded in: the console must leave it so.
wait_for_still_screen "$WORK/menu.png"
read -r W H < <(x_retry xdotool getdisplaygeometry)
# The panel covers the top 45 % of the window; the input line sits at its bottom and the newest
# history line right above it, one line (17 pixels) each.
PANEL_BOTTOM=$((H - H * 55 / 100))
INPUT_TOP=$((PANEL_BOTTOM - 4 - 17))
NEWEST_TOP=$((INPUT_TOP - 17))

panel_shown() { is_true "$(region_brightness "$1" "${W}x$((PANEL_BOTTOM - 10))+0+0")" '<' 0.2; }
x_retry xdotool key grave
wait_for_screen "$WORK/open.png" panel_shown

x_retry xdotool type --delay 40 'print(1+1)'
x_retry xdotool key Return
wait_for_log "[LUA:1] 2"
result_shown() { [ "$(ink "$1" "8x17+69+$NEWEST_TOP")" -gt 8 ]; }
VELMORA_WAIT=10 wait_for_screen "$WORK/ran.png" result_shown
# "[LUA:1] 2" is nine characters of 8 pixels from x = 4: ink up to x = 76, none beyond.
[ "$(ink "$WORK/ran.png" "74x17+4+$NEWEST_TOP")" -gt 40 ] || fail "no newest history line"
[ "$(ink "$WORK/ran.png" "8x17+69+$NEWEST_TOP")" -gt 8 ] || fail "no '2' at the end of the newest line"
[ "$(ink "$WORK/ran.png" "400x17+84+$NEWEST_TOP")" -eq 0 ] || fail "the newest line is longer than '[LUA:1] 2'"
# The line above is the echoed command, "> print(1+1)": twelve characters.
[ "$(ink "$WORK/ran.png" "16x17+84+$((NEWEST_TOP - 17))")" -gt 8 ] || fail "no echoed command above the result"

x_retry xdotool key grave
wait_for_screen "$WORK/closed.png" menu_background_shown
wait_for_still_screen "$WORK/closed.png"
# The same menu page as before the console opened: the menu never saw the Return.
page="$((W / 2))x$((H / 2))+$((W / 4))+$((H / 4))"
is_true "$(region_rmse "$WORK/menu.png" "$WORK/closed.png" "$page")" '<' 0.05 || fail "the menu took the console's keys"
echo "console: ok"
