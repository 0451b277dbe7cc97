#!/bin/sh
# Stand-in for the display tool: records the files it was asked to show in the file named by
# DP_ZELMORA_RECORD (one argument a line) and lists them in a small window.
if [ -n "${DP_ZELMORA_RECORD:-}" ]; then
    : > "$DP_ZELMORA_RECORD"
    for argument in "$@"; do
        printf '%s\n' "$argument" >> "$DP_ZELMORA_RECORD"
    done
fi
exec "$(dirname "$0")/dp_zelmora_window" "$@"
