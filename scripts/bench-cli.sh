#!/usr/bin/env bash
# Converting a full record file to CSV from start to exit: vesto-cli convert, and a short Python
# script with its csv module writing the same columns, timed alike in one run.
#   scripts/bench-cli.sh BUILD_DIR RECORD_FILE [RUNS]
# Prints "cli-convert <median ms> <runs>" and "python-csv <median ms> <runs>".
set -euo pipefail
build="$1" record="$2" runs="${3:-11}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/convert.py" <<'PY'
# A record file's readings as CSV: time (ISO 8601 with tenths), value, unit.
import csv, datetime, sys
with open(sys.argv[1], encoding="latin-1", newline="") as f:
    lines = f.read().splitlines()
unit = lines[12].strip('"')
base = datetime.datetime(1899, 12, 30)
with open(sys.argv[2], "w", newline="", encoding="utf-8") as out:
    w = csv.writer(out)
    w.writerow(["time", "value", "unit"])
    for line in lines[15:15 + int(lines[2])]:
        t, v = line.split("\t")
        when = base + datetime.timedelta(days=float(t.replace(",", ".")))
        tenths = round(when.microsecond / 100000)
        when = when.replace(microsecond=0) + datetime.timedelta(seconds=tenths / 10)
        w.writerow([when.strftime("%Y-%m-%dT%H:%M:%S.") + str(when.microsecond // 100000),
                    float(v.replace(",", ".")), unit])
PY
python3 - "$runs" "$build/vesto-cli" "$record" "$work" <<'PY'
import statistics, subprocess, sys, time
runs, cli, record, work = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
def median_ms(command):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)
print(f"cli-convert {median_ms([cli, 'convert', record, '-o', work + '/cli.csv']):.1f} {runs}")
print(f"python-csv {median_ms([sys.executable, work + '/convert.py', record, work + '/py.csv']):.1f} {runs}")
PY
