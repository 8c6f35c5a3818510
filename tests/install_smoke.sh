#!/usr/bin/env bash
# Installs into a throw-away prefix, validates the desktop entry and the metainfo there, and
# starts the installed program offscreen: it must find its help in the installed data.
set -euo pipefail
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix="$root/prefix"
cmake --install "$1" --prefix "$prefix" >/dev/null
ls "$prefix"/libexec/tavoro/{tavoro-browserhost,EXPLORER.EXE} "$prefix"/share/tavoro/Themes.dat >/dev/null
desktop-file-validate "$prefix"/share/applications/*.desktop
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >/dev/null

export HOME="$root/home" XDG_CONFIG_HOME="$root/home/.config" XDG_DATA_HOME="$root/home/.local/share"
export XDG_RUNTIME_DIR="$root/run" TAVORO_REGISTRY_DIR="$root/registry" TAVORO_FAVORITES="$root/Favorites"
export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="tavoro.files.info=true"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$prefix/bin/tavoro" 2>"$root/log" &
for _ in $(seq 1 50); do grep -q "help pages" "$root/log" && break; sleep 0.1; done
sleep 0.5
kill -TERM $! && wait $! || { echo "the installed program did not keep running or end cleanly"; exit 1; }
grep -qx "tavoro.files: help pages in $prefix/share/tavoro/help" "$root/log" ||
    { cat "$root/log"; echo "the installed program did not find its help"; exit 1; }
echo "install test passed"
