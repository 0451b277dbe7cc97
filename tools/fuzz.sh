#!/bin/sh
# Builds the libFuzzer targets with clang into build-fuzz/ (or $VORPEN_FUZZ_DIR) and runs each
# for SECONDS (default 60) on its corpus build-fuzz/corpus/TARGET, seeded from examples/, the
# tests' fixtures and fuzz/seeds/. An input that crashes, leaks, hangs or trips a sanitizer is
# kept in build-fuzz/findings/TARGET/ and makes the command fail.
#     tools/fuzz.sh [SECONDS [TARGET...]]
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-60}"
[ $# -gt 0 ] && shift
all="fuzz_analysis fuzz_definition fuzz_printing fuzz_conversion fuzz_configuration
fuzz_resultnaming fuzz_highlighter fuzz_outline fuzz_lsp"
targets="${*:-$all}"
build="${VORPEN_FUZZ_DIR:-build-fuzz}"
here="$PWD"

cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORPEN_FUZZ=ON -DBUILD_TESTING=OFF "-DVORPEN_WERROR=${VORPEN_WERROR:-OFF}" >/dev/null
# shellcheck disable=SC2086
cmake --build "$build" -j "$(nproc)" --target $targets

# Seeds are gathered into folders, since libFuzzer runs a file argument once instead of fuzzing.
text_seeds() {
    mkdir -p "$1"
    cp examples/* tests/syntax/printing/grains_dri.txt tests/syntax/*.txt \
        tests/tools/standins/*.txt tests/tools/vorpencheck/*.txt "$1"
}

# Seeds of the definition target: a test definition, a NUL byte, then a driving file.
definition_seeds() {
    mkdir -p "$1"
    for xml in tests/syntax/definitions/*.xml tests/syntax/printing/print_sample.xml; do
        { cat "$xml"; printf '\0'; cat tests/syntax/printing/grains_dri.txt; } \
            >"$1/$(basename "$xml" .xml)"
    done
}

seeds_of() {
    case "$1" in
    fuzz_definition)
        definition_seeds "$build/seeds/definition"
        echo "$build/seeds/definition" ;;
    fuzz_configuration)
        text_seeds "$build/seeds/text"
        echo "fuzz/seeds/configuration $build/seeds/text" ;;
    fuzz_resultnaming) echo "fuzz/seeds/resultnaming" ;;
    fuzz_lsp) echo "fuzz/seeds/lsp" ;;
    *)
        text_seeds "$build/seeds/text"
        echo "$build/seeds/text" ;;
    esac
}

export LSAN_OPTIONS="suppressions=$here/tools/sanitizer/lsan.supp"
status=0
for target in $targets; do
    corpus="$build/corpus/$target"
    findings="$build/findings/$target"
    log="$build/$target.log"
    mkdir -p "$corpus" "$findings"
    # Seed folders are read, the corpus folder is where new inputs are kept.
    # shellcheck disable=SC2046
    if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2560 \
        -max_len=16384 -print_final_stats=1 -artifact_prefix="$here/$findings/" \
        "$corpus" $(seeds_of "$target") >"$log" 2>&1; then
        echo "$target: $(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" |
            cut -d' ' -f2) runs, no finding"
    else
        status=1
        tail -n 60 "$log"
        echo "$target: FINDING, see $log and $findings/"
    fi
done
exit "$status"
