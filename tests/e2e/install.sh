#!/usr/bin/env bash
# The Debian package of this build: CPack makes it, dpkg -x unpacks it into a scratch root, and
# the installed program starts from there to its main menu, finding its content in
# usr/share/velmora from its own location and writing nothing into it.
source "$(dirname "$0")/lib/common.bash" "$@"

BUILD=$(dirname "$VELMORA_BIN")
(cd "$BUILD" && cpack -G DEB -B "$WORK/package" > "$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$WORK"/package/velmora_*.deb)
for library in libsdl1.2debian libopenal1 libvorbisfile3 libtinyxml2.6.2v5; do
    dpkg-deb -f "$deb" Depends | grep -qF "$library" || fail "the package does not depend on $library"
done
root="$WORK/root"
dpkg -x "$deb" "$root"
for file in usr/bin/velmora usr/share/velmora/config.xml usr/share/velmora/data/object/manifest.xml \
    usr/share/applications/velmora.desktop usr/share/icons/hicolor/scalable/apps/velmora.svg \
    usr/share/man/man6/velmora.6.gz; do
    [ -f "$root/$file" ] || fail "the package lacks $file"
done
grep -qx "Exec=velmora" "$root/usr/share/applications/velmora.desktop" || fail "the desktop entry does not start velmora"

touch "$WORK/before-start"
start_and_skip_intro "$root/usr/bin"
wait_for_log "[CORE:1] Content from $root/usr/share/velmora (installed)"
kill -TERM "$GAME_PID"
expect_exit 0
written=$(find "$root/usr/share/velmora" -newer "$WORK/before-start")
[ -z "$written" ] || fail "the game wrote into its installed content: $written"
[ -f "$XDG_STATE_HOME/velmora/velmora.log" ] || fail "no log file in the player's state folder"
echo "install: ok"
