#pragma once
// "Tolerance Curves": the events of the record in memory on the magnitude-duration chart, in a
// window beside the graph. Pointing at a mark names its event; a click selects the event in the
// Events window, a double-click zooms the graph to it as the list does. The chart prints, and
// saves as a PNG picture at twice its size on screen or as a PDF page drawn as lines and text.
// It follows the record, the language, the date format and the nominal voltage in use.

#include "graph/ToleranceChart.h"
#include "graph/canvas/PictureBox.h"
#include "output/Events.h"

#include <QDialog>
#include <QWidget>
#include <optional>

class ImageCanvas;
class Log1;
class PageCanvas;
struct AppState;
class QPushButton;

// The chart on screen: the graph's kind of picture box (sharp at the screen's pixel ratio), drawn
// again when its size or its screen's ratio changes, and the pointer's position in its units.
class CurvesBox : public PictureBox {
    Q_OBJECT
public:
    explicit CurvesBox(QWidget* parent);

signals:
    void resized();
    void doubleClicked(QPointF at);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class frmCurves : public QDialog {
    Q_OBJECT
public:
    explicit frmCurves(Log1& owner);

    CurvesBox* Picture1;
    QPushButton* Command1; // Save As
    QPushButton* Command2; // Print
    QPushButton* Command3; // Close

    // The events found again in the record in memory and the chart drawn anew.
    void Recompute();
    // The chart drawn again on screen, in the language and at the size in use.
    void Redraw();

    const std::vector<RecordEvent>& events() const { return events_; }
    const std::vector<ChartMark>& marks() const { return marks_; }
    // Where the marks lie in Picture1, as last drawn.
    const ChartMap& map() const { return map_; }
    // The mark under a position of Picture1; -1 when there is none.
    int MarkUnder(QPointF at) const;
    // What the pointer shows at a mark: its event's number, start and duration, and the
    // mark's magnitude.
    QString MarkText(int mark) const;

    // The chart as PNG bytes, twice the size of Picture1; as the bytes of a PDF page with the
    // title and the record's description above it (empty when it could not be made).
    QByteArray ChartPng();
    QByteArray ChartPdf();
    void Save();
    void Print();

protected:
    void showEvent(QShowEvent* event) override;

private:
    ChartTexts Texts() const;
    // The chart on a screen canvas (Picture1's, or a finer image of it) in the given words.
    ChartMap DrawOnScreen(ImageCanvas& canvas, const ChartTexts& texts);
    // The printed page: title, description lines, then the chart in the rest of the page.
    void DrawPage(PageCanvas& canvas, int dotsPerInch);

    Log1& owner_;
    std::vector<RecordEvent> events_;
    std::vector<ChartMark> marks_;
    quality::RegionCounts counts_;
    // The nominal the events were judged at.
    std::optional<double> nominal_;
    ChartMap map_;
};

// The File menu command and the Events window's button: the chart, beside the graph and brought
// to the front.
void mnuCurves_Click(Log1& w);
