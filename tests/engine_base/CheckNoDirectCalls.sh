#!/bin/sh
# The engine reaches the media libraries only through its entry-point table:
# its library must hold no undefined reference to their functions.
# Usage: CheckNoDirectCalls.sh <libengine.a>
set -eu
found=$(nm -u "$1" | awk '{print $NF}' | grep -E '^(av[a-z0-9]*_|sws_|swr_|SDL_)' || true)
if [ -n "$found" ]; then
    echo "direct media library references in $1:"
    echo "$found"
    exit 1
fi
echo "no direct media library references in $1"
