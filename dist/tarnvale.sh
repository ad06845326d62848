#!/bin/sh
# Starts Tarnvale in the folder that holds its textures: the program opens
# them by bare name from its working directory.
here=$(dirname "$(readlink -f "$0")")
cd "$here/../share/tarnvale" || exit 1
exec "$here/../lib/tarnvale/tarnvale" "$@"
