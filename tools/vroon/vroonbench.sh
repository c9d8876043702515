#!/usr/bin/env bash
# vroon's benchmark: one movie of about SIZE_MB megabytes, copied by cp (the baseline), converted in place by
# vroon (by insertion, and by copy with --copy), converted to a new file by vroon and re-muxed by ffmpeg, in the
# same run. Every output is flushed to the disk before the clock stops (vroon flushes its own; every command is
# followed by sync of its file), so all pay for durability. Prints the median of three runs: seconds, throughput
# (the movie's size over the time) and its ratio to cp's, peak memory (maximum resident set), and the megabytes
# written, which is the extra disk space each needed at its peak.
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

# Runs one command and then flushes its output file, three times; prints the median
# "seconds peak_kb written_bytes", where written_bytes is what the command caused to be written to the disk (the
# kernel's count for the process and its children), the extra space it needed at its peak. With PREP "copy", a
# fresh copy of the source is put at the output's name before each run (outside the clock), for the in-place
# conversions; "copy-uncached" drops that copy's pages from the page cache as well. The cold round drops the
# whole page cache before each run.
measure() {
    local label=$1 out=$2 prep=$3 report
    shift 3
    report=$(mktemp)
    for _ in 1 2 3; do
        rm -f "$out"
        if [ "$prep" != "" ]; then
            cp "$SOURCE" "$out"
            sync "$out"
        fi
        # Dropping the movie's pages from the cache first, as for a movie written a while ago.
        [ "$prep" = copy-uncached ] && dd if="$out" iflag=nocache count=0 status=none
        [ "$label" = cold ] && flush_cache
        # The shell's clock (microseconds) times the command and its flush; time(1) gives the memory.
        /usr/bin/time -a -f "%M" -o "$report.memory" bash -c 'start=$EPOCHREALTIME
            "$@" >/dev/null 2>&1 && sync "$0" || exit
            echo "$start $EPOCHREALTIME $(sed -n "s/^write_bytes: //p" /proc/$$/io)"' "$out" "$@" >>"$report.clock"
    done
    paste -d ' ' "$report.clock" "$report.memory" | awk '{ print $2 - $1, $4, $3 }' | sort -n | sed -n 2p
    rm -f "$report" "$report.clock" "$report.memory" "$out"
}

flush_cache() {
    sync
    echo 3 >/proc/sys/vm/drop_caches
}

# One table row: the command's median against cp's.
row() {
    awk -v label="$1" -v name="$2" -v bytes="$BYTES" -v cp="$3" -v it="$4" 'BEGIN {
        split(cp, c, " "); split(it, r, " ");
        printf "| %-5s | %-28s | %7.3f | %8.0f | %7.2f | %8.1f | %10.3f |\n", label, name, r[1],
               bytes / 1048576 / (r[1] > 0 ? r[1] : 0.005), c[1] / (r[1] > 0 ? r[1] : 0.005), r[2] / 1024,
               r[3] / 1048576;
    }'
}

run_round() {
    local label=$1 cp
    cp=$(measure "$label" "$WORK/out-cp.mov" "" cp "$SOURCE" "$WORK/out-cp.mov")
    row "$label" "cp + sync" "$cp" "$cp"
    # The insertion shifts every page of the file, so the kernel drops the movie's cached pages: with the movie
    # in the cache (just written), that is most of its time.
    row "$label" "vroon in place (insertion)" "$cp" \
        "$(measure "$label" "$WORK/inplace.mov" copy "$VROON" --quiet "$WORK/inplace.mov")"
    row "$label" "  the same, movie not cached" "$cp" \
        "$(measure "$label" "$WORK/inplace.mov" copy-uncached "$VROON" --quiet "$WORK/inplace.mov")"
    row "$label" "vroon --copy in place" "$cp" \
        "$(measure "$label" "$WORK/inplace.mov" copy "$VROON" --quiet --copy "$WORK/inplace.mov")"
    row "$label" "vroon -o" "$cp" \
        "$(measure "$label" "$WORK/out-vroon.mov" "" "$VROON" --quiet "$SOURCE" -o "$WORK/out-vroon.mov")"
    row "$label" "ffmpeg -c copy +faststart" "$cp" "$(measure "$label" "$WORK/out-ffmpeg.mov" "" ffmpeg -nostdin \
        -v error -i "$SOURCE" -map 0 -c copy -movflags +faststart "$WORK/out-ffmpeg.mov")"
}

echo "vroonbench: $SOURCE, $BYTES bytes, on $(findmnt -n -o FSTYPE -T "$WORK")"
echo "| cache | command                      | seconds | MB/s     | × cp    | peak MB  | MB written |"
echo "|-------|------------------------------|---------|----------|---------|----------|------------|"
cat "$SOURCE" >/dev/null
run_round warm
if [ "$COLD" = --cold ]; then
    if [ -w /proc/sys/vm/drop_caches ]; then
        run_round cold
    else
        echo "vroonbench: the page cache cannot be dropped here (not root); no cold runs"
    fi
fi
