#!/bin/sh
# Byte code against native code for many generated programs, more than the
# suite runs: COUNT programs from seed FIRST, spread over every core.
# usage: bench/differential.sh [COUNT] [FIRST] [BUILD_DIR]   (defaults 5000, 1, build/default)
set -e
count=${1:-5000}
first=${2:-1}
build=${3:-build/default}
export CORVEL_DIFFERENTIAL_PROGRAMS="$count" CORVEL_DIFFERENTIAL_FIRST="$first"
ctest --test-dir "$build" -R '^Shards/Generated' -j "$(nproc)" --output-on-failure
