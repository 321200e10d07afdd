#pragma once
// The record the benchmarks draw, print, write and read: a mains voltage as the logger keeps it,
// in blocks of 60 readings 0.1 s apart with a pause of 4 s after each block (so the curve breaks
// there), in the 0.25 V steps of the 250 V range, swinging slowly around 230 V with some noise.

#include "shell/AppState.h"

#include <cmath>
#include <random>

inline void FillMainsRecord(AppState& st, int n) {
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0.0, 1.5);
    double time = 45000.0 + 9.5 / 24;
    for (int i = 1; i <= n; ++i) {
        if (i > 1) time += (i - 1) % 60 == 0 ? 4.0 / 86400 : 0.1 / 86400;
        const double volts = std::round((230 + 12 * std::sin(i / 900.0) + noise(rng)) * 4) / 4;
        st.RecordTime.point(i) = st.DisplayTime.point(i) = time;
        st.RecordValue.point(i) = static_cast<float>(volts);
        st.DisplayValue.point(i) = volts;
    }
    st.RecordCount = st.DisplayCount = n;
    st.Zoomed = 0;
    st.HighLimitValue = 250;
    st.LowLimitValue = 210;
    st.LoggerNumber = 1234;
    st.ProbeScale = 1;
    st.UnitName = QStringLiteral("Volt");
    st.GraphTitle = QStringLiteral("Feeder 3, phase L1");
    st.DescriptionLine2 = QStringLiteral("Substation north, transformer 2");
}
