#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time.
#   scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
out=build-fuzz
mkdir -p "$out"
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -Isrc)
qt=$(pkg-config --cflags --libs Qt6Core)
build() { # target sources...
  local target=$1; shift
  if [ ! -x "$out/$target" ] || [ -n "$(find "$@" "fuzz/$target.cpp" -newer "$out/$target" 2>/dev/null)" ]; then
    # shellcheck disable=SC2086
    clang++ "${flags[@]}" "fuzz/$target.cpp" "$@" $qt -o "$out/$target"
  fi
}
run() { # target
  local corpus="$out/corpus-$1"
  mkdir -p "$corpus"
  "$out/$1" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -print_final_stats=0 \
    "$corpus" fuzz/seeds/"$1" 2>"$out/$1.log" || { tail -40 "$out/$1.log"; echo "fuzz: $1 FAILED"; return 1; }
  echo "fuzz: $1 ok ($(grep -o 'Done [0-9]* runs' "$out/$1.log" | tail -1))"
}
build fuzz_lessonfile src/app/lesson/lessonfile.cpp src/ui/safefile.cpp
run fuzz_lessonfile
build fuzz_notes src/accessories/notesfile.cpp src/ui/cp1252.cpp src/ui/safefile.cpp
run fuzz_notes
build fuzz_owntext src/drills/owntext.cpp src/ui/cp1252.cpp src/ui/safefile.cpp src/ui/settings.cpp
run fuzz_owntext
build fuzz_calc src/accessories/calcengine.cpp src/accessories/real48.cpp
run fuzz_calc
# The learner file's name rule lives with the journal, which needs Qt's SQL.
qt="$qt $(pkg-config --cflags --libs Qt6Sql)"
build fuzz_learnerfile src/progress/learnerfile.cpp src/progress/journal.cpp src/progress/journal_learners.cpp \
  src/ui/safefile.cpp
run fuzz_learnerfile
exit 0
