#!/bin/sh
# Runs the clock simulator, a Linux program, for a Windows host under Wine. Wine starts a Linux
# program but hands the host nothing to wait on or to stop it with, so the two meet in files:
# this script creates STATE.ready once the clock has published its port, the host creates
# STATE.stop to stop the clock, and this script writes the clock's exit status to STATE.status
# when it has ended. (The host cannot look for the port's entry itself: to Windows a path ending
# in COM<n> names the device.) Before the clock starts, COM<PORT> of the Wine prefix is linked to
# the entry the clock publishes in the ports folder.
# Usage: unix_clock.sh PORT STATE PROGRAM ARGUMENTS...
port=$1
state=$2
shift 2
entry="$XDG_CONFIG_HOME/quorlink/ports/COM$port"
ln -sfn "$entry" "$WINEPREFIX/dosdevices/com$port"
rm -f "$state.ready" "$state.stop" "$state.status"
"$@" &
clock=$!
while kill -0 "$clock" 2>/dev/null && [ ! -e "$entry" ]; do sleep 0.01; done
touch "$state.ready"
while kill -0 "$clock" 2>/dev/null && [ ! -e "$state.stop" ]; do sleep 0.05; done
[ -e "$state.stop" ] && kill -TERM "$clock" 2>/dev/null
wait "$clock"
echo $? >"$state.status.part"
mv "$state.status.part" "$state.status"
