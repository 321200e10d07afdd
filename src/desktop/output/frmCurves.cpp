#include "output/frmCurves.h"

#include "files/ExportFile.h"
#include "graph/canvas/PrinterCanvas.h"
#include "output/EventTable.h"
#include "output/GraphImage.h"
#include "output/PdfFile.h"
#include "output/PrintState.h"
#include "output/frmEvents.h"
#include "quality/Nominal.h"
#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "ui/Accessible.h"
#include "ui/Format.h"
#include "ui/Prompts.h"

#include <QBuffer>
#include <QDir>
#include <QHBoxLayout>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

// How close the pointer must come to a mark to name it, in screen pixels.
constexpr double kReach = 6;
// The chart's margin on screen and in image files.
constexpr double kMargin = 8;

} // namespace

// ---------------------------------------------------------------------------------------------
// CurvesBox

CurvesBox::CurvesBox(QWidget* parent) : PictureBox(parent) {
    setMinimumSize(420, 320);
    connect(this, &PictureBox::ratioChanged, this, &CurvesBox::resized);
}

void CurvesBox::resizeEvent(QResizeEvent* event) {
    PictureBox::resizeEvent(event);
    emit resized();
}

void CurvesBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked(event->position());
}

// ---------------------------------------------------------------------------------------------
// frmCurves

frmCurves::frmCurves(Log1& owner) : QDialog(&owner), owner_(owner) {
    setObjectName(QStringLiteral("frmCurves"));
    setWindowTitle(QStringLiteral("Tolerance Curves"));
    setModal(false);
    setSizeGripEnabled(true);

    Picture1 = new CurvesBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    ui::SetRole(Picture1, QAccessible::Chart);
    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    Command1 = button("Command1", QStringLiteral("&Save As..."));
    Command2 = button("Command2", QStringLiteral("&Print..."));
    Command3 = button("Command3", QStringLiteral("Close"));
    connect(Command1, &QPushButton::clicked, this, &frmCurves::Save);
    connect(Command2, &QPushButton::clicked, this, &frmCurves::Print);
    connect(Command3, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {Command1, Command2, Command3}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Picture1, 1);
    layout->addLayout(buttons);
    resize(760, 560);

    connect(Picture1, &CurvesBox::resized, this, &frmCurves::Redraw);
    connect(Picture1, &PictureBox::MouseMove, this, [this](int, int, double x, double y) {
        const int mark = MarkUnder({x, y});
        if (mark >= 0)
            QToolTip::showText(Picture1->mapToGlobal(QPointF(x, y)).toPoint(), MarkText(mark),
                               Picture1);
        else
            QToolTip::hideText();
    });
    connect(Picture1, &PictureBox::MouseUp, this, [this](int button, int, double x, double y) {
        const int mark = button == 1 ? MarkUnder({x, y}) : -1;
        if (mark < 0) return;
        const int number =
            events_[static_cast<size_t>(marks_[static_cast<size_t>(mark)].event)].number;
        frmEvents& list = FormOf<frmEvents>(owner_);
        if (!list.isVisible()) {
            mnuEvents_Click(owner_);
            activateWindow(); // the chart stays where the person works
        }
        list.SelectEvent(number);
    });
    connect(Picture1, &CurvesBox::doubleClicked, this, [this](QPointF at) {
        const int mark = MarkUnder(at);
        if (mark >= 0)
            ZoomToEvent(owner_,
                        events_[static_cast<size_t>(marks_[static_cast<size_t>(mark)].event)]);
    });
    for (auto signal : {&Log1::recordReplaced, &Log1::nominalChanged}) {
        connect(&owner, signal, this, [this] {
            if (isVisible()) Recompute();
        });
    }
}

void frmCurves::Recompute() {
    events_ = RecordEventsOf(owner_);
    nominal_ = quality::RecordNominal(owner_.st);
    marks_ = ChartMarks(events_);
    counts_ = CountRegions(events_);
    Redraw();
}

ChartTexts frmCurves::Texts() const {
    return ChartTextsOf(owner_.st, nominal_);
}

ChartMap frmCurves::DrawOnScreen(ImageCanvas& c, const ChartTexts& texts) {
    const AppState& st = owner_.st;
    c.setFontName(st.GraphFontName);
    c.setFontSize(st.GraphFontSize);
    c.setFontBold(false);
    return DrawToleranceChart(
        c, QRectF(kMargin, kMargin, c.ScaleWidth() - 2 * kMargin, c.ScaleHeight() - 2 * kMargin),
        marks_, counts_, texts, 1);
}

