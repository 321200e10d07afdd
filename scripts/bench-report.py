#!/usr/bin/env python3
"""Puts the figures of one bench.sh run side by side, each with its target.

    scripts/bench-report.py results-folder [--doc docs/performance.md]

The folder holds the benchmarks' JSON output (bench_*.json), gnuplot.txt from
scripts/bench-gnuplot.sh, startup.txt from scripts/bench-startup.sh and machine.txt. The table
goes to standard output; with --doc the whole report is also written as Markdown.
"""
import json
import pathlib
import sys

KB_PER_MB = 1024.0


def load_runs(folder):
    """Median real and CPU time in ms, and counters, of every benchmark run by name."""
    runs = {}
    for path in sorted(folder.glob("bench_*.json")):
        data = json.loads(path.read_text())
        singles = {}
        for b in data.get("benchmarks", []):
            if b.get("error_occurred"):
                continue
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
            name = b.get("run_name", b["name"])
            entry = {"real": b["real_time"] * scale, "cpu": b["cpu_time"] * scale,
                     "counters": {k: v for k, v in b.items()
                                  if k.endswith(("_MB", "_pct")) or k in ("pages",)}}
            if b.get("run_type") == "aggregate":
                if b.get("aggregate_name") == "median":
                    runs[name] = entry
            else:
                singles.setdefault(name, []).append(entry)
        for name, entries in singles.items():
            if name not in runs:
                entries.sort(key=lambda e: e["real"])
                runs[name] = entries[(len(entries) - 1) // 2]
    return runs


def find(runs, prefix):
    """The run whose name starts with the benchmark and its arguments (options follow)."""
    for name, entry in runs.items():
        if name == prefix or name.startswith(prefix + "/"):
            return entry
    return None


def read_lines(path):
    return path.read_text().split("\n") if path.exists() else []


def main():
    folder = pathlib.Path(sys.argv[1])
    doc = pathlib.Path(sys.argv[sys.argv.index("--doc") + 1]) if "--doc" in sys.argv else None
    runs = load_runs(folder)

    gnuplot = {}
    for line in read_lines(folder / "gnuplot.txt"):
        parts = line.split()
        if len(parts) == 4 and parts[0] == "gnuplot":
            gnuplot[parts[1]] = (float(parts[2]), float(parts[3]))
    conversions = {}
    for line in read_lines(folder / "cli.txt"):
        parts = line.split()
        if len(parts) == 3:
            conversions[parts[0]] = float(parts[1])
    startup = None
    for line in read_lines(folder / "startup.txt"):
        parts = line.split()
        if len(parts) == 3 and parts[0] == "start-up" and parts[1] != "-":
            startup = (float(parts[1]), int(parts[2]))

    rows = []  # (what, figure text, cpu text, target text, met: True/False/None)

    def timed(what, bench, limit=None, unit="ms"):
        entry = find(runs, bench)
        if entry is None:
            rows.append((what, "not run", "", target_text(limit, unit), False if limit else None))
            return None
        factor = 1e-3 if unit == "s" else 1.0
        real, cpu = entry["real"] * factor, entry["cpu"] * factor
        digits = 2 if unit == "s" else (2 if real < 10 else 1)
        met = None if limit is None else real <= limit
        rows.append((what, f"{real:.{digits}f} {unit}", f"{cpu:.{digits}f} {unit}",
                     target_text(limit, unit), met))
        return entry

    def target_text(limit, unit):
        return "" if limit is None else f"<= {limit:g} {unit}"

    timed("Decoding three banks (73620 readings)", "BM_DecodeBanks", 2)
    timed("End of transfer, 73620 readings: decode, place, draw", "BM_FinishTransfer", 40)
    for size in ("577x281", "1600x900"):
        for n in (1000, 10000, 73620):
            timed(f"DrawGraph {size}, {n} points", f"BM_DrawGraph/{size}/{n}",
                  15 if n == 73620 else None)
    for size in ("577x281", "1600x900"):
        one = timed(f"DrawGraph {size}, 73620 points, canvas of ratio 1",
                    f"BM_DrawGraphAtRatio/{size}_ratio1/73620")
        timed("  the same at device pixel ratio 2 (high-density screen)",
              f"BM_DrawGraphAtRatio/{size}_ratio2/73620", 4 * one["real"] if one else None)
    timed("Writing a 73620-point record file", "BM_WriteRecordFile", 60)
    timed("  its text alone", "BM_FormatRecordFile")
    timed("Archiving a 73620-reading download, after the graph", "BM_ArchiveDownload", 60)
    timed("Reading a 73620-point record file", "BM_ReadRecordFile", 60)
    ratios = []
    for size in ("577x281", "1600x900"):
        entry = timed(f"Read+draw of a 73620-point file, {size}", f"BM_ReadAndDraw/{size}")
        if size in gnuplot:
            ms, alone = gnuplot[size]
            rows.append((f"gnuplot (pngcairo) drawing the same file, {size}", f"{ms:.1f} ms", "",
                         f"start-up alone {alone:.1f} ms", None))
            if entry:
                ratios.append((size, ms / entry["real"]))
    timed("Events of a 73620-point record (1227 events)", "BM_FindEvents/mains", 5)
    timed("  every reading an event of its own (73620)", "BM_FindEvents/singles", 5)
    timed("Judging 73620 events against the tolerance curves", "BM_JudgeEvents", 5)
    timed("Tolerance-curve chart of 73620 events", "BM_DrawCurveChart", 30)
    timed("Export CSV of 73620 points", "BM_ExportCsv/written", 100)
    timed("  its text alone", "BM_ExportCsv/text")
    timed("Listing of 73620 points to PDF (148 pages)", "BM_PrintDataListing", 3, "s")
    timed("One graph page of 73620 points to PDF", "BM_PrintGraphPage", 200)
    timed("Site report of 73620 points and 1227 events to PDF", "BM_SiteReport", 2, "s")
    timed("Adapter plugged in again: the port open on it", "BM_AdapterPluggedInAgain", 3000)
    adapter = find(runs, "BM_AdapterPluggedInAgain")
    if adapter and "away_cpu_pct" in adapter["counters"]:
        share = adapter["counters"]["away_cpu_pct"]
        rows.append(("  processor use while it is away", f"{share:.2f} %", "", "< 5 % of a core",
                     share < 5))
    timed("Search over four devices (silent, held, noisy, logger)", "BM_SearchFourDevices", 5000)
    window = timed("Full memory downloaded through the window (fast logger)",
                   "BM_DownloadThroughWindow", None, "s")
    tool = find(runs, "BM_DownloadThroughTool")
    if tool is None:
        rows.append(("  through vesto-cli, start to exit", "not run", "", "", False))
    else:
        limit = window["real"] / 1000 if window else None
        real = tool["real"] / 1000
        rows.append(("  through vesto-cli, start to exit", f"{real:.2f} s",
                     f"{tool['cpu'] / 1000:.2f} s", "<= the window's",
                     None if limit is None else real <= limit))
    if "cli-convert" in conversions:
        ms = conversions["cli-convert"]
        rows.append(("vesto-cli convert, 73620 readings to CSV, start to exit", f"{ms:.1f} ms", "",
                     "<= 150 ms", ms <= 150))
        if "python-csv" in conversions:
            py = conversions["python-csv"]
            rows.append(("  a Python csv script, the same conversion", f"{py:.1f} ms", "",
                         "at least 3x the tool's", py >= 3 * ms))
    else:
        rows.append(("vesto-cli convert, 73620 readings to CSV, start to exit", "not run", "",
                     "<= 150 ms", False))
    if startup:
        rows.append(("Start-up to the first shown window", f"{startup[0]:.1f} ms", "",
                     f"median of {startup[1]} launches", None))
    else:
        rows.append(("Start-up to the first shown window", "not run", "", "", None))
    memory = find(runs, "BM_PeakMemoryFullRecord")
    if memory and "peak_MB" in memory["counters"]:
        peak = memory["counters"]["peak_MB"]
        rows.append(("Peak memory, full record loaded and drawn", f"{peak:.1f} MB", "",
                     "< 80 MB", peak < 80))
    else:
        rows.append(("Peak memory, full record loaded and drawn", "not run", "", "< 80 MB", False))

    def mark(met):
        return "" if met is None else ("met" if met else "MISSED")

    ratio_lines = [f"read+draw vs gnuplot: {r:.1f}x faster ({size}, target at least 5x)"
                   for size, r in ratios]
    headers = ("Figure", "Median", "CPU", "Target", "")
    table = [headers] + [(w, f, c, t, mark(m)) for w, f, c, t, m in rows]
    widths = [max(len(r[i]) for r in table) for i in range(len(headers))]
    for r in table:
        print("  ".join(r[i].ljust(widths[i]) if i == 0 else r[i].rjust(widths[i]) if i < 3
                        else r[i].ljust(widths[i]) for i in range(len(r))).rstrip())
    print()
    for line in ratio_lines:
        print(line)
    missed = [w for w, _, _, _, m in rows if m is False] + \
             [f"read+draw vs gnuplot {s}" for s, r in ratios if r < 5]
    print("every target met" if not missed else "targets missed: " + "; ".join(missed))

    if doc:
        machine = read_lines(folder / "machine.txt")
        md = ["# Performance", "",
              "Every figure below comes from one run of `./bench.sh` on the machine described "
              "under it. Times are medians of repeated runs in a Release build; *Median* is wall "
              "time, which the targets are judged on, and *CPU* the processor time of the same "
              "runs (the two part when other work shares the machine). Regenerate this page "
              "with `./bench.sh --write-doc`.", "",
              "| Figure | Median | CPU | Target | |", "|---|---:|---:|---|---|"]
        md += [f"| {w.strip()} | {f} | {c} | {t} | {mark(m)} |" for w, f, c, t, m in rows]
        md += [""] + [f"**{line}**" + "  " for line in ratio_lines] + [""]
        md += ["## The machine", "", "```"] + [l for l in machine if l] + ["```", ""]
        md += [line.rstrip() for line in NOTES.strip("\n").split("\n")] + [""]
        doc.write_text("\n".join(md))
        print(f"written to {doc}")
    return 0


NOTES = """
## What each figure measures

- **Decoding three banks**: `DecodeRecordBlocks` on three full banks of 409 blocks as the logger
  sends them (`bench/bench_decode.cpp`).
- **End of transfer**: `FinishTransfer` from the last byte of the last bank of a wrapped, full
  memory made by the virtual logger: decoding, placing every reading in time order, the status
  labels and `DrawGraph` on the shown main window (`bench/bench_transfer.cpp`).
- **DrawGraph**: the whole renderer on the shown main window's picture at the design size
  (577 x 281 pixels) and at 1600 x 900, for a mains voltage in blocks of 60 readings with pauses
  between them (`bench/bench_graph.cpp`, record from `bench/MainsRecord.h`). The full record
  is also drawn on a canvas of its own at device pixel ratio 1 and 2 (a high-density screen, four
  times the pixels for the same picture): ratio 2 may take at most four times as long.
- **Writing** is `WriteRecordFile`: the text, a temporary file flushed to the disk and renamed
  over the old one. **Reading** is the file's bytes and the parse of its header and 73620 data
  lines (`bench/bench_files.cpp`).
- **Archiving** is what follows the graph of every completed download: the record's text, a new
  file in the archive folder flushed to the disk and renamed into place, the archive's size rule
  (a scan of the folder and the deletion of the oldest file beyond it) and the Recent list in the
  program's own settings file (`bench/bench_files.cpp`).
- **Read+draw** opens a 73620-point file as the Open command does once a name is chosen: the
  file read and checked whole, the record in memory replaced, the graph drawn. **gnuplot** draws
  the very same file (`skip 15 using 1:2 with lines`, pngcairo, same size) in the same run; its
  figure includes its own start-up, shown beside it (`scripts/bench-gnuplot.sh`).
- **Events** is `FindEvents` over a full record as the Events window runs it: the mains record's
  1227 runs of readings, and a record whose 73620 readings are each an event of their own.
  **Judging** gives those 73620 events their per cents of nominal, ITIC regions and SEMI F47
  verdicts, and the **chart** draws them (73620 marks) with the curves and legend on a 740 x 500
  picture, as the Tolerance Curves window does. **Export
  CSV** is the text of 73620 readings (ISO 8601 times, values with a period) written to a temporary
  file, flushed to the disk and renamed over the old one (`bench/bench_events.cpp`).
- **Listing** and **graph page**: the Print Data and Print Graph commands on a full record, the
  print dialog answered with a PDF file; the **site report** of the same record (summary, graph,
  tolerance-curve chart and the 1227 events), written as a PDF file (`bench/bench_print.cpp`).
- **Downloads** of a full memory from the virtual logger at its fast speed: through the window
  from the Download command to its graph and archive, and through `vesto-cli download` from its
  start to its exit, start-up and first status exchange included (`bench/bench_cli.cpp`).
  **Convert**: `vesto-cli convert` of the 73620-point record file to CSV, start to exit, beside a
  short Python script that writes the same columns with its `csv` module, each the median of 11
  runs (`scripts/bench-cli.sh`).
- **Adapter** and **Search**: the serial port on the virtual logger behind a by-id style link,
  which the logger's console removes and brings back with a new pseudo-terminal ("unplug",
  "plug"): the time from "plug" to the port open on the new device (the program asks for the
  status at that moment), and the whole process's processor time over 5 s with the device away.
  Search asks a silent line, one another program holds, one sending noise, then the logger
  (`bench/bench_adapter.cpp`).
- **Start-up**: the real `vesto-logger` launched in a scratch folder with the shipped language
  and settings files and COM1 on the virtual logger, under a virtual X server when there is no
  display; the program itself reports the time from its launch to the end of the main window's
  first painting and quits when `VESTO_STARTUP_PROBE` holds the launch time
  (`src/desktop/app/StartupProbe.h`, `scripts/bench-startup.sh`).
- **Peak memory**: a process that builds and loads the main window as the program does, saves a
  full record, opens it again, draws and paints it, then reads its peak resident set (VmHWM)
  (`bench/bench_memory.cpp`).
"""

if __name__ == "__main__":
    sys.exit(main())
