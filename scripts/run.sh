#!/usr/bin/env bash
# Builds and runs the screen saver under Wine.
set -euo pipefail
echo "run: the screen saver is not built yet; ./scripts/test.sh builds and tests what exists." >&2
exit 1