void frmCurves::Redraw() {
    const AppState& st = owner_.st;
    const ChartTexts texts = Texts();
    ImageCanvas& c = Picture1->canvas();
    c.Cls();
    map_ = DrawOnScreen(c, texts);
    Picture1->update();
    // A screen reader hears the chart's title and its legend.
    Picture1->setAccessibleName(ui::PlainName(st.Text(str::kCurvesTitle)));
    QStringList told;
    if (!texts.noNominal.isEmpty()) told << texts.noNominal;
    for (size_t k = 0; k < 3 && texts.noNominal.isEmpty(); ++k)
        told << texts.regions[k].arg(counts_.itic[k]);
    if (texts.noNominal.isEmpty())
        told << texts.semi.arg(counts_.semi[1]).arg(counts_.semi[2]).arg(counts_.semi[3]);
    Picture1->setAccessibleDescription(told.join(QStringLiteral(", ")));
}

int frmCurves::MarkUnder(QPointF at) const {
    return MarkAt(map_, marks_, at.x(), at.y(), kReach);
}

QString frmCurves::MarkText(int mark) const {
    const AppState& st = owner_.st;
    const ChartMark& m = marks_[static_cast<size_t>(mark)];
    const RecordEvent& e = events_[static_cast<size_t>(m.event)];
    return st.Text(str::kColumnNumber) + u' ' + ui::PlainText(e.number) + u'\n' +
           st.Text(str::kStart).trimmed() + u' ' +
           ui::Format(e.start, WithTenths(st.DateTimeFormatLong)) + u'\n' +
           st.Text(str::kColumnDuration) + QStringLiteral(": ") + DurationText(e.duration) + u'\n' +
           PercentText(m.tenths) + u' ' + st.Text(str::kPercentOfNominal);
}

void frmCurves::DrawPage(PageCanvas& c, int dotsPerInch) {
    const AppState& st = owner_.st;
    c.setFontName(st.PrintFontName);
    c.setFontSize(st.PrintTitleFontSize);
    c.setFontBold(true);
    c.setCurrentX(0);
    c.setCurrentY(0);
    c.Print(st.GraphTitle.isEmpty() ? st.Text(str::kCurvesTitle) : st.GraphTitle);
    c.setFontSize(st.PrintFontSize);
    c.setFontBold(false);
    for (const QString* line : {&st.DescriptionLine2, &st.DescriptionLine3, &st.DescriptionLine4,
                                &st.DescriptionLine5, &st.DescriptionLine6, &st.DescriptionLine7})
        if (!line->trimmed().isEmpty()) c.Print(*line);
    const double top = c.currentY() + c.TextHeight();
    c.setFontSize(8);
    // The page keeps the chart's shape on screen: no taller than three quarters of its width.
    const double width = c.ScaleWidth();
    const double height = std::min(c.ScaleHeight() - top, 0.75 * width);
    DrawToleranceChart(c, QRectF(0, top, width, height), marks_, counts_, Texts(),
                       dotsPerInch / 96.0);
}

QByteArray frmCurves::ChartPng() {
    ImageCanvas c(Picture1->width(), Picture1->height(), Qt::white, 2);
    DrawOnScreen(c, Texts());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    c.Image().save(&buffer, "PNG");
    return bytes;
}

QByteArray frmCurves::ChartPdf() {
    return PdfBytes(owner_.st.GraphTitle, LocalePaper(QLocale()),
                    [this](PageCanvas& canvas, int dpi) { DrawPage(canvas, dpi); });
}

void frmCurves::Save() {
    const AppState& st = owner_.st;
    SavePictureAs(
        owner_, PlainCaption(st.Text(str::kCurvesTitle)), u' ' + st.Text(str::kCurvesTitle),
        [this] { return ChartPng(); }, [this] { return ChartPdf(); });
}

void frmCurves::Print() {
    const AppState& st = owner_.st;
    PrintDocument(owner_, PlainCaption(st.Text(str::kCurvesTitle)),
                  [this](QPrinter& printer, PrinterCanvas& canvas) {
                      DrawPage(canvas, printer.resolution());
                      canvas.EndDoc();
                  });
}

void frmCurves::showEvent(QShowEvent* event) {
    Recompute();
    QDialog::showEvent(event);
}

void mnuCurves_Click(Log1& w) {
    if (!RecordLoadedOrSay(w)) return;
    frmCurves& curves = FormOf<frmCurves>(w);
    if (!curves.isVisible()) {
        // Under the main window where the screen has room, else over its lower part.
        const QRect main = w.frameGeometry();
        const QRect screen = w.screen() ? w.screen()->availableGeometry() : main;
        const int y = std::max(screen.top(),
                               std::min(main.bottom() + 1, screen.bottom() + 1 - curves.height()));
        curves.move(main.left(), y);
        curves.show();
    }
    curves.raise();
    curves.activateWindow();
}
