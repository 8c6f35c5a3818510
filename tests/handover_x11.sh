#!/usr/bin/env bash
# Two real processes on the test display: the first starts hidden, a second start brings
# it back and ends at once.
set -euo pipefail
program="$1"
[ -n "${DISPLAY:-}" ] || { echo "no display; skipped"; exit 0; }
root=$(mktemp -d)
# The first saves its settings as it ends: wait for it before its folders go.
trap '{ kill -TERM "$first" && wait "$first"; } 2>/dev/null || true; rm -rf "$root"' EXIT
export HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share"
export XDG_RUNTIME_DIR="$root/run" TAVORO_REGISTRY_DIR="$root/registry" TAVORO_FAVORITES="$root/Favorites"
export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=disabled:
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

viewable() { xwininfo -name "Tavoro 1.1.3" 2>/dev/null | grep -q "Map State: IsViewable"; }

"$program" /HIDE &
first=$!
for _ in $(seq 1 50); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Tavoro 1.1.3"' && break
    sleep 0.1
done
sleep 0.5
viewable && { echo "started with /HIDE but the window shows"; exit 1; }

timeout 10 "$program" || { echo "the second start did not end at once"; exit 1; }
for _ in $(seq 1 30); do
    viewable && break
    sleep 0.1
done
viewable || { echo "the second start did not bring the first back"; exit 1; }
echo "hand-over passed"
