#pragma once
// "Save Graph As": the graph as shown (the current zoom) as a PNG picture at twice the size of
// the picture on screen, or as a PDF of the printed graph page (title, statistics and
// description), drawn as lines and text, chosen by the file name's ending.

#include <QByteArray>
#include <QString>
#include <functional>

class Log1;

// Whether a file of that name gets the printed page rather than a picture.
bool IsPdfName(const QString& name);

// The picture of Picture1 drawn again at twice its size, as PNG bytes.
QByteArray GraphPng(Log1& w);
// The printed graph page with its description as PDF bytes; empty when it could not be made.
QByteArray GraphPdf(Log1& w);

// Save As for a picture: the name asked for (the record's title with nameEnding and ".png"
// suggested), then the PNG, or the PDF for a name ending in ".pdf", made and written; the person
// is told when it could not be.
void SavePictureAs(Log1& w, const QString& title, const QString& nameEnding,
                   const std::function<QByteArray()>& png, const std::function<QByteArray()>& pdf);

void mnuSaveGraph_Click(Log1& w);
