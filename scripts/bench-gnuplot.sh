#!/usr/bin/env bash
# For comparison with the program's read-and-draw: how long gnuplot (pngcairo) takes to draw a
# record file into a PNG of the given size, its start-up included, as the median wall time of
# several runs. Beside it, the time for a file of three points: little more than the start-up.
# Prints one line per size: "gnuplot <width>x<height> <ms> <start-up ms>".
#   scripts/bench-gnuplot.sh record-file [runs] [sizes...]
# The record file is the program's own text format: 15 header lines, then "time<TAB>value"
# lines with a period as decimal separator (write it under a locale that uses one).
set -euo pipefail
file="$1"
runs="${2:-5}"
shift $(($# < 2 ? $# : 2))
sizes=("$@")
[ "${#sizes[@]}" -gt 0 ] || sizes=(577x281 1600x900)
command -v gnuplot >/dev/null || { echo "gnuplot is not installed (package gnuplot-nox)" >&2; exit 1; }
[ -f "$file" ] || { echo "no record file: $file" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
head -n 18 "$file" >"$work/three.txt"

median_ms() { # width height record-file
    local times=() start end
    for ((r = 0; r < runs; r++)); do
        start=$(date +%s%N)
        gnuplot -e "set terminal pngcairo size $1,$2; set output '$work/graph.png';
                    set grid; unset key;
                    plot '$3' skip 15 using 1:2 with lines linecolor rgb '#FF0000'"
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[int((NR + 1) / 2)] / 1000 }'
}

for size in "${sizes[@]}"; do
    w="${size%x*}" h="${size#*x}"
    echo "gnuplot $size $(median_ms "$w" "$h" "$file") $(median_ms "$w" "$h" "$work/three.txt")"
done
