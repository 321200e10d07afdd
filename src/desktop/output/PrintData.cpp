#include "output/PrintData.h"

#include "graph/canvas/PrinterCanvas.h"
#include "output/PrintOpt.h"
#include "output/PrintState.h"
#include "shell/Log1.h"
#include "ui/Format.h"
#include "ui/Prompts.h"

#include <QPrinter>
#include <algorithm>

namespace {

// A count the record arrays can hold: a damaged state must not reach past the record.
int PointsIn(const Number& count) {
    if (!(count > 0)) return 0;
    return count >= kMaxReadings ? kMaxReadings : static_cast<int>(count);
}

} // namespace

int ListingPageCount(int count) {
    return count > 0 ? (count + kListingPerPage - 1) / kListingPerPage : 0;
}

QStringList ListingPage(const ListingInput& in, int page) {
    const int first = kListingPerPage * (page - 1) + 1;
    if (page < 1 || first > in.count) return {};
    const int last = std::min(first + kListingRows - 1, in.count);

    QStringList lines;
    lines.reserve(kListingRows + 2);
    lines << QString(11, u' ') + in.title + QString(187, u' ') + QStringLiteral("page ") +
                 ui::Str(page);
    lines << QString();
    const QString valuePattern = QStringLiteral("##0.00");
    for (int i = first; i <= last; ++i) {
        QString row(33, u' ');
        for (int c = 0; c < kListingColumns; ++c) {
            const int k = i + c * kListingRows;
            if (k > in.count) break;
            if (c > 0) row += QString(5, u' ');
            const ListingPoint p = in.point(k);
            row += ui::Format(p.time, in.dateTimeFormat) + QStringLiteral("  ") +
                   ui::Format(p.value, valuePattern) + u' ' + in.unitName;
        }
        lines << row;
    }
    return lines;
}

ListingInput ListingOf(const Log1& w) {
    const AppState& st = w.st;
    ListingInput in;
    in.title = st.GraphTitle;
    in.unitName = st.UnitName;
    in.dateTimeFormat = st.DateTimeFormatLong;
    if (st.PrintScope == 1) {
        in.count = PointsIn(st.DisplayCount);
        in.point = [&st](int i) {
            return ListingPoint{st.DisplayTime.point(i), st.DisplayValue.point(i)};
        };
    } else {
        in.count = PointsIn(st.RecordCount);
        in.point = [&st](int i) {
            return ListingPoint{st.RecordTime.point(i), double(st.RecordValue.point(i))};
        };
    }
    return in;
}

bool PrintListing(const ListingInput& in, PrinterCanvas& canvas) {
    canvas.setFontName(QStringLiteral("arial"));
    canvas.setFontSize(6);
    canvas.setFontBold(false);
    const int pages = ListingPageCount(in.count);
    for (int p = 1; p <= pages; ++p) {
        canvas.setCurrentX(0);
        canvas.setCurrentY(0);
        for (const QString& line : ListingPage(in, p)) canvas.Print(line);
        if (p == pages) return canvas.EndDoc();
        if (!canvas.NewPage()) return false;
    }
    return true;
}

void mnuPData_Click(Log1& w) {
    AppState& st = w.st;
    st.PrintCancelled = 0;
    st.PrintScope = 0;
    if (!w.RecordLoaded()) {
        ui::MsgBox(QStringLiteral("No Data to Print.  Open or Download First"), ui::Buttons::Ok,
                   ui::Icon::Information, st.Text(54));
        return;
    }
    if (st.Zoomed != 0) {
        ui::RunModal(FormOf<PrintOpt>(w));
        if (st.PrintCancelled == 1) return;
    }

    PrintDocument(w, st.Text(79),
                  [&w](QPrinter&, PrinterCanvas& canvas) { PrintListing(ListingOf(w), canvas); });
}
