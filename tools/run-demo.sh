#!/usr/bin/env bash
# The demo: starts the application server on a demo database in the
# background, binds this computer to a demo user, points the client at the
# server through the environment overrides and starts the client. The server
# stops when the client ends.
#
#   tools/run-demo.sh BUILD_DIR            (./dev run calls it)
#   ZELVORI_DEMO_USER=TEMSILCI1 ./dev run  sign in as another demo user
#
# Demo users (password "1234"): DEMO (dealer, type 0), BAYI3 (type 3),
# BAYI4 (type 4), TEMSILCI1 / TEMSILCI2 (sales representatives, types 1
# and 2), PASIF (inactive account), ESKI (server expects version 4: the
# update download).
set -euo pipefail

die() { echo "run-demo: $*" >&2; exit 1; }

BUILD_DIR="${1:-}"
[ -n "$BUILD_DIR" ] || die "usage: run-demo.sh BUILD_DIR"
SERVER="$BUILD_DIR/appserver/zelvori-appserver"
CLIENT="$BUILD_DIR/src/app/zelvori"
[ -x "$SERVER" ] || die "the application server is not built: $SERVER"
[ -x "$CLIENT" ] || die "the client is not built: $CLIENT"

USER_NAME="${ZELVORI_DEMO_USER:-DEMO}"
DEMO_DIR="${ZELVORI_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/zelvori-demo}"
mkdir -p "$DEMO_DIR" || die "cannot create $DEMO_DIR"
LOG="$DEMO_DIR/appserver.log"
PORT_FILE="$(mktemp "${TMPDIR:-/tmp}/zelvori-port.XXXXXX")"

"$SERVER" --host 127.0.0.1 --port 0 --database "$DEMO_DIR/demo.db" --bind-local "$USER_NAME" \
  >"$PORT_FILE" 2>"$LOG" &
SERVER_PID=$!
stop_server() {
  kill "$SERVER_PID" 2>/dev/null || true
  wait "$SERVER_PID" 2>/dev/null || true
  rm -f "$PORT_FILE"
}
trap stop_server EXIT
trap 'exit 130' INT TERM

# The server prints its port on stdout once it listens (creating the demo
# database on the first run takes a moment).
PORT=""
for _ in $(seq 1 600); do
  PORT="$(head -n1 "$PORT_FILE" 2>/dev/null | tr -dc '0-9')"
  [ -n "$PORT" ] && break
  kill -0 "$SERVER_PID" 2>/dev/null || { cat "$LOG" >&2; die "the application server did not start"; }
  sleep 0.1
done
[ -n "$PORT" ] || die "the application server did not report its port within 60 s (log: $LOG)"

BASE="http://127.0.0.1:$PORT"
export ZELVORI_SUNUCU="127.0.0.1:$PORT"
export ZELVORI_WEB="$BASE/"
export ZELVORI_ODEME="$BASE"
export ZELVORI_INDIRME="$BASE"
export ZELVORI_IPSERVIS="$BASE/ip"

echo "run-demo: application server on $BASE (log: $LOG)"
echo "run-demo: this computer is bound to $USER_NAME; sign in as $USER_NAME with password 1234"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run-demo: no display; run it under a display, e.g. xvfb-run -a ./dev run" >&2
fi

set +e
"$CLIENT"
RC=$?
set -e
exit "$RC"
