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
    [ -f "$GAME_LOG" ] && { echo "--- game log (last 40 lines) ---" >&2; tail -n 40 "$GAME_LOG" >&2; }
    exit 1
}

cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null || true; fi
    rm -rf "$WORK"
}
trap cleanup EXIT

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

# Saves a screenshot of the whole screen.
screenshot() {
    import -window root "$1"
}

# Prints the colour of one pixel of an image as "r,g,b".
pixel_at() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
