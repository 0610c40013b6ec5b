#!/usr/bin/env bash
# Takes docs/main-window.png: the program in a real X server (Xvfb), captured
# with ImageMagick. Needs a build (scripts/vormid.sh run or test).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/main-window.png}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run
xvfb-run -a -s '-screen 0 1024x700x24' bash -c '
  build/app/vormid --unattended >/dev/null & pid=$!
  sleep 2
  import -window root -crop 770x570+0+0 +repage "$0"
  kill $pid' "$out"
echo "$out"
