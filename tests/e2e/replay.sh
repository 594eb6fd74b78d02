#!/usr/bin/env bash
# Recorded runs on the real program: --replay plays a shipped run on screen to the end it was
# recorded with; --verify refuses a damaged run with one line and a non-zero exit.
source "$(dirname "$0")/lib/common.bash" "$@"

dir=$(make_game_dir)
run="$SOURCE_DIR/data/runs/training/walk.vrun"
(cd "$WORK" && VELMORA_LOG_STDERR=1 ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
    exec "$dir/velmora" --replay "$run" >"$WORK/stdout.log" 2>"$GAME_LOG") &
GAME_PID=$!
wait_for_log "[REPLAY:1] Replaying $run"
wait_for_log "Replay of \`walk\`: won after" 120
grep -F "Replay of \`walk\`" "$GAME_LOG" | grep -qF "(recorded: won" || fail "replay line without the recording"
kill -TERM "$GAME_PID"
expect_exit 0

head -c 30 "$run" >"$WORK/short.vrun"
set +e
"$dir/velmora" --verify "$WORK/short.vrun" >"$WORK/verify.txt" 2>&1
status=$?
set -e
[ "$status" -eq 1 ] || fail "a damaged run verified with status $status"
[ "$(wc -l <"$WORK/verify.txt")" -eq 1 ] || fail "more than one line for one run: $(cat "$WORK/verify.txt")"
grep -qF "short.vrun: error: truncated header" "$WORK/verify.txt" || fail "unexpected: $(cat "$WORK/verify.txt")"
echo "replay: ok"
