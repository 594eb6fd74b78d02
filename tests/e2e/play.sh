#!/usr/bin/env bash
# A whole training campaign played with the real program, keyboard and mouse only: skip the
# intro, New Game → Training, walk each level to its exit by holding Left Shift with the pointer
# beside the player (breaking a glass wall with the Shock Gun on the way), take "Next Mission",
# and after the last level quit from the main menu. The resident memory is sampled while
# playing. Screenshots are kept only when something fails.
source "$(dirname "$0")/lib/common.bash" "$@"

SHOTS=0
shot() {
    SHOTS=$((SHOTS + 1))
    screenshot "$WORK/$(printf '%02d' "$SHOTS")-$1.png"
}

# On failure (or always, with VELMORA_E2E_KEEP_SHOTS=1) the screenshots taken so far are copied
# out of the work folder before it goes.
keep_shots() {
    local keep
    keep=$(mktemp -d /tmp/velmora-e2e-play-shots.XXXXXX)
    cp "$WORK"/*.png "$keep"/ 2>/dev/null || true
    import -window root "$keep/last.png" 2>/dev/null || true
    echo "screenshots kept in $keep" >&2
}
eval "$(declare -f fail | sed '1s/^fail/common_fail/')"
fail() {
    keep_shots
    common_fail "$@"
}

# Counts pure-white pixels in a rectangle of a screenshot (the level-end button's frame).
white_pixels() {
    convert "$1" -crop "$2" -fx "(r>0.98&&g>0.98&&b>0.98)?1:0" -format "%[fx:int(mean*w*h)]" info:
}

# The game's resident memory in kilobytes: all of it (VmRSS), and the part the process made
# itself (anonymous and shared memory, without the pages of the program and libraries it maps:
# under Xvfb those include some 65 MB of Mesa's software rasteriser).
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$GAME_PID/status" 2>/dev/null || echo 0; }
own_kb() { awk '/^(RssAnon|RssShmem):/ { sum += $2 } END { print sum + 0 }' "/proc/$GAME_PID/status" 2>/dev/null || echo 0; }
RSS_MAX=0
OWN_MAX=0
sample_rss() {
    local rss own
    rss=$(rss_kb)
    own=$(own_kb)
    [ "${rss:-0}" -gt "$RSS_MAX" ] && RSS_MAX=$rss
    [ "${own:-0}" -gt "$OWN_MAX" ] && OWN_MAX=$own
    return 0
}

# Holds Left Shift until the level is won (the player walks towards the pointer), sampling memory.
walk_until_won() {
    local level=$1 timeout=${2:-40}
    x_retry xdotool keydown Shift_L
    for _ in $(seq $((timeout * 4))); do
        grep -qF "Won level \`$level\`" "$GAME_LOG" && break
        kill -0 "$GAME_PID" 2>/dev/null || break
        sample_rss
        sleep 0.25
    done
    x_retry xdotool keyup Shift_L
    grep -qF "Won level \`$level\`" "$GAME_LOG" || { shot "not-won-$level"; fail "level $level was not won"; }
}

# Holds Left Shift for a while (walking towards the pointer), sampling memory.
walk_for() {
    x_retry xdotool keydown Shift_L
    for _ in $(seq $(($1 * 4))); do
        sample_rss
        sleep 0.25
    done
    x_retry xdotool keyup Shift_L
}

# The "Next Mission" panel: the button's white frame around the window's centre.
expect_next_mission_panel() {
    local name=$1
    sleep 0.5
    shot "$name"
    [ "$(white_pixels "$WORK/$(printf '%02d' "$SHOTS")-$name.png" "480x160+$((CX - 240))+$((CY - 80))")" -gt 1500 ] ||
        fail "no Next Mission button after $name"
}

# An X server resets whenever its last client leaves, and a connection made meanwhile fails; the
# test's own clients come and go all the time, so a quiet one stays connected throughout.
xprop -root -spy >/dev/null 2>&1 &
KEEPER=$!
trap 'kill "$KEEPER" 2>/dev/null || true; cleanup' EXIT

dir=$(make_game_dir)
# The preloader, then the intro: Escape skips to the main menu.
start_and_skip_intro "$dir"
read -r W H < <(x_retry xdotool getdisplaygeometry)
CX=$((W / 2))
CY=$((H / 2))
sleep 1
shot menu
# New Game (the first entry) → the campaign page, where Training comes first.
x_retry xdotool key Return
sleep 1.5
shot campaigns
x_retry xdotool key Return
wait_for_log "Playing level \`walk\` of \`training\`"
sleep 1
shot walk-start
sample_rss

# Level 1: the exit lies straight to the right of the start.
x_retry xdotool mousemove $((CX + 300)) "$CY"
walk_until_won walk
expect_next_mission_panel walk-won
x_retry xdotool key Return
wait_for_log "Playing level \`listen\` of \`training\`"
sleep 1
shot listen-start

# Level 2: right along the corridor (over the Sound Gun) to its end, then north past the
# briefcase to the exit.
x_retry xdotool mousemove $((CX + 300)) "$CY"
walk_for 7
shot listen-corner
x_retry xdotool mousemove "$CX" $((CY - 300))
walk_until_won listen
expect_next_mission_panel listen-won
x_retry xdotool key Return
wait_for_log "Playing level \`shatter\` of \`training\`"
sleep 1
shot shatter-start

# Level 3: right over the Shock Gun up to the glass wall; charge fully (0.625 s to reload,
# 1.25 s to charge), let go to break the glass, walk on to the exit.
x_retry xdotool mousemove $((CX + 300)) "$CY"
walk_for 5
x_retry xdotool keydown space
sleep 2.5
shot shatter-charged
x_retry xdotool keyup space
sleep 1
shot shatter-broken
walk_until_won shatter
expect_next_mission_panel shatter-won
x_retry xdotool key Return

# The training campaign ends at the main menu (no credits).
wait_for_log "Finished campaign \`training\`"
wait_for_screen "$WORK/menu-again.png" menu_background_shown
sleep 1
# Quit is the last entry of the main form (the focus stops there, it does not wrap); then
# "Quit to Desktop".
for _ in 1 2 3 4 5 6; do
    x_retry xdotool key Down
    sleep 0.2
done
x_retry xdotool key Return
sleep 1.5
shot quit-page
x_retry xdotool key Return
expect_exit 0 60
grep -qF "[CORE:1] Game engine shutdown completely" "$GAME_LOG" || fail "no shutdown line"

# Memory while playing. A sanitizer build carries shadow memory and quarantine, so its figures
# are only reported; in a plain build what the game itself holds must stay under 150 MB.
limit_kb=$((150 * 1024))
echo "play: peak resident memory ${RSS_MAX} kB, of it the game's own ${OWN_MAX} kB"
if ! grep -qa "AddressSanitizer" "$VELMORA_BIN"; then
    [ "$OWN_MAX" -gt 0 ] || fail "memory was never sampled"
    [ "$OWN_MAX" -lt "$limit_kb" ] || fail "the game holds ${OWN_MAX} kB, over 150 MB"
fi
[ -n "${VELMORA_E2E_KEEP_SHOTS:-}" ] && keep_shots
echo "play: ok"
