#include "PrintFixture.h"
#include "graph/DrawGraph.h"
#include "graph/canvas/PictureBox.h"
#include "output/PrintOpt.h"
#include "support/PromptScript.h"
#include "support/TestRegistry.h"
#include "ui/Colors.h"
#include "ui/Format.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace {

// 4.6 and 4.9 in turn; from reading 101 on 0.3 higher.
double Reading(int i) {
    return (i % 2 ? 4.9 : 4.6) + (i > 100 ? 0.3 : 0);
}

const Word* Find(const QList<Word>& words, const QString& text, double x) {
    for (const Word& w : words)
        if (w.text == text && qAbs(w.x - x) < 3) return &w;
    return nullptr;
}

} // namespace

class PrintGraphTest : public QObject {
    Q_OBJECT
    QStringList shown; // Label15's caption and colour whenever it is shown

    bool eventFilter(QObject* o, QEvent* e) override {
        if (auto* l = qobject_cast<QLabel*>(o); l && e->type() == QEvent::Show)
            shown << l->text() + ' ' + ui::BackColor(l).name();
        return false;
    }

private slots:
    void page_data() {
        QTest::addColumn<bool>("zoomed");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("stats"); // "Max: Min: Avg: Points:" as printed
        QTest::newRow("portrait, description")
            << false << false << int(ui::Yes) << "###0.00;-##0.00"
            << "5.20 4.60 4.95 300";
        QTest::newRow("landscape, without") << false << true << int(ui::No) << "###0.00;-##0.00"
                                            << "5.20 4.60 4.95 300";
        QTest::newRow("zoomed window") << true << false << int(ui::Yes) << "##0.000;-#0.000"
                                       << "5.200 4.900 5.050 100";
    }
    void page() {
        NEED_POPPLER();
        QFETCH(bool, zoomed);
        QFETCH(bool, landscape);
        QFETCH(int, answer);
        QFETCH(QString, readout);
        QFETCH(QString, stats);
        Printing p(300, Reading);
        p.st.DescriptionLine2 = "second line";
        p.st.DescriptionLine7 = "seventh line";
        if (zoomed) p.zoom(101, 200, 4.95, 5.15); // every segment crosses the plot
        DrawGraph(p.w);
        QCOMPARE(p.st.ValueReadoutFormat, readout);
        shown.clear();
        p.w.Label15->installEventFilter(this);
        PromptScript script;
        script.message(p.st.Text(82), ui::Answer(answer)).print(p.toPdf(landscape));
        p.w.mnuPGraph->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        const auto& seen = script.seen();
        QVERIFY(seen[0].title == p.st.Text(150) && seen[0].icon == ui::Icon::Question &&
                seen[0].buttons == ui::Buttons::YesNoCancel && seen[1].title == p.st.Text(83));
        QCOMPARE(p.st.PrintGraphAnswer.value(), double(answer));
        QCOMPARE(shown, QStringList{p.st.Text(84) + " #00c0c0"});
        QVERIFY(p.w.Label15->isHidden() && !p.w.mnuScale->isVisible());
        QCOMPARE(ui::CurrentPointer(), ui::Pointer::Default);
        for (QAction* menu : p.w.busyMenus()) QVERIFY(menu->isEnabled() || !menu->isVisible());

        const QStringList pages = p.pages();
        QCOMPARE(pages.size(), 1);
        const QString text = pages[0].simplified();
        const QStringList v = stats.split(' ');
        for (const QString& cell : QStringList{
                 "Max: " + v[0], "Min: " + v[1], "Avg: " + v[2], "Points: " + v[3],
                 "Logger No: 1234", "Feeder 3",
                 "Start: " + ui::Format(p.st.DisplayTime.point(1), p.st.DateTimeFormatShort)})
            QVERIFY2(text.contains(cell), qPrintable(cell));
        QVERIFY(text.contains("second line") == (answer != ui::No));
        QVERIFY(text.contains("seventh line") == (answer != ui::No));
        const double days = p.st.TimeLabelDays;
        for (double t = p.st.FirstTimeLabel; t < p.st.LastTimeLabel + days / 2; t += days)
            QVERIFY(text.contains(ui::Format(t, p.st.TimeLabelFormat)));

        // Positions in points: the page is the printable area, the plot 0.42 x W high.
        const double pw = landscape ? 841.89 : 595.28, ph = landscape ? 595.28 : 841.89;
        const double left = 0.2 * pw, top = 0.1 * ph, height = 0.42 * pw, bottom = top + height;
        const QList<Word> words = p.words();
        for (int j : {0, p.st.ValueDivisions}) {
            const QString label =
                ui::Format(p.st.AxisBottom + j * p.st.ValueStep, p.st.ValueLabelFormat);
            const Word* w = Find(words, label, 0.72 * left);
            QVERIFY2(w, qPrintable(label));
            QVERIFY(qAbs(w->y - (bottom - j * height / p.st.ValueDivisions - 0.02 * height)) < 3);
        }
        const Word* max = Find(words, "Max:", left + 0.35 * pw);
        QVERIFY(max && qAbs(max->y - (bottom + 0.065 * ph)) < 3);

        // The curve in red inside the plot only; the unzoomed graph's limit 6 as a black line.
        const QImage im = p.raster();
        int inside = 0, outside = 0, limit = 0;
        const int y6 = int(bottom - (6 - 3.5) / 3.5 * height);
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x) {
                const QColor c = im.pixelColor(x, y);
                const bool red = c.red() > 90 && c.green() < 60 && c.blue() < 60;
                (y > top - 2 && y < bottom + 2 ? inside : outside) += red;
                limit += y == y6 && x > left + 3 && x < left + 0.7 * pw - 3 && c.red() < 60 &&
                         c.green() < 60 && c.blue() < 60;
            }
        QVERIFY(inside > 100);
        QCOMPARE(outside, 0);
        QVERIFY(zoomed ? limit == 0 : limit > 0.95 * (0.7 * pw - 6));
    }

    // Every way out before a page is finished leaves the window as it was before printing.
    void recovery_data() {
        QTest::addColumn<bool>("graph");
        QTest::addColumn<int>("step"); // 0 question or options cancelled, 1 dialog, 2 printer
        for (bool graph : {true, false})
            for (int step : {0, 1, 2})
                QTest::addRow("%s %d", graph ? "graph" : "data", step) << graph << step;
    }
    void recovery() {
        QFETCH(bool, graph);
        QFETCH(int, step);
        Printing p(300, Reading);
        if (!graph && step == 0) p.zoom(1, 100, 4, 5);
        DrawGraph(p.w);
        const bool scaleShown = p.w.mnuScale->isVisible();
        PromptScript script;
        if (graph) script.message("", step == 0 ? ui::Cancel : ui::Yes);
        if (!graph && step == 0)
            script.modal("PrintOpt",
                         [](QDialog& d) { static_cast<PrintOpt&>(d).Command3->click(); });
        bool busy = false;
        if (step > 0)
            script.print([&](QPrinter& printer) {
                busy = ui::IsHourglass() && !p.w.mnuFile->isEnabled() && !p.w.mnuScale->isVisible();
                return step == 2 && p.toPdf(false, false)(printer);
            });
        if (step == 2) QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        (graph ? p.w.mnuPGraph : p.w.mnuPData)->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        QCOMPARE(busy, step > 0);
        QVERIFY(!QFile::exists(p.pdf) && !QFile::exists(p.dir.file("missing/out.pdf")));
        QVERIFY(p.w.Label15->isHidden() && ui::CurrentPointer() == ui::Pointer::Default);
        for (QAction* menu : p.w.busyMenus()) QVERIFY(menu->isEnabled() || !menu->isVisible());
        QCOMPARE(p.w.mnuScale->isVisible(), step == 0 && scaleShown);
        QCOMPARE(p.st.PrintCancelled.value(), !graph && step == 0 ? 1.0 : 0.0);
    }

    void noRecord_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("message");
        QTest::newRow("graph") << "mnuPGraph"
                               << "No Graph to Print.  Download First";
        QTest::newRow("data") << "mnuPData"
                              << "No Data to Print.  Open or Download First";
        QTest::newRow("clipboard") << "mnuGClip"
                                   << "No Graph to Copy.  Download First";
    }
    void noRecord() {
        QFETCH(QString, item);
        QFETCH(QString, message);
        Printing p(300, Reading);
        p.w.ProgressBar1->setValue(99);
        QGuiApplication::clipboard()->setText("before");
        PromptScript script;
        script.message(message, ui::Ok);
        p.w.findChild<QAction*>(item)->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        const auto& seen = script.seen().first();
        QVERIFY(seen.text == message && seen.title == p.st.Text(54) &&
                seen.icon == ui::Icon::Information && seen.buttons == ui::Buttons::Ok);
        QCOMPARE(QGuiApplication::clipboard()->text(), "before");
    }

    void clipboard() {
        Printing p(300, Reading);
        p.w.Picture1->resize(640, 300);
        DrawGraph(p.w);
        PromptScript script;
        p.w.mnuGClip->trigger();
        QVERIFY2(script.finished(), qPrintable(script.report()));
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(640, 300));
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), p.w.Picture1->Image());
    }
};

VESTO_TEST(PrintGraphTest)
#include "tst_printgraph.moc"
