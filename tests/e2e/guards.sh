#!/usr/bin/env bash
# The guards with the real program: the test campaign (VELMORA_CAMPAIGN=test) is started from
# the menu's Training entry and plays data/level/test/guards.xml. The player takes the Sound
# Gun it stands on with one step, behind a sentry that faces away. A shot (Space) reaches the
# sentry from behind: it shows "?" and turns towards the noise, sees the standing player, shows
# "!", chases and catches it; the level is lost with the "Try Again" panel, and Return plays the
# level again. Every step waits on the game's log; the "!" and the panel are also looked for on
# the screen.
source "$(dirname "$0")/lib/common.bash" "$@"

# Pixels of the "!" emote's red (the sprite's fill) in a screenshot.
red_pixels() {
    convert "$1" -fx "(r>0.85&&g<0.4&&b<0.35)?1:0" -format "%[fx:int(mean*w*h)]" info:
}
# Pure-white pixels in a rectangle (the result button's frame).
white_pixels() {
    convert "$1" -crop "$2" -fx "(r>0.98&&g>0.98&&b>0.98)?1:0" -format "%[fx:int(mean*w*h)]" info:
}

# True while the level-end panel's button frame shows round the window's centre.
result_button_shown() {
    [ "$(white_pixels "$1" "480x160+$((CX - 240))+$((CY - 80))")" -gt 1500 ]
}

export VELMORA_CAMPAIGN=test
dir=$(make_game_dir)
start_and_skip_intro "$dir"
read -r W H < <(x_retry xdotool getdisplaygeometry)
CX=$((W / 2))
CY=$((H / 2))
wait_for_screen "$WORK/menu.png" menu_background_shown
# New Game → the campaign page → its first entry, which now plays the test campaign.
page_key Return campaign
press_and_wait_for_log Return "Playing level \`guards\` of \`test\`"
# A step to the right takes the Sound Gun the player stands on (the footstep is too faint to
# reach the sentry); then, facing the sentry, tap Space until a shot goes off and the sentry
# hears it (the gun must reload first, which takes 0.625 s of play).
x_retry xdotool mousemove $((CX + 300)) "$CY"
x_retry xdotool keydown Shift_L
for _ in $(seq 1000); do
    [ "$(count_log 'picked up gun type 1')" -gt 0 ] && break
    sleep 0.02
done
x_retry xdotool keyup Shift_L
[ "$(count_log 'picked up gun type 1')" -gt 0 ] || fail "the Sound Gun was not picked up"
[ "$(count_log 'shows `question`')" -eq 0 ] || fail "the sentry heard the footsteps"
heard=0
for _ in $(seq 60); do
    x_retry xdotool key space
    for _ in $(seq 10); do
        [ "$(count_log 'shows `question`')" -gt 0 ] && { heard=1; break; }
        sleep 0.1
    done
    [ "$heard" -eq 1 ] && break
done
[ "$heard" -eq 1 ] || fail "the sentry never heard the shot"
wait_for_log 'shows `exclamation`' 10
screenshot "$WORK/spotted.png"
[ "$(red_pixels "$WORK/spotted.png")" -gt 40 ] || fail "no \"!\" on the screen when the sentry spotted the player"
wait_for_log "Lost level \`guards\` of \`test\`" 20
wait_for_screen "$WORK/lost.png" result_button_shown
# "Try Again" plays the level once more.
press_and_wait_for_log Return 'Playing level `guards` of `test`'
echo "guards: ok"
