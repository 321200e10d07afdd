#pragma once
// "Events": the exceptions of the whole record in memory as a summary and a sortable list, in a
// window that stays open beside the graph. Double-click or Enter on a row zooms the graph to
// that event as a drag over it would; Ctrl+C copies the selected rows as tab-separated text with
// a header row; Export writes the list as CSV; Print prints it. The list follows the record, the
// language, the date format and the nominal voltage in use; the nominal is chosen here.

#include "output/Events.h"

#include <QDialog>

class Log1;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class EventsModel;
class PrinterCanvas;

class frmEvents : public QDialog {
    Q_OBJECT
public:
    explicit frmEvents(Log1& owner);
    ~frmEvents() override;

    // Summary: captions Label1..Label5 (events, time recorded, longest, lowest, highest) and
    // their values Label6..Label10.
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    QLabel *Label6, *Label7, *Label8, *Label9, *Label10;
    // Beside them: captions Label11..Label13 (nominal voltage, time above 110 % and below 90 %
    // of it), the nominal's choice Combo1 and the times Label14, Label15.
    QLabel *Label11, *Label12, *Label13, *Label14, *Label15;
    QComboBox* Combo1;
    QTableView* Grid1;
    QPushButton* Command1; // Export
    QPushButton* Command2; // Print
    QPushButton* Command3; // Close
    QPushButton* Command4; // Tolerance Curves

    // The events found again in the record in memory.
    void Recompute();
    // Every text of the list and the summary in the language and date format in use.
    void UpdateTexts();

    const std::vector<RecordEvent>& events() const { return events_; }
    // The event shown in a row of the list, in the list's present order.
    const RecordEvent& eventAt(int row) const;

    // Zooms the graph to the event of the row, with a tenth of its duration on each side.
    void ZoomToRow(int row);
    // Makes the event with this number the selected and current row, scrolled into view.
    void SelectEvent(int number);
    // The nominal voltage as typed or chosen in Combo1: taken, kept for the logger and every
    // window told; anything else is refused with a message and the nominal stays.
    void TakeNominal(const QString& text);
    // The selected rows, in the list's order, as tab-separated text under a header row.
    QString SelectionText() const;

    void Export();
    void Print();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EventTexts Texts() const;
    // The summary's value texts, Label6..Label10.
    QStringList SummaryValues() const;
    // The nominal's choice and the times off nominal for the record in memory.
    void ShowNominal();
    bool PrintPages(PrinterCanvas& canvas);

    Log1& owner_;
    std::vector<RecordEvent> events_;
    EventsModel* model_;
};

// The File menu command: the window, shown beside the graph and brought to the front.
void mnuEvents_Click(Log1& w);

// The events of the record in memory, judged at its nominal voltage.
std::vector<RecordEvent> RecordEventsOf(const Log1& w);

// A zoom to an event as a drag over its span would make it, with the whole record first
// displayed again when the graph is zoomed elsewhere. An event of fewer than three readings
// is too short for a zoom and is only reported.
void ZoomToEvent(Log1& w, const RecordEvent& e);
