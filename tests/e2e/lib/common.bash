# Shared helpers for the end-to-end tests: each test runs the real binary under the X server
# that scripts/test started (DISPLAY is set) and checks what a player would see.
# Usage in a test: source "$(dirname "$0")/lib/common.bash" "$@"

set -euo pipefail

VELMORA_BIN=$(readlink -f "$1")
SOURCE_DIR=$(readlink -f "$2")
WORK=$(mktemp -d /tmp/velmora-e2e.XXXXXX)
GAME_PID=""
GAME_LOG="$WORK/game.log"

fail() {
    echo "FAIL: $*" >&2
    # VELMORA_E2E_KEEP=DIR keeps the screenshots and logs of a failed run for a look.
    if [ -n "${VELMORA_E2E_KEEP:-}" ]; then cp -r "$WORK" "$VELMORA_E2E_KEEP"; fi
    [ -f "$GAME_LOG" ] && { echo "--- game log (last 40 lines) ---" >&2; tail -n 40 "$GAME_LOG" >&2; }
    exit 1
}

cleanup() {
    if [ -n "${KEEPER:-}" ]; then kill "$KEEPER" 2>/dev/null || true; fi
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null || true; fi
    rm -rf "$WORK"
}
trap cleanup EXIT

# An X server resets whenever its last client leaves, and a connection made meanwhile fails; a
# script whose own clients come and go keeps a quiet one connected throughout.
keep_x_connected() {
    xprop -root -spy >/dev/null 2>&1 &
    KEEPER=$!
}

# Lays out a game folder: the binary, a link to the repository's data, and config.xml unless
# "noconfig" is given.
make_game_dir() {
    local dir="$WORK/game"
    mkdir -p "$dir"
    cp "$VELMORA_BIN" "$dir/velmora"
    ln -s "$SOURCE_DIR/data" "$dir/data"
    [ "${1:-}" = "noconfig" ] || cp "$SOURCE_DIR/config.xml" "$dir/config.xml"
    echo "$dir"
}

# The player's folders of every game a test starts: inside the test's work folder, never the real
# ~/.config or ~/.local, and the same for each start of one test so settings and progress carry.
export XDG_CONFIG_HOME="$WORK/xdg/config" XDG_DATA_HOME="$WORK/xdg/data" XDG_STATE_HOME="$WORK/xdg/state"

# Starts the game in the background with its log mirrored into $GAME_LOG.
start_game() {
    local dir=$1
    (cd "$WORK" && VELMORA_LOG_STDERR=1 ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
        exec "$dir/velmora" >"$WORK/stdout.log" 2>"$GAME_LOG") &
    GAME_PID=$!
}

# Waits until the log contains a fixed string.
wait_for_log() {
    local text=$1 timeout=${2:-30}
    for _ in $(seq $((timeout * 10))); do
        grep -qF -- "$text" "$GAME_LOG" 2>/dev/null && return 0
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    grep -qF -- "$text" "$GAME_LOG" 2>/dev/null || fail "log never showed: $text"
}

