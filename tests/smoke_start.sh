#!/usr/bin/env bash
# Starts the real program offscreen in a throw-away home, checks that a second start
# ends at once, and that the first ends cleanly when asked to, saving its settings.
set -euo pipefail
program="$1"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
export HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share"
export XDG_RUNTIME_DIR="$root/run" TAVORO_REGISTRY_DIR="$root/registry" TAVORO_FAVORITES="$root/Favorites"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

"$program" &
first=$!
for _ in $(seq 1 50); do
    [ -d "$TAVORO_FAVORITES" ] && break
    sleep 0.1
done
sleep 1
kill -0 "$first" || { echo "the program did not keep running"; exit 1; }
[ -d "$TAVORO_FAVORITES" ] || { echo "the Favorites folder was not created"; exit 1; }

timeout 10 "$program" || { echo "a second start did not end at once"; exit 1; }
kill -0 "$first" || { echo "the second start ended the first"; exit 1; }

kill -TERM "$first"
wait "$first" || { echo "the program did not end cleanly"; exit 1; }
grep -q '"MainView"' "$TAVORO_REGISTRY_DIR/user.reg" || { echo "SIGTERM lost the settings"; exit 1; }
echo "smoke test passed"
