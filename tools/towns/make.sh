#!/usr/bin/env bash
# Regenerates data/om_towns.ini and om_towns_provenance.tsv, then checks
# them. The npm packages go into a scratch folder outside the sources
# (default build/towns), at the versions of package-lock.json.
#   make.sh [SCRATCH_DIR]
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
SCRATCH=${1:-$ROOT/build/towns}

mkdir -p "$SCRATCH"
cp "$HERE/package.json" "$HERE/package-lock.json" "$SCRATCH/"
# The packages are data and plain scripts: no install scripts run.
(cd "$SCRATCH" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)

export NODE_PATH=$SCRATCH/node_modules
node "$HERE/make_om_towns.js"
node "$HERE/check_om_towns.js"
