#pragma once
// "Print Data": the record in memory, or the window the graph shows, as a dense listing of
// 500 readings a page in five columns of 100 rows, each reading as its date-time, value and
// unit.

#include <QString>
#include <QStringList>
#include <functional>

class Log1;
class PrinterCanvas;

struct ListingPoint {
    double time = 0;
    double value = 0;
};

struct ListingInput {
    int count = 0;                          // N, readings 1..N
    std::function<ListingPoint(int)> point; // reading i, 1-based
    QString title;
    QString unitName;
    QString dateTimeFormat; // the long date-time pattern
};

constexpr int kListingRows = 100;
constexpr int kListingColumns = 5;
constexpr int kListingPerPage = kListingRows * kListingColumns;

// Pages the listing takes: the last is the one holding reading N, so a full last page is not
// followed by an empty one.
int ListingPageCount(int count);

// The lines of page p (from 1): the header line, an empty line, then the rows. Row i holds the
// readings i, i + 100, ..., i + 400 of the page that exist.
QStringList ListingPage(const ListingInput& in, int page);

// The listing in memory, by PrintScope: 0 the entire record, 1 the displayed window.
ListingInput ListingOf(const Log1& w);

// Prints every page on the canvas, ending the document after the last; false when the printer
// failed (the pages already sent stay sent).
bool PrintListing(const ListingInput& in, PrinterCanvas& canvas);

// The menu command: scope question while zoomed, printer dialog, the pages.
void mnuPData_Click(Log1& w);
