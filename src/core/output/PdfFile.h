#pragma once
// A document drawn as a PDF file's bytes, with lines and text rather than pictures: the graph
// page of Save Graph As, the tolerance chart's page and the site report.

#include <QByteArray>
#include <QPageSize>
#include <QString>
#include <functional>

class PageCanvas;
class QLocale;

// The paper of a PDF file: Letter where the locale measures in US units, A4 everywhere else.
QPageSize LocalePaper(const QLocale& locale);

// What `draw` puts on the pages (the paper given, 10 mm margins, 1200 dots an inch), as the
// file's bytes; empty when the document could not be made.
QByteArray PdfBytes(const QString& docName, const QPageSize& paper,
                    const std::function<void(PageCanvas&, int dotsPerInch)>& draw);
