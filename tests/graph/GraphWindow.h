#pragma once
// The graph tests' main window: loaded, with a record drawn on Picture1.

#include "graph/DrawGraph.h"
#include "graph/canvas/PictureBox.h"
#include "support/Fixtures.h"
#include "ui/Pointer.h"

#include <QProgressBar>

// 3 s past a whole day: a record starting here does not start on a time label.
inline constexpr double kStart = 45000 + 3.0 / 86400;

struct GraphWindow {
    ScopedWorkDir dir;
    MainWindowFixture fx;
    AppState& st = *fx.st;
    Log1& w = *fx.w;
    GraphWindow() { fx.load(); }
    ~GraphWindow() { ui::SetPointer(ui::Pointer::Default); }

    // A record of the values at the given tenths of a second after kStart (0, 1, 2, ... when
    // none are given), displayed whole and drawn; its picture.
    QImage draw(const QList<double>& values, double high = 0, double low = 0,
                const QList<double>& at = {}) {
        for (int i = 1; i <= values.size(); ++i) {
            st.RecordTime.point(i) = st.DisplayTime.point(i) =
                kStart + (at.isEmpty() ? i - 1 : at[i - 1]) / 864000.0;
            st.RecordValue.point(i) = float(st.DisplayValue.point(i) = values[i - 1]);
        }
        st.RecordCount = st.DisplayCount = values.size();
        st.HighLimitValue = high, st.LowLimitValue = low;
        w.ProgressBar1->setValue(100);
        DrawGraph(w);
        return w.Picture1->Image();
    }
};
