#!/usr/bin/env bash
# The training campaign teaches through its level triggers: the first level's BEGIN_LEVEL
# trigger puts two hints on screen. New Game → Training, then the notification band near the top
# of the window must show the hints' light text, and must be clear of it once they have expired.
source "$(dirname "$0")/lib/common.bash" "$@"

# Pixels of the notifications' text colour (205, 236, 255) in the band where they are drawn: the
# top 160 rows of the window, between its left and right fifths.
hint_pixels() {
    local w=$1 h=$2
    convert "$3" -crop "$((w * 3 / 5))x160+$((w / 5))+0" \
        -fx "(r>0.7&&g>0.82&&b>0.9&&b>=r)?1:0" -format "%[fx:int(mean*w*h)]" info:
}

dir=$(make_game_dir)
start_and_skip_intro "$dir"
read -r W H < <(x_retry xdotool getdisplaygeometry)
page_key Return campaign
press_and_wait_for_log Return "Playing level \`walk\` of \`training\`"

# F7 holds the game's clock, and the hints with it, while the screen is looked at: the first frames
# of a level can take seconds to reach the screen.
press_and_wait_for_log F7 "Clock held"
shown() { [ "$(hint_pixels "$W" "$H" "$1")" -gt 400 ]; }
wait_for_screen "$WORK/hints.png" shown
echo "hints: $(hint_pixels "$W" "$H" "$WORK/hints.png") text pixels at the start"
# A notification lasts five seconds of play.
press_and_wait_for_log F7 "Clock running"
gone() { [ "$(hint_pixels "$W" "$H" "$1")" -lt 50 ]; }
wait_for_screen "$WORK/later.png" gone
grep -qF "[LUA:1]" "$GAME_LOG" && fail "a training trigger failed: $(grep -F '[LUA:1]' "$GAME_LOG" | head -n 1)"
echo "hints: ok"
