#!/usr/bin/env bash
# The opening movie in the real program: after the intro's four slides the movie plays
# letter-boxed (the picture in the middle changes, the bars above and below stay black), its
# sound reaches OpenAL's wave writer, and Escape skips it to the main menu.
source "$(dirname "$0")/lib/common.bash" "$@"

recording="$WORK/sound.wav"
printf '[general]\ndrivers=wave\nfrequency=44100\nchannels=stereo\nsample-type=int16\n[wave]\nfile=%s\n' \
    "$recording" >"$WORK/alsoft.conf"
export ALSOFT_CONF="$WORK/alsoft.conf" ALSOFT_DRIVERS=wave
bytes_per_second=$((44100 * 4))

# Root-mean-square level (0 … 1) of the 16-bit stereo sound recorded past a byte offset.
level_after() {
    python3 - "$1" "$2" <<'PY'
import array, sys
data = open(sys.argv[1], "rb").read()
start = data.find(b"data") + 8
offset = max(start, int(sys.argv[2]))
offset -= (offset - start) % 4
samples = array.array("h", data[offset:len(data) - (len(data) - offset) % 4])
print((sum(s * s for s in samples) / max(len(samples), 1)) ** 0.5 / 32768)
PY
}

# Waits until the recording holds a number of bytes.
wait_for_recording() {
    for _ in $(seq 300); do
        [ "$(stat -c %s "$recording" 2>/dev/null || echo 0)" -ge "$1" ] && return 0
        sleep 0.1
    done
    fail "the recording stopped growing"
}

# True when the bars above and below a 16:9 picture in the 1280 × 800 window are black.
bars_black() {
    is_true "$(region_brightness "$1" 1280x30+0+5)" '<' 0.02 &&
        is_true "$(region_brightness "$1" 1280x30+0+765)" '<' 0.02
}

dir=$(make_game_dir)
start_game_until_initialized "$dir"
x_retry xdotool mousemove 1270 790
wait_for_log "[PRELOADER:1] Preloaded "
wait_for_screen "$WORK/intro.png" intro_shown
# No key: the intro runs its eight seconds and the movie follows.
wait_for_log "[VIDEO:1] Creating video from data source: " 60
movie_start=$(stat -c %s "$recording")
for _ in 1 2; do
    screenshot "$WORK/before.png"
    wait_for_screen "$WORK/after.png" screen_changed
done
bars_black "$WORK/after.png" || fail "no black bars around the movie"
wait_for_recording $((movie_start + 2 * bytes_per_second))
cp "$recording" "$WORK/movie.wav"
level=$(level_after "$WORK/movie.wav" $((movie_start + bytes_per_second / 2)))
is_true "$level" '>' 0.005 || fail "the movie's sound is missing from the recording (level $level)"

x_retry xdotool key Escape
wait_for_screen "$WORK/menu.png" menu_background_shown
wait_for_log "[VIDEO:1] Destroyed video."
kill -TERM "$GAME_PID"
expect_exit 0
echo "movie: ok (sound level $level)"
