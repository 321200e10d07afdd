#pragma once
// The events list as the Events window, its printout, the tolerance chart and the site report
// show it: the events of the record judged at its nominal voltage, the column captions and cell
// words in the language in use, the summary's values, the columns of a printed list fitted to
// the paper, and the chart's marks and words.

#include "graph/ToleranceChart.h"
#include "output/Events.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class Canvas;
struct AppState;

// A caption of the earlier commands without its colon ("Max:", "Début : ").
QString WithoutColon(const QString& caption);

// A column's caption; the value columns carry the record's unit ("Min (V)").
QString EventColumnCaption(const AppState& st, int column);
// Every text of the cells and captions, with the date pattern in use.
EventTexts EventTextsOf(const AppState& st);

// The summary's values: the number of events, the time recorded, the longest event, the lowest
// and the highest reading with their times and events (the last three empty without events).
QStringList EventSummaryValues(const AppState& st, const std::vector<RecordEvent>& events);

// Left edges of the columns of a printed list `width` wide, each column as wide as its widest
// text among the captions and the rows, with a gap after it; when they do not fit, the canvas's
// font is made smaller until they do. Rows 0..rows-1 have the cells `cells` gives; every row's
// texts have the widths of a few hundred of them spread over the list, so those are measured.
std::vector<double> FitColumns(Canvas& c, const QStringList& captions, int rows,
                               const std::function<QStringList(int)>& cells, double width);

// The events of the record's first `readings` readings, judged at its nominal voltage.
std::vector<RecordEvent> RecordEventsOf(const AppState& st, int readings);

// The marks of the judged events: a sag at its lowest reading, a swell at its highest, an event
// that is both as two; an event that is neither (every reading on the nominal) at its lowest.
std::vector<ChartMark> ChartMarks(const std::vector<RecordEvent>& events);

// The chart's axis titles and legend in the language in use; for a record without a nominal
// voltage (its nominal is given), why there is no chart.
ChartTexts ChartTextsOf(const AppState& st, std::optional<double> nominal);
