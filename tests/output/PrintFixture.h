#pragma once
// A main window with a record of readings, its menus enabled as after a download, and the
// printed PDF read back with poppler's tools.

#include "support/Fixtures.h"
#include "ui/Pointer.h"

#include <QAction>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <functional>

#define NEED_POPPLER()                                                                             \
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||                                   \
        QStandardPaths::findExecutable("pdftoppm").isEmpty())                                      \
    QSKIP("poppler-utils (pdftotext, pdftoppm) not installed")

const double kStart = 45000 + 3.0 / 86400; // 03/15/23 12:00:03 am, between two time labels

struct Word {
    QString text;
    double x, y; // top-left, in points from the page's top-left corner
};

struct Printing {
    ScopedWorkDir dir;
    MainWindowFixture fx;
    AppState& st = *fx.st;
    Log1& w = *fx.w;
    const QString pdf = dir.file("out.pdf");

    // Readings 0.1 s apart: the record's values by value(i), the display arrays the same.
    explicit Printing(int n, const std::function<double(int)>& value) {
        fx.load();
        for (int i = 1; i <= n; ++i) {
            st.RecordTime.point(i) = st.DisplayTime.point(i) = kStart + (i - 1) / 864000.0;
            st.RecordValue.point(i) = float(value(i));
            st.DisplayValue.point(i) = value(i);
        }
        st.RecordCount = st.DisplayCount = n;
        st.GraphTitle = "Feeder 3";
        st.LoggerNumber = 1234;
        st.HighLimitValue = 6;
        st.LowLimitValue = 4;
        for (QAction* item : {w.mnuPGraph, w.mnuPData, w.mnuGClip}) item->setEnabled(true);
        w.ProgressBar1->setValue(100);
    }
    ~Printing() { ui::SetPointer(ui::Pointer::Default); }

    // The displayed window cut to readings first..last, as the zoom leaves it; the displayed
    // values are moved by offset, so that they can be told from the record's.
    void zoom(int first, int last, double min, double max, double offset = 0) {
        for (int i = first; i <= last; ++i) {
            st.DisplayTime.point(i - first + 1) = st.RecordTime.point(i);
            st.DisplayValue.point(i - first + 1) = offset + st.RecordValue.point(i);
        }
        st.DisplayCount = last - first + 1;
        st.Zoomed = 1, st.AxisMin = min, st.AxisMax = max;
    }

    // The print dialog's answer: an A4 PDF file without margins (the page is the printable
    // area), or a file that cannot be written.
    std::function<bool(QPrinter&)> toPdf(bool landscape = false, bool writable = true) {
        return [this, landscape, writable](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(writable ? pdf : dir.file("missing/out.pdf"));
            p.setPageSize(QPageSize(QPageSize::A4));
            p.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
            return true;
        };
    }

    QString tool(const QString& name, const QStringList& args) const {
        QProcess p;
        p.start(name, args);
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // The pages' text as laid out, one string per page.
    QStringList pages() const {
        QStringList pages = tool("pdftotext", {"-layout", pdf, "-"}).split('\f');
        pages.removeLast();
        return pages;
    }
    QList<Word> words() const {
        static const QRegularExpression re(
            "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>");
        QList<Word> list;
        for (const auto& m : re.globalMatch(tool("pdftotext", {"-bbox", pdf, "-"})))
            list << Word{m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()};
        return list;
    }
    QImage raster() const { // one pixel per point
        tool("pdftoppm", {"-r", "72", "-png", "-singlefile", pdf, dir.file("page")});
        return QImage(dir.file("page.png"));
    }
};
