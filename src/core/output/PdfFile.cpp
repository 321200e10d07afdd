#include "output/PdfFile.h"

#include "graph/canvas/Canvas.h"

#include <QBuffer>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPdfWriter>

QPageSize LocalePaper(const QLocale& locale) {
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

QByteArray PdfBytes(const QString& docName, const QPageSize& paper,
                    const std::function<void(PageCanvas&, int dotsPerInch)>& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    bool ended = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setTitle(docName);
        writer.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                         QPageLayout::Millimeter));
        PageCanvas canvas(writer);
        draw(canvas, writer.resolution());
        ended = canvas.EndDoc();
    }
    return ended ? bytes : QByteArray();
}
