#!/usr/bin/env bash
# Start-up and shutdown of the real program: a missing config.xml raises the critical box and a
# clean exit; with a config the game runs its frame loop and ends cleanly.
source "$(dirname "$0")/lib/common.bash" "$@"

# No config.xml: the "CRITICAL ERROR" box names the file, Return dismisses it, the exit is 0.
dir=$(make_game_dir noconfig)
start_game "$dir"
box=$(wait_for_window "CRITICAL ERROR")
wait_for_log "[LOGIC:1] Failed to load configuration file: $dir/config.xml"
grep -q "Initializing SDL" "$GAME_LOG" && fail "SDL started although the configuration failed"
# The box closes between key down and key up: Return is let go of explicitly.
xdotool keydown --window "$box" Return 2>/dev/null || true
xdotool keyup Return 2>/dev/null || true
expect_exit 0
grep -qF "[CORE:1] Game engine shutdown completely" "$GAME_LOG" || fail "no shutdown line"
rm -rf "$dir"

# With a config: start-up completes, frames run (the preloader's), SIGTERM (a quit request) ends it
# cleanly.
dir=$(make_game_dir)
start_game "$dir"
wait_for_log "[CORE:1] Initialization complete"
wait_for_log "[PRELOADER:1] Preloaded "
kill -TERM "$GAME_PID"
expect_exit 0
grep -qF "[CORE:1] Deinitializing core game engine..." "$GAME_LOG" || fail "no deinitialisation line"
grep -qF "[CORE:1] Game engine shutdown completely" "$GAME_LOG" || fail "no shutdown line"
echo "startup: ok"
