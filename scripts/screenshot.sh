#!/usr/bin/env bash
# Pictures of the program's window with a real model.
#   scripts/screenshot.sh [OUT.png]
#       the window in a real X server (Xvfb), captured with ImageMagick
#   scripts/screenshot.sh OUT.png MODEL.gmf [--page NAME] [--select QUANTITY]
#       opens the model, shows that page (title, description, equation,
#       correlation, values, budget; settings: the value-format dialog) with
#       that quantity selected, and saves
#       the window's own picture (no X server needed)
# Needs a build (scripts/vormid.sh run or test, or cmake into build/).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/main-window.png}
[ $# -gt 0 ] && shift
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run
if [ $# -gt 0 ]; then
  QT_QPA_PLATFORM=offscreen build/app/vormid --unattended --grab "$out" "$@" >/dev/null
  echo "$out"
  exit 0
fi
xvfb-run -a -s '-screen 0 1024x700x24' bash -c '
  build/app/vormid --unattended >/dev/null & pid=$!
  sleep 2
  import -window root -crop 770x570+0+0 +repage "$0"
  kill $pid' "$out"
echo "$out"
