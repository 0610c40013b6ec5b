#!/usr/bin/env bash
# Takes every picture of the README again, each by the program itself
# (vormid --grab) from the example models, at the first-start size
# (1100 x 760); the charts are the Type B page's and the observation page's
# own, cut out of the window with --part.
#   scripts/readme-pictures.sh
# Needs a build in build/ (scripts/vormid.sh run or test).
set -euo pipefail
cd "$(dirname "$0")/.."
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run
export QT_QPA_PLATFORM=offscreen

shot() {  # OUT.png MODEL [switches...]
  local out=$1 model=$2
  shift 2
  build/app/vormid --unattended --grab "$out" "$@" "examples/$model.gmf" >/dev/null
}

# The histogram's toolbar choices of the next run.
histogram() {
  mkdir -p "$home/config/Kestrane"
  printf '[Software]\nKestrane\\Histogram\\Vormid=%s\n' "$1" >"$home/config/Kestrane/Vormid.ini"
}

shot docs/main-window.png gauge_block --page description
shot docs/model-page-compact.png gauge_block --page equation --select DT
shot docs/model-page-wide.png gauge_block --page equation --select DT --wide
shot docs/budget-mass.png mass --page budget
shot docs/budget-gauge_block.png gauge_block --page budget
shot docs/screenshots/correlation-mass.png mass --page correlation
shot docs/settings-dialog.png mass --page settings
shot docs/screenshots/observation-resistance.png resistance --page values --select U
shot docs/screenshots/observation-grouped.png mass --page values --select DM
shot docs/screenshots/observation-indirect.png gauge_block --page values --select D

# One input of examples/distributions.gmf per kind of distribution.
for kind in normal:N lognormal:G t:S rectangle:R triangle:T trapezoid:Z quadratic:Q u:U cosine:K halfcosine:H; do
  shot "docs/charts/distribution-${kind%%:*}.png" distributions --page equation --select "${kind##*:}" \
    --part DistributionChart1
done

histogram 1121011000300
shot docs/charts/histogram.png resistance --page values --select U --part Histogram1
histogram 1121011010300
shot docs/charts/histogram-distribution-function.png resistance --page values --select U --part Histogram1
histogram 1121011001600
shot docs/charts/histogram-labels.png resistance --page values --select U --part Histogram1

# The Monte Carlo panel: copies of two examples with the method "Monte-Carlo"
# (--grab waits for the run to end).
for model in attenuation mass; do
  build/cli/vormid-cli export "examples/$model.gmf" |
    sed 's/"evaluation_method": "GUM"/"evaluation_method": "Monte-Carlo"/' >"$home/$model.json"
  build/cli/vormid-cli import "$home/$model.json" -o "$home/$model.gmf"
  build/app/vormid --unattended --grab "docs/screenshots/montecarlo-$model.png" --page budget "$home/$model.gmf" >/dev/null
done
echo "docs/ pictures taken"
