#pragma once
// Start-up time as a person sees it, for the performance report (bench.sh): with
// VESTO_STARTUP_PROBE set to the wall-clock time of the launch in nanoseconds since 1970 (as
// `date +%s%N` prints it), the program prints "first window: <ms> ms" once its main window has
// been painted for the first time, then "readings: <n>" (the readings of the record in memory,
// 0 without one), and quits. Without the variable nothing happens.

class QWidget;

void ArmStartupProbe(QWidget& window);
