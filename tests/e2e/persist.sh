#!/usr/bin/env bash
# Settings and progress kept across runs of the real program, in the player's folders (the test's
# own XDG folders): lower the music volume and switch to a window, quit; the next start opens a
# window and the audio page shows the lowered volume. Win the first training level, quit; the
# next start's campaign page shows the level finished. The log of each run lands in the state
# folder, the one before kept beside it.
source "$(dirname "$0")/lib/common.bash" "$@"

# Asks the game to quit as a desktop session would (SIGTERM) and waits for a clean exit.
quit_game() {
    kill -TERM "$GAME_PID"
    expect_exit 0
}
# The audio page, from the first entry of the main page: Options, then Audio Options; its shot in
# $1 once it has faded in (its frames show in their own colours).
open_audio_page() {
    focus_key Down
    page_key Return options
    focus_key Down
    page_key Return audio
    wait_for_screen "$1" frames_are 2 1 slider
}
SLIDERS=700x300+290+250
CONFIG="$XDG_CONFIG_HOME/velmora/config.xml"
PROGRESS="$XDG_DATA_HOME/velmora/progress.xml"

dir=$(make_game_dir)
start_and_skip_intro "$dir"
open_audio_page "$WORK/audio-default.png"
# The music slider has the focus: Left lowers it in steps.
for _ in 1 2 3; do key_and_wait_for_change Left "$SLIDERS"; done
wait_for_still_screen "$WORK/audio-lowered.png" "$SLIDERS"
page_key Escape options
page_key Escape main
# Options → Gfx Options → "Window Mode".
focus_key Down
page_key Return options
page_key Return graphics
focus_key Down
press_and_wait_for_log Return "[GRAPHICS:1] Video mode 1280x800 windowed"
quit_game
grep -qF "<Fullscreen>0</Fullscreen>" "$CONFIG" || fail "the window mode was not saved: $(cat "$CONFIG")"
grep -qE "<MusicVolume>0\.[0-2][0-9]*</MusicVolume>" "$CONFIG" || fail "the music volume was not saved: $(cat "$CONFIG")"

# The second start: a window at once, and the audio page as it was left.
start_and_skip_intro "$dir"
[ "$(grep -m1 -F "[GRAPHICS:1] Video mode" "$GAME_LOG")" = "[GRAPHICS:1] Video mode 1280x800 windowed" ] ||
    fail "the game did not start in the saved window: $(grep -m1 -F "Video mode" "$GAME_LOG")"
x_retry xdotool mousemove 1140 775
x_retry xdotool search --name "VELMORA THE GAME" windowfocus
open_audio_page "$WORK/audio-restored.png"
is_true "$(region_rmse "$WORK/audio-lowered.png" "$WORK/audio-restored.png" "$SLIDERS")" '<' 0.01 ||
    fail "the audio page does not show the saved volume"
[ -f "$XDG_STATE_HOME/velmora/velmora.log" ] && [ -f "$XDG_STATE_HOME/velmora/velmora.log.1" ] ||
    fail "no log files in the state folder"
grep -qF "Content from $dir" "$XDG_STATE_HOME/velmora/velmora.log" || fail "the log file lacks the run's lines"

# New Game → the campaign page (no level finished yet) → Training; walk right to the exit.
page_key Escape options
page_key Escape main
page_key Return campaign
wait_for_still_screen "$WORK/campaigns-before.png"
press_and_wait_for_log Return "Playing level \`walk\` of \`training\`"
read -r W H < <(x_retry xdotool getdisplaygeometry)
x_retry xdotool mousemove $((W / 2 + 300)) $((H / 2))
x_retry xdotool keydown Shift_L
wait_for_log "Finished level \`walk\` of \`training\`" 40
x_retry xdotool keyup Shift_L
quit_game
grep -qE '<level campaign="training" name="walk" finished="1" best="[0-9.]+" medal="[0-3]" ?/>' "$PROGRESS" ||
    fail "the win was not saved: $(cat "$PROGRESS")"

# The third start: the campaign page now tells of the finished level.
start_and_skip_intro "$dir"
page_key Return campaign
wait_for_still_screen "$WORK/campaigns-after.png"
is_true "$(region_rmse "$WORK/campaigns-before.png" "$WORK/campaigns-after.png" 800x400+240+200)" '>' 0.005 ||
    fail "the campaign page looks as before the win"
quit_game
echo "persist: ok"
