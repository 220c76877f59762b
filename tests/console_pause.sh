#!/bin/sh
# Runs the tool on examples/lamp.ies at a terminal of its own (tmux), types
# two answer lines at the prompt at once, as a paste does, and checks that the
# first is saved, the second is not, and the pause then still waits: keys
# typed before it do not end it. Then one new key must end the run, with
# status 0.
#   console_pause.sh SOURCE_DIR WORK_DIR TOOL...   (TOOL may be "wine x.exe")
set -eu
source_dir=$1 work=$2
shift 2
if ! command -v tmux >/dev/null; then
  echo "tmux is missing: install it (Debian: apt-get install tmux)"
  exit 1
fi
rm -rf "$work" && mkdir -p "$work"
cp "$source_dir/examples/lamp.ies" "$work/"
server="lumtrel-pause-$$"
trap 'tmux -L "$server" kill-server 2>/dev/null || true' EXIT
tmux -L "$server" new-session -d -x 120 -y 50 -c "$work" \
  "$* lamp.ies; echo \$? > status; sleep 60"

screen() { tmux -L "$server" capture-pane -p -t 0; }
# Waits up to 20 seconds for the text $1 on the screen.
await() {
  for _ in $(seq 200); do
    screen | grep -qF "$1" && return 0
    sleep 0.1
  done
  echo "never shown: $1"
  screen
  exit 1
}

await "Type output path:"
tmux -L "$server" send-keys -t 0 first.csv C-m second.csv C-m
await "Saved: first.csv"
await "Press any key to continue"
sleep 2
if [ -f "$work/status" ]; then
  echo "the pause ended on the second typed line, not on a new key"
  screen
  exit 1
fi
tmux -L "$server" send-keys -t 0 x
for _ in $(seq 100); do
  [ -f "$work/status" ] && break
  sleep 0.1
done
[ "$(cat "$work/status" 2>/dev/null)" = 0 ] || {
  echo "a new key did not end the run with status 0"
  screen
  exit 1
}
[ -f "$work/first.csv" ] || { echo "first.csv was not saved"; exit 1; }
[ ! -e "$work/second.csv" ] || { echo "second.csv was saved too"; exit 1; }
echo "the pause waited for a new key"
