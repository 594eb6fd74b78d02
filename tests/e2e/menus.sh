#!/usr/bin/env bash
# The start-up screens and the menus in the real program: the preloader, the intro (its first
# slide is white), Escape skips to the main menu over its background, Down and Return walk into
# Options and Audio Options and back, Help opens and closes, Credits opens, the graphics options
# switch to a window and to a smaller one, and Quit, then "Quit to Desktop", ends the program
# with status 0. Prints the start-up time to a usable menu.
source "$(dirname "$0")/lib/common.bash" "$@"

dir=$(make_game_dir)
started=$(date +%s.%N)
start_game_until_initialized "$dir"
x_retry xdotool mousemove 1270 790
wait_for_log "[PRELOADER:1] Preloaded "
grep -qF "[PRELOADER:1] Preloaded 54 resources" "$GAME_LOG" || fail "the preload list did not load whole"

# The intro: the first slide is the studio logo on white.
wait_for_screen "$WORK/intro.png" intro_shown
[ "$(pixel_at "$WORK/intro.png" 5 5)" = "255,255,255" ] || fail "the intro's background is not white"
is_true "$(region_brightness "$WORK/intro.png" 512x256+384+272)" '<' 0.97 || fail "no picture in the middle"

# Escape skips the rest (no movie): the menu background and its five buttons, the first focused.
x_retry xdotool key Escape
wait_for_screen "$WORK/menu.png" frames_are 4 1 button
menu_background_shown "$WORK/menu.png" || fail "the menu background is not shown"
ready=$(date +%s.%N)
# For information: with this build and the screenshot polling of this script, not a benchmark.
echo "start-up to the menu: $(echo "$ready - $started" | bc) s; $(grep -F "[PRELOADER:1] Preloaded" "$GAME_LOG")"

# Options (the second button): three buttons.
focus_key Down
page_key Return options
wait_for_screen "$WORK/options.png" frames_are 2 1 button
# Audio Options: two sliders (the music one focused) and "Go Back".
focus_key Down
page_key Return audio
wait_for_screen "$WORK/audio.png" frames_are 2 1 slider
# Escape goes back to Options, Escape again to the first page.
page_key Escape options
wait_for_screen "$WORK/options2.png" frames_are 2 1 button
page_key Escape main
wait_for_screen "$WORK/menu2.png" frames_are 4 1 button

# Help (third button) shows the help page over the whole window; Escape closes it.
focus_key Down
focus_key Down
x_retry xdotool key Return
# The page keeps its 4:3 shape: 1067 × 800 in the middle of the screen, dark margins beside it.
convert "$SOURCE_DIR/data/image/helpmenu.png" -resize '1067x800!' "$WORK/helpmenu.png"
convert -size 1280x800 'xc:rgb(6,11,18)' "$WORK/helpmenu.png" -geometry +106+0 -composite "$WORK/helpmenu.png"
help_shown() { is_true "$(region_rmse "$1" "$WORK/helpmenu.png" 1280x800+0+0)" '<' 0.06; }
wait_for_screen "$WORK/help.png" help_shown
x_retry xdotool key Escape
wait_for_screen "$WORK/menu3.png" frames_are 4 1 button

# Credits (fourth button): the menu darkens behind the rising credits.
focus_key Down
x_retry xdotool key Return
credits_shown() {
    is_true "$(region_brightness "$1" 360x800+0+0)" '<' "$(echo "0.6 * $(region_brightness "$WORK/menu.png" 360x800+0+0)" | bc -l)"
}
wait_for_screen "$WORK/credits.png" credits_shown
x_retry xdotool key Escape
# The page steps back in once the credits have gone.
wait_for_screen "$WORK/menu4.png" frames_are 4 1 button
menu_background_shown "$WORK/menu4.png" || fail "the menu background is not shown after the credits"

# Gfx Options: "Window Mode" gives a window of the screen's size; the next size down, chosen on
# the selector, is applied on going back: a 1024 x 768 window in the middle of the screen.
focus_key Up
focus_key Up
page_key Return options
page_key Return graphics
focus_key Down
press_and_wait_for_log Return "[GRAPHICS:1] Video mode 1280x800 windowed"
focus_key Down
page_key Return options
page_key Return graphics
press_and_wait_for_log Right "[MENU:1] Resolution 1024 x 768 chosen"
press_and_wait_for_log Escape "[GRAPHICS:1] Video mode 1024x768 windowed"
window_shown() {
    [ "$(pixel_at "$1" 5 5)" = "0,0,0" ] &&
        is_true "$(region_brightness "$1" 120x700+140+50)" '>' "$(region_brightness "$1" 100x700+5+50)"' + 0.03'
}
wait_for_screen "$WORK/window.png" window_shown
# Keys go to the window under the pointer, unless an earlier program left the X focus on a window
# that is gone (there is no window manager to hand it on): give it to the game as one would.
x_retry xdotool mousemove 1140 775
x_retry xdotool search --name "VELMORA THE GAME" windowfocus
page_key Escape main

# Quit (the last button), then "Quit to Desktop": the program ends after the fade.
for _ in 1 2 3 4; do focus_key Down; done
page_key Return quit
wait_for_screen "$WORK/quit.png" frames_are 1 1 button
page_key Return leaving
expect_exit 0
grep -qF "[CORE:1] Game engine shutdown completely" "$GAME_LOG" || fail "no shutdown line"
echo "menus: ok"
