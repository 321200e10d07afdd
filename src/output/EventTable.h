#pragma once
// The events list as the Events window, its printout and the site report show it: the column
// captions and cell words in the language in use, the summary's values, and the columns of a
// printed list fitted to the paper.

#include "output/Events.h"

#include <QStringList>
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
// font is made smaller until they do.
std::vector<double> FitColumns(Canvas& c, const QStringList& captions,
                               const std::vector<QStringList>& rows, double width);