# Waits for a window with that exact name and prints its id.
wait_for_window() {
    local name=$1 timeout=${2:-30} id
    for _ in $(seq $((timeout * 10))); do
        id=$(xdotool search --name "^${name}\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window named '$name'"
}

# Waits for the game to exit and checks its status.
expect_exit() {
    local expected=$1 timeout=${2:-30} status
    for _ in $(seq $((timeout * 10))); do
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not exit"
    set +e
    wait "$GAME_PID"
    status=$?
    set -e
    GAME_PID=""
    [ "$status" -eq "$expected" ] || fail "exit status $status, expected $expected"
}

# X clients on this platform now and then fail to connect (the connection is reset or refused
# during the handshake, in a fraction of attempts); runs an X client command again until it
# connects, up to five times.
x_retry() {
    local attempt
    for attempt in 1 2 3 4; do
        "$@" 2>/dev/null && return 0
        sleep 0.1
    done
    "$@"
}

# Saves a screenshot of the whole screen.
screenshot() {
    x_retry import -window root "$1"
}

# Prints the colour of one pixel of an image as "r,g,b".
pixel_at() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Root-mean-square difference (0 … 1) between the same region of two images; geometry as
# WIDTHxHEIGHT+X+Y.
region_rmse() {
    local a=$1 b=$2 geometry=$3
    # Files, not pipes: ImageMagick's policy here refuses to read from /dev/fd.
    convert "$a" -crop "$geometry" +repage "$WORK/rmse-a.png"
    convert "$b" -crop "$geometry" +repage "$WORK/rmse-b.png"
    # compare's status says whether the images differ; only its measure matters here.
    { compare -metric RMSE "$WORK/rmse-a.png" "$WORK/rmse-b.png" null: 2>&1 || true; } | sed -n 's/.*(\(.*\)).*/\1/p'
}

# Mean brightness (0 … 1) of a region of an image.
region_brightness() {
    convert "$1" -crop "$2" +repage -colorspace Gray -format "%[fx:mean]" info:
}

# Succeeds when a number compares true against another, e.g. is_true 0.3 '<' 0.5.
is_true() {
    awk "BEGIN { exit !($1 $2 $3) }"
}

# Takes screenshots into $1 until the command given after it succeeds on the file (timeout in
# seconds from VELMORA_WAIT, default 30).
wait_for_screen() {
    local shot=$1
    shift
    for _ in $(seq $(( ${VELMORA_WAIT:-30} * 4 ))); do
        screenshot "$shot"
        "$@" "$shot" && return 0
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while waiting for the screen"
        sleep 0.25
    done
    fail "the screen never showed what '$*' looks for"
}

# Takes screenshots into $1 until two in a row agree in region $2 (default the whole screen): a
# fade or a page change has settled. Keys need no such wait: the game takes them in order, and a
# menu page takes keys as it starts to show.
wait_for_still_screen() {
    local shot=$1 region=${2:-1280x800+0+0}
    screenshot "$shot"
    for _ in $(seq $(( ${VELMORA_WAIT:-30} * 4 ))); do
        sleep 0.25
        cp "$shot" "$shot.last.png"
        screenshot "$shot"
        is_true "$(region_rmse "$shot" "$shot.last.png" "$region")" '<' 0.004 && return 0
    done
    fail "the screen never settled"
}

# Runs a check again every 0.1 s until it succeeds, for up to five seconds.
eventually() {
    for _ in $(seq 50); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# True when the centre of a screenshot differs from $WORK/before.png (take it before the key
# that should change the page): for wait_for_screen.
centre_changed() {
    is_true "$(region_rmse "$1" "$WORK/before.png" 640x500+320+150)" '>' 0.02
}

# Presses a key and waits until the centre of the screen changes (a menu page follows).
key_and_wait_for_change() {
    screenshot "$WORK/before.png"
    x_retry xdotool key "$1"
    wait_for_screen "$WORK/after.png" centre_changed
}

# True while the screen is mostly white: the intro's first slide.
intro_shown() {
    is_true "$(region_brightness "$1" 1280x800+0+0)" '>' 0.85
}

# True while the menu background shows in the left third of the screen (the page boxes are
# centred, so nothing covers it): it matches data/image/roomrender.png stretched to the window.
menu_background_shown() {
    [ -f "$WORK/roomrender.png" ] ||
        convert "$SOURCE_DIR/data/image/roomrender.png" -resize '1280x800!' "$WORK/roomrender.png"
    is_true "$(region_rmse "$1" "$WORK/roomrender.png" 360x800+0+0)" '<' 0.06
}

# Starts the game and waits for its start-up to complete. Under a busy Xvfb, SDL now and then
# finds its connection refused ("Couldn't open X11 display", a fatal start-up error); that attempt
# is ended and the game started again, up to three times.
start_game_until_initialized() {
    local dir=$1 attempt
    for attempt in 1 2 3; do
        start_game "$dir"
        for _ in $(seq 300); do
            grep -qF "[CORE:1] Initialization complete" "$GAME_LOG" 2>/dev/null && return 0
            grep -qF "Couldn't open X11 display" "$GAME_LOG" 2>/dev/null && break
            kill -0 "$GAME_PID" 2>/dev/null || break
            sleep 0.1
        done
        grep -qF "Couldn't open X11 display" "$GAME_LOG" || fail "start-up did not complete"
        echo "note: the X server refused the game's connection (attempt $attempt)" >&2
        kill -9 "$GAME_PID" 2>/dev/null || true
        wait "$GAME_PID" 2>/dev/null || true
        GAME_PID=""
    done
    fail "the X server refused the game's connection three times"
}

# Starts the game laid out by make_game_dir, waits for the preloader to finish and the intro to
# show, and skips it with Escape; returns once the menu is on screen.
start_and_skip_intro() {
    start_game_until_initialized "$1"
    x_retry xdotool mousemove 1270 790
    wait_for_log "[PRELOADER:1] Preloaded "
    # An earlier test's game may have left the X focus on a window that is gone (there is no
    # window manager to hand it on), and keys would go nowhere: give it to the game.
    x_retry xdotool search --name "VELMORA THE GAME" windowfocus
    wait_for_screen "$WORK/intro.png" intro_shown
    x_retry xdotool key Escape
    wait_for_screen "$WORK/menu.png" menu_background_shown
}

# Gives the X focus to the game's window as a window manager would. There is none under Xvfb, and
# a window that changes its mode loses the focus with nobody to hand it on.
focus_game_window() {
    local window
    for _ in $(seq 50); do
        window=$(xdotool search --name "VELMORA THE GAME" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && xdotool windowfocus "$window" 2>/dev/null &&
            [ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$window" ] && return 0
        sleep 0.1
    done
    fail "the game's window never took the focus"
}
