#!/usr/bin/env bash
# Installs what Melvora needs, builds it, creates empty tables in data/ the first time, and
# starts the program there.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
bash scripts/build.sh
if [ ! -f data/artista.db ]; then
  ./build/melvora-tables create data
fi
cd data
exec ../build/melvora
