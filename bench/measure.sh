#!/usr/bin/env bash
# Times a user's session with a big program: open, the start phase of Run To Breakpoint,
# the run to its end, and peak resident memory (VmHWM), in a 1280 x 1024 Xvfb screen; or,
# with --animate, Start (F5) at the speed slider's first place, animated to the end.
#
# usage: bench/measure.sh [--base COMMIT] [LINES | FILE.cnc] [-- DRIVER OPTIONS]
#   LINES     length of the generated program (default 30000); or a program file of your own
#   DRIVER OPTIONS  --open-only, --start-only, --animate, --picture OUT.png (see bench/session.cpp)
#   --base    measure COMMIT instead of this tree: its files are exported to a scratch
#             folder (build-base-COMMIT-src/), the session driver is added, and it is built
#             into build-base-COMMIT/
# The program comes from ../shared/bench/bigprogram.py beside the repository (or $BIGPROGRAM).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
base=""
if [[ ${1:-} == --base ]]; then
  base=$2
  shift 2
fi
lines=30000
if [[ $# -gt 0 && $1 != -- ]]; then
  lines=$1
  shift
fi
[[ ${1:-} == -- ]] && shift

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [[ -f $lines ]]; then
  program=$(cd "$(dirname "$lines")" && pwd)/$(basename "$lines")
else
  generator=${BIGPROGRAM:-$root/../shared/bench/bigprogram.py}
  [[ -f $generator ]] || { echo "no program generator at $generator (set BIGPROGRAM)" >&2; exit 2; }
  program=$scratch/big$lines.cnc
  python3 "$generator" "$lines" "$program"
fi

if [[ -n $base ]]; then
  build=$root/build-base-$(git -C "$root" rev-parse --short "$base")
  tree=$build-src # kept, so that the next measurement builds only what changed
  if [[ ! -d $tree ]]; then
    mkdir -p "$tree"
    git -C "$root" archive "$base" | tar -x -C "$tree"
  fi
  cp -p "$root/bench/session.cpp" "$root/bench/session.cmake" "$tree/bench/"
  grep -q session.cmake "$tree/bench/CMakeLists.txt" ||
    echo 'include(${CMAKE_CURRENT_SOURCE_DIR}/session.cmake)' >>"$tree/bench/CMakeLists.txt"
  cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} >/dev/null
  cmake --build "$build" --target bench_session >/dev/null
else
  build=${TURNWISE_BUILD_DIR:-$root/build}
  "$root/scripts/build" >/dev/null
fi

export XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache XDG_RUNTIME_DIR=$scratch/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
echo "program=$(basename "$program") build=$(basename "$build")"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/bench_session" "$program" "$@"
