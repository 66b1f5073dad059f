#!/usr/bin/env bash
# Builds the image readers' fuzz targets with clang and runs each for a bounded
# time on seeds made by imagelib_fuzz_seeds. Fails when a target finds a crash,
# a leak or undefined behaviour.
#   run-fuzzers.sh <build-dir> [seconds per target, default 60]
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=${1:?build directory}
seconds=${2:-60}
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
if [ -f "$build/CMakeCache.txt" ] &&
   ! grep -qx "CMAKE_GENERATOR:INTERNAL=${generator[1]:-Unix Makefiles}" "$build/CMakeCache.txt"; then
  rm -rf "$build"  # configured with another generator
fi
CC=clang CXX=clang++ cmake "${generator[@]}" -S "$root" -B "$build" -DSPAB_SANITIZE=ON -DSPAB_FUZZ=ON >"$build.configure.log" 2>&1 \
  || { cat "$build.configure.log" >&2; exit 1; }
formats="bmp pcx tga photocd jpeg protected tiff trailer"
targets=imagelib_fuzz_seeds
for f in $formats; do targets="$targets imagelib_fuzz_$f"; done
# shellcheck disable=SC2086
cmake --build "$build" -j"${JOBS:-4}" --target $targets
bin=$build/tests/imagelib
corpus=$build/fuzz-corpus
rm -rf "$corpus"
"$bin/imagelib_fuzz_seeds" "$corpus"
# One target per format, a few at a time (each is one process).
run_one() {
  local f=$1 extra=
  [ "$f" = photocd ] && extra=-max_len=800000
  # Standard output carries the library's warnings: closed to keep the log small.
  # shellcheck disable=SC2086
  if ASAN_OPTIONS=detect_leaks=1 "$bin/imagelib_fuzz_$f" -close_fd_mask=1 -max_total_time="$seconds" \
       -rss_limit_mb=2560 -timeout=30 $extra "$corpus/$f" >"$build/fuzz-$f.log" 2>&1; then
    echo "fuzz $f: ok"
  else
    echo "fuzz $f: FAILED, see $build/fuzz-$f.log" >&2
    return 1
  fi
}
export -f run_one
export bin build corpus seconds
parallel=${JOBS:-4}
[ "$parallel" -gt 4 ] && parallel=4
# shellcheck disable=SC2086
printf '%s\n' $formats | xargs -P "$parallel" -I{} bash -c 'run_one {}'
