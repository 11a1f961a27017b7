#!/bin/sh
# Starts Korvell from the directory that holds it and its data files.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/korvell/korvell" "$@"
