#!/usr/bin/env bash
# For comparison with BM_DrawGraph: how long gnuplot (pngcairo) takes to draw a record of the same
# size into a PNG of the same size. The record is made like the benchmark's: a mains voltage in
# blocks of 60 readings 0.1 s apart with a pause after each block (a blank line breaks the curve
# there). Prints the median wall time of several runs, gnuplot's start-up included, and beside
# it the time for three points, which is little more than that start-up.
#   scripts/bench-gnuplot.sh [points] [runs]
set -euo pipefail
points="${1:-73620}"
runs="${2:-5}"
command -v gnuplot >/dev/null || { echo "gnuplot is not installed (package gnuplot-nox)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

make_points() { # count file
    awk -v n="$1" 'BEGIN {
        srand(42); pi = 3.14159265358979; t = 0
        for (i = 1; i <= n; i++) {
            if (i > 1) {
                if ((i - 1) % 60 == 0) { t += 4.0; print "" } else t += 0.1
            }
            # Gaussian noise (Box-Muller), sigma 1.5 V
            u = rand(); if (u < 1e-12) u = 1e-12
            noise = 1.5 * sqrt(-2 * log(u)) * cos(2 * pi * rand())
            printf "%.1f %.2f\n", t, 230 + 12 * sin(i / 900.0) + noise
        }
    }' >"$2"
}
make_points "$points" "$work/points.dat"
make_points 3 "$work/three.dat"

median_ms() { # width height data-file
    local times=()
    for ((r = 0; r < runs; r++)); do
        local start end
        start=$(date +%s%N)
        gnuplot -e "set terminal pngcairo size $1,$2; set output '$work/graph.png';
                    set grid; unset key;
                    plot '$3' using 1:2 with lines linecolor rgb '#FF0000'"
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", a[int((NR + 1) / 2)] / 1000 }'
}

for size in 577x281 1600x900; do
    w="${size%x*}" h="${size#*x}"
    printf 'gnuplot pngcairo %-9s %6d points: %8s ms, start-up alone (3 points): %s ms (median of %d runs)\n' \
        "$size" "$points" "$(median_ms "$w" "$h" "$work/points.dat")" \
        "$(median_ms "$w" "$h" "$work/three.dat")" "$runs"
done
