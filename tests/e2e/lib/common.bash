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

# X keycodes that xdotool (through XTEST) has left held down in the X server.
held_keys() {
    x_retry xinput query-state "Virtual core XTEST keyboard" | sed -n 's/.*key\[\([0-9]*\)\]=down/\1/p'
}

# At the end of every script, passed or not: no key may be left held down (the next program on
# this X server would find it pressed); any that is fails the script and is let go.
cleanup() {
    local status=$? held
    held=$(held_keys | paste -sd ' ' || true)
    if [ -n "$held" ]; then
        echo "FAIL: keys left held down (X keycodes $held)" >&2
        for key in $held; do xdotool keyup "$key" 2>/dev/null || true; done
        status=1
    fi
    if [ -n "${KEEPER:-}" ]; then kill "$KEEPER" 2>/dev/null || true; fi
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null || true; fi
    rm -rf "$WORK"
    exit "$status"
}
trap cleanup EXIT

# An X server resets whenever its last client leaves (the previous script's game, say), and a
# connection made meanwhile fails. Every script therefore starts by connecting a quiet client,
# retried until it holds, and keeps it connected throughout.
keep_x_connected() {
    for _ in $(seq 40); do
        xprop -root -spy >/dev/null 2>&1 &
        KEEPER=$!
        sleep 0.25
        kill -0 "$KEEPER" 2>/dev/null && return 0
    done
    fail "no X server on display ${DISPLAY:-(unset)}"
}
keep_x_connected

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

# The number of log lines that contain a fixed string.
count_log() {
    local count
    count=$(grep -cF -- "$1" "$GAME_LOG" 2>/dev/null) || true
    echo "${count:-0}"
}

# Waits until the log contains a fixed string (in as many lines as the third argument asks).
wait_for_log() {
    local text=$1 timeout=${2:-30} count=${3:-1}
    for _ in $(seq $((timeout * 10))); do
        [ "$(count_log "$text")" -ge "$count" ] && return 0
        kill -0 "$GAME_PID" 2>/dev/null || break
        sleep 0.1
    done
    [ "$(count_log "$text")" -ge "$count" ] || fail "log never showed: $text (in $count lines)"
}

# Presses a key and waits until one more log line than before contains the text: the game has
# taken the key. The game reads keys once a frame: two presses in one frame count once, and a press
# in the frame after one that took the same key not at all. So each key of a sequence waits for a
# record written no earlier than the frame after the key before (as the menu's are). Down and up go
# together: a key still on its way up when it comes down again would not be a new press.
press_and_wait_for_log() {
    local before
    before=$(count_log "$2")
    x_retry xdotool key --delay 0 "$1"
    wait_for_log "$2" "${3:-30}" $((before + 1))
}

# Menu keys: one that moves the focus within a page, one that opens the named page.
focus_key() { press_and_wait_for_log "$1" "[MENU:1] Focus on "; }
page_key() { press_and_wait_for_log "$1" "[MENU:1] Page \`$2\`"; }

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
# fade or a page change has settled. Keys need no such wait: a menu page takes keys once the log
# tells of it (see press_and_wait_for_log).
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

# True when a region of a screenshot ($CHANGED, by default the centre, where a menu page shows)
# differs from $WORK/before.png (take it before the key that should change the screen): for
# wait_for_screen.
screen_changed() {
    is_true "$(region_rmse "$1" "$WORK/before.png" "${CHANGED:-640x500+320+150}")" '>' 0.02
}

# Presses a key and waits until the screen changes (in region $2, by default the centre).
key_and_wait_for_change() {
    screenshot "$WORK/before.png"
    x_retry xdotool key --delay 0 "$1"
    CHANGED=${2:-} wait_for_screen "$WORK/after.png" screen_changed
}

# The menu's buttons along the left frame edge of a page (pages narrower than 440 pixels are
# 440 wide and centred, so the left edges of their button frames and slider tracks lie at
# x = 420; a plain frame is one pixel wide in steel blue, the one highlighted frame two pixels in
# sky blue): prints the number of plain edges (buttons and sliders), of highlighted ones (the
# focused button or slider) and the highlighted edge's height in pixels (a button's some 60, a
# slider track's 10), e.g. "4 1 62".
button_frames() {
    convert "$1" -crop 1x800+420+0 +repage txt:- | awk '
        { c = "" } /#345E84/ { c = "n" } /#6EC8FF/ { c = "h"; high++ }
        NR > 1 && c != last { n[c]++ } { last = c }
        END { printf "%d %d %d\n", n["n"], n["h"], high }'
}
# Succeeds on a screenshot whose frames are exactly the expected ones, the highlighted one a
# "button" or a "slider".
frames_are() {
    local plain high height
    read -r plain high height < <(button_frames "$4")
    [ "$plain $high" = "$1 $2" ] || return 1
    if [ "$3" = slider ]; then [ "$height" -le 16 ]; else [ "$height" -ge 30 ]; fi
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
