#!/usr/bin/env bash
# vroon's benchmark: one movie of about SIZE_MB megabytes, copied by cp (the baseline), converted to a new file
# by vroon and re-muxed by ffmpeg, in the same run. Every output is flushed to the disk before the clock stops
# (vroon flushes its own; cp and ffmpeg are followed by sync of their file), so all three pay for durability.
# Prints the median of three runs: seconds, throughput relative to cp, and peak memory (maximum resident set).
#
#   vroonbench.sh VROON WORKDIR [SIZE_MB] [--cold]
#
# With --cold, the page cache is dropped before each run as well (needs root); the warm runs always come first.
set -euo pipefail

VROON=$1
WORK=$2
SIZE_MB=${3:-1024}
COLD=${4:-}
mkdir -p "$WORK"
SOURCE=$WORK/bench-$SIZE_MB.mov

if [ ! -f "$SOURCE" ]; then
    # Raw 720p video (2vuy, as QuickTime stores it) is 1.8 MB a frame: the length sets the size.
    seconds=$(( SIZE_MB * 1024 * 1024 / (1280 * 720 * 2 * 25) + 1 ))
    echo "vroonbench: making a ${SIZE_MB} MB movie ($seconds s of raw video and PCM audio)"
    ffmpeg -nostdin -v error -y -f lavfi -i "testsrc=size=1280x720:rate=25:duration=$seconds" \
        -f lavfi -i "sine=frequency=440:duration=$seconds" -c:v rawvideo -pix_fmt uyvy422 -c:a pcm_s16le \
        "$SOURCE"
fi
BYTES=$(stat -c %s "$SOURCE")

# Runs one command and then flushes its output file, three times, under /usr/bin/time; prints the median
# "seconds peak_kb". The cold round drops the page cache before each run.
measure() {
    local label=$1 out=$2 report
    shift 2
    report=$(mktemp)
    for _ in 1 2 3; do
        rm -f "$out"
        [ "$label" = cold ] && flush_cache
        /usr/bin/time -a -f "%e %M" -o "$report" sh -c '"$@" >/dev/null 2>&1 && sync "$0"' "$out" "$@"
    done
    sort -n "$report" | sed -n 2p
    rm -f "$report" "$out"
}

flush_cache() {
    sync
    echo 3 >/proc/sys/vm/drop_caches
}

run_round() {
    local label=$1 cp vroon ffmpeg
    cp=$(measure "$label" "$WORK/out-cp.mov" cp "$SOURCE" "$WORK/out-cp.mov")
    vroon=$(measure "$label" "$WORK/out-vroon.mov" "$VROON" --quiet "$SOURCE" -o "$WORK/out-vroon.mov")
    ffmpeg=$(measure "$label" "$WORK/out-ffmpeg.mov" ffmpeg -nostdin -v error -i "$SOURCE" -map 0 -c copy \
        -movflags +faststart "$WORK/out-ffmpeg.mov")
    awk -v label="$label" -v bytes="$BYTES" -v cp="$cp" -v vroon="$vroon" -v ffmpeg="$ffmpeg" 'BEGIN {
        split(cp, c, " "); split(vroon, v, " "); split(ffmpeg, f, " ");
        printf "| %-5s | %-28s | %7.2f | %8.0f | %5.2f | %8.1f |\n", label, "cp + sync", c[1], bytes / 1048576 / c[1], 1, c[2] / 1024;
        printf "| %-5s | %-28s | %7.2f | %8.0f | %5.2f | %8.1f |\n", label, "vroon -o", v[1], bytes / 1048576 / v[1], c[1] / v[1], v[2] / 1024;
        printf "| %-5s | %-28s | %7.2f | %8.0f | %5.2f | %8.1f |\n", label, "ffmpeg -c copy +faststart", f[1], bytes / 1048576 / f[1], c[1] / f[1], f[2] / 1024;
    }'
}

echo "vroonbench: $SOURCE, $BYTES bytes"
echo "| cache | command                      | seconds | MB/s     | × cp  | peak MB  |"
echo "|-------|------------------------------|---------|----------|-------|----------|"
cat "$SOURCE" >/dev/null
run_round warm
if [ "$COLD" = --cold ]; then
    if [ -w /proc/sys/vm/drop_caches ]; then
        run_round cold
    else
        echo "vroonbench: the page cache cannot be dropped here (not root); no cold runs"
    fi
fi
