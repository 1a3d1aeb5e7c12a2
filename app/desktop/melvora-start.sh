#!/bin/sh
# Starts Melvora from the desktop in its data folder, where it keeps its four tables, and
# creates the empty tables there the first time. The program and the tables tool are installed
# beside this script.
here=$(dirname "$(readlink -f "$0")")
data="${XDG_DATA_HOME:-$HOME/.local/share}/melvora"
mkdir -p "$data" || exit 1
if [ ! -e "$data/artista.db" ] && [ ! -e "$data/cd.db" ] && [ ! -e "$data/retirada.db" ] \
        && [ ! -e "$data/musica.db" ]; then
    # Should this fail, the program reports the missing tables itself.
    "$here/melvora-tables" create "$data"
fi
cd "$data" || exit 1
exec "$here/melvora" "$@"
