#!/bin/sh
# Starts or stops the Wine session that the Windows tests run in: a prefix
# of its own in the folder $2, made once, and one wineserver kept up for the
# whole run, so that each start of a Windows program takes a fraction of a
# second and Wine prints nothing on standard error.
#   wine_session.sh start PREFIX   |   wine_session.sh stop PREFIX
set -eu
export WINEPREFIX=$2 WINEDEBUG=-all
if ! command -v wine >/dev/null || ! command -v wineserver >/dev/null; then
  echo "Wine is missing: install it (Debian: apt-get install wine wine64)"
  exit 1
fi
case $1 in
  start)
    mkdir -p "$WINEPREFIX"
    # Wine's background processes must not hold the test runner's output
    # open, or it would wait for them.
    # The persistent server first: a prefix being made starts a short-lived
    # one of its own otherwise.
    wineserver -p </dev/null >/dev/null 2>&1 || true  # or one is up already
    # Made once; booting it also starts the services that every Windows
    # program would otherwise start, holding its output open.
    if [ -f "$WINEPREFIX/system.reg" ]; then boot=; else boot=-i; fi
    # Without Mono and Gecko, which Debian doesn't package and no test needs.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot $boot </dev/null >/dev/null 2>&1
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
esac
