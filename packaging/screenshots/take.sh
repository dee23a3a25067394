#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots at scale 1 and 2 under Xvfb, from a build (default: build/release):
#   packaging/screenshots/take.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
shoot=${1:-build/release}/packaging/screenshots/talkomat_screenshots
mkdir -p docs/screenshots
for scale in 1 2; do
    QT_SCALE_FACTOR=$scale xvfb-run -a -s '-screen 0 1280x1024x24' "$shoot" docs/screenshots "${scale}x"
done
ls docs/screenshots
