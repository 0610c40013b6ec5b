#!/usr/bin/env bash
# Set-up for a fresh Debian 12 machine.
#   scripts/vormid.sh run    install what is missing, build, start the program
#   scripts/vormid.sh test   install what is missing, build, run every test
#   scripts/vormid.sh clang  install what is missing, build every target with clang
#   scripts/vormid.sh package  install what is missing, build the Debian packages into build-deb/
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-run}
jobs=$(nproc)

packages=(
  cmake ninja-build g++ pkg-config
  build-essential debhelper lintian  # the Debian packages: dpkg-buildpackage, dh, their check
  file desktop-file-utils  # ELF detection, desktop entry check
  qt6-base-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev zlib1g-dev
  libpoppler-cpp-dev poppler-utils  # vormid-cli verify reads a report's attachments; tests read the PDF back
  clang libclang-rt-14-dev
  fonts-dejavu-core fonts-wine
  xvfb xauth imagemagick
)

install_missing() {
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=300 "${missing[@]}"
}

build() {  # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

# debian_packages DIR [dpkg-buildpackage options...]: the Debian packages of
# this source tree, built from a copy of it in DIR/src (no build tree comes
# along, as on a clean machine) and written into DIR rather than beside the
# checkout.
debian_packages() {
  local dir=$1; shift
  rm -rf "$dir"
  mkdir -p "$dir/src"
  tar --exclude='./build*' --exclude=./.git --exclude='./obj-*' -cf - . | tar -xf - -C "$dir/src"
  (cd "$dir/src" && DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-} parallel=$jobs" dpkg-buildpackage -us -uc -b "$@")
}

install_missing

case "$mode" in
  run)
    # The same build as "test" makes, so that switching between the two
    # never rebuilds the tree.
    build build -DCMAKE_BUILD_TYPE=Release -DVORMID_WERROR=ON
    if [ -x build/app/vormid ]; then
      exec build/app/vormid
    elif [ -x build/cli/vormid-cli ] && [ -f examples/resistance.gmf ]; then
      exec build/cli/vormid-cli budget examples/resistance.gmf
    else
      echo "Built. Nothing can be started yet."
    fi
    ;;
  test)
    export QT_QPA_PLATFORM=offscreen
    # Every build here stops at any warning. The main one is the Release
    # build that people who install the program make.
    build build -DCMAKE_BUILD_TYPE=Release -DVORMID_WERROR=ON
    ctest --test-dir build --output-on-failure -j"$jobs"
    # The Debian packages as a Debian developer builds them. The tests just
    # ran, so the package build skips them (nocheck). Lintian's errors and
    # warnings fail the test command.
    DEB_BUILD_OPTIONS=nocheck debian_packages build-deb -Pnocheck
    cmake -DDEB_DIR=build-deb -DWORK=build-deb/check -DCLIENT=tests/install/lexicon_client.c -DCC=cc \
      -DVERSION="$(sed -n 's/^project(Vormid VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt)" \
      -P tests/install/CheckDebianPackages.cmake
    lintian --fail-on error,warning --display-info build-deb/vormid_*.changes
    # Every test again under AddressSanitizer and UndefinedBehaviorSanitizer,
    # the window's included (its item models hold raw pointers). The build
    # runs the program too (the guide's pictures), so the options hold for both.
    export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
    build build-asan -DCMAKE_BUILD_TYPE=Debug -DVORMID_SANITIZE=ON -DVORMID_WERROR=ON -DVORMID_BUILD_BENCH=OFF
    ctest --test-dir build-asan --output-on-failure -j"$jobs"
    unset ASAN_OPTIONS UBSAN_OPTIONS
    # The model file readers under libFuzzer (clang only): each target runs
    # over its stored corpus, then mutates for a bounded time on a scratch
    # copy of it. Any crash, leak or hang fails the tests; the input that
    # caused it is left in build-fuzz/artifacts.
    CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DVORMID_WERROR=ON >/dev/null
    cmake --build build-fuzz -j"$jobs"
    fuzz_seconds=${VORMID_FUZZ_SECONDS:-60}
    mkdir -p build-fuzz/artifacts
    for target in unpack model sections rtf; do
      rm -rf "build-fuzz/corpus-$target"
      cp -r "fuzz/corpus/$target" "build-fuzz/corpus-$target"
      echo "Fuzzing $target for ${fuzz_seconds} s"
      "build-fuzz/fuzz_$target" -max_total_time="$fuzz_seconds" -timeout=120 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" \
        "build-fuzz/corpus-$target" 2>"build-fuzz/fuzz-$target.log" \
        || { tail -n 40 "build-fuzz/fuzz-$target.log"; exit 1; }
    done
    ;;
  clang)
    # Every target (window, tests and benchmarks included) with clang, warnings
    # as errors. Not part of the test command: it compiles about nine times
    # what the fuzz build compiles, some five minutes more on two cores.
    # Clang's warnings come from its front end, so Debug finds them all.
    CC=clang CXX=clang++ build build-clang -DCMAKE_BUILD_TYPE=Debug -DVORMID_WERROR=ON
    ;;
  package)
    # For apt install ./build-deb/vormid_*.deb; the package build runs the
    # tests unless DEB_BUILD_OPTIONS=nocheck.
    debian_packages build-deb
    ls build-deb/*.deb
    ;;
  *)
    echo "usage: $0 run|test|clang|package" >&2
    exit 2
    ;;
esac
