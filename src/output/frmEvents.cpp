#include "output/frmEvents.h"

#include "files/ExportFile.h"
#include "graph/Zoom.h"
#include "graph/canvas/Canvas.h"
#include "output/PrintState.h"
#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "shell/WindowPlace.h"
#include "ui/Accessible.h"
#include "ui/Format.h"
#include "ui/Prompts.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

namespace {

// A caption of the earlier commands without its colon ("Max:", "Début : ").
QString WithoutColon(const QString& caption) {
    QString text = caption.trimmed();
    if (text.endsWith(u':')) text.chop(1);
    return text.trimmed();
}

// The window's place in the program's own settings file.
const QString kWindowName = QStringLiteral("events");

bool IsNumberColumn(int column) {
    return column != kColumnStart && column != kColumnEnd && column != kColumnLimits;
}

} // namespace

// The events in the order the list shows them; the texts are made as rows come into view, so a
// record of 73620 single readings lists at once.
class EventsModel : public QAbstractTableModel {
public:
    EventsModel(QObject* parent, const std::vector<RecordEvent>& events)
        : QAbstractTableModel(parent), events_(events) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(order_.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : kEventColumns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole) return EventCell(eventAt(index.row()), index.column(), texts_);
        if (role == Qt::TextAlignmentRole && IsNumberColumn(index.column()))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < kEventColumns)
            return texts_.captions[static_cast<size_t>(section)];
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    void sort(int column, Qt::SortOrder order) override {
        column_ = column;
        ascending_ = order == Qt::AscendingOrder;
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        // The selection and the current row follow their events to the events' new rows.
        const QModelIndexList before = persistentIndexList();
        std::vector<int> eventOf;
        for (const QModelIndex& i : before) eventOf.push_back(order_[static_cast<size_t>(i.row())]);
        arrange();
        std::vector<int> rowOf(order_.size());
        for (size_t r = 0; r < order_.size(); ++r) rowOf[static_cast<size_t>(order_[r])] = int(r);
        QModelIndexList after;
        for (qsizetype k = 0; k < before.size(); ++k)
            after << index(rowOf[static_cast<size_t>(eventOf[static_cast<size_t>(k)])],
                           before[k].column());
        changePersistentIndexList(before, after);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

    const RecordEvent& eventAt(int row) const {
        return events_[static_cast<size_t>(order_[static_cast<size_t>(row)])];
    }
    // The events were found again: the list starts over in the order chosen last.
    void reset() {
        beginResetModel();
        order_.resize(events_.size());
        std::iota(order_.begin(), order_.end(), 0);
        arrange();
        endResetModel();
    }
    void setTexts(const EventTexts& texts) {
        texts_ = texts;
        emit headerDataChanged(Qt::Horizontal, 0, kEventColumns - 1);
        if (!order_.empty())
            emit dataChanged(index(0, 0), index(rowCount({}) - 1, kEventColumns - 1));
    }

private:
    void arrange() {
        // Equal keys keep the events' own order.
        std::stable_sort(order_.begin(), order_.end(), [this](int a, int b) {
            const double ka = EventSortKey(events_[static_cast<size_t>(a)], column_);
            const double kb = EventSortKey(events_[static_cast<size_t>(b)], column_);
            return ascending_ ? ka < kb : kb < ka;
        });
    }

    const std::vector<RecordEvent>& events_;
    EventTexts texts_;
    std::vector<int> order_;
    int column_ = kColumnNumber;
    bool ascending_ = true;
};

frmEvents::frmEvents(Log1& owner) : QDialog(&owner), owner_(owner) {
    setObjectName(QStringLiteral("frmEvents"));
    setWindowTitle(QStringLiteral("Events"));
    setModal(false);
    setSizeGripEnabled(true);

    auto* summary = new QGridLayout;
    QLabel** captions[] = {&Label1, &Label2, &Label3, &Label4, &Label5};
    QLabel** values[] = {&Label6, &Label7, &Label8, &Label9, &Label10};
    for (int i = 0; i < 5; ++i) {
        *captions[i] = new QLabel(this);
        (*captions[i])->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        *values[i] = new QLabel(this);
        (*values[i])->setObjectName(QStringLiteral("Label%1").arg(i + 6));
        (*values[i])->setTextInteractionFlags(Qt::TextSelectableByMouse);
        summary->addWidget(*captions[i], i, 0);
        summary->addWidget(*values[i], i, 1);
    }
    summary->setColumnStretch(1, 1);
    // A screen reader reads each value with its caption: "Events: 12".
    for (int i = 0; i < 5; ++i) ui::NameValue(*values[i], *captions[i]);

    model_ = new EventsModel(this, events_);
    Grid1 = new QTableView(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setModel(model_);
    Grid1->setSortingEnabled(true);
    Grid1->sortByColumn(kColumnNumber, Qt::AscendingOrder);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setAlternatingRowColors(true);
    Grid1->setWordWrap(false);
    Grid1->verticalHeader()->hide();
    // Rows of one height: the view then never measures tens of thousands of them.
    Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    Grid1->installEventFilter(this);
    connect(Grid1, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { ZoomToRow(index.row()); });

    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        // Enter in the list zooms; it must not also press a button.
        b->setAutoDefault(false);
        return b;
    };
    Command1 = button("Command1", QStringLiteral("&Export..."));
    Command2 = button("Command2", QStringLiteral("&Print..."));
    Command3 = button("Command3", QStringLiteral("Close"));
    connect(Command1, &QPushButton::clicked, this, &frmEvents::Export);
    connect(Command2, &QPushButton::clicked, this, &frmEvents::Print);
    connect(Command3, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {Command1, Command2, Command3}) buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(summary);
    layout->addWidget(Grid1, 1);
    layout->addLayout(buttons);
    resize(860, 480);

    connect(&owner, &Log1::recordReplaced, this, [this] {
        if (isVisible()) Recompute();
    });
    connect(&owner, &Log1::datePatternsChanged, this, [this] {
        if (isVisible()) UpdateTexts();
    });
}

void frmEvents::Recompute() {
    const AppState& st = owner_.st;
    const int count = owner_.RecordLoaded() ? static_cast<int>(st.RecordCount) : 0;
    events_ = FindEvents(st.RecordTime, st.RecordValue, count, st.HighLimitValue, st.LowLimitValue);
    model_->reset();
    UpdateTexts();
}

EventTexts frmEvents::Texts() const {
    const AppState& st = owner_.st;
    EventTexts texts{WithTenths(st.DateTimeFormatLong),
                     {st.Text(str::kBetween), st.Text(str::kAboveHigh), st.Text(str::kBelowLow),
                      st.Text(str::kAboveAndBelow)},
                     {}};
    for (int c = 0; c < kEventColumns; ++c)
        texts.captions[static_cast<size_t>(c)] = ColumnCaption(c);
    return texts;
}

QString frmEvents::ColumnCaption(int column) const {
    const AppState& st = owner_.st;
    const auto withUnit = [&st](int s) {
        const QString caption = WithoutColon(st.Text(s));
        return st.UnitName.isEmpty() ? caption : caption + QStringLiteral(" (%1)").arg(st.UnitName);
    };
    switch (column) {
    case kColumnNumber:
        return st.Text(str::kColumnNumber);
    case kColumnStart:
        return WithoutColon(st.Text(str::kStart));
    case kColumnEnd:
        return st.Text(str::kColumnEnd);
    case kColumnDuration:
        return st.Text(str::kColumnDuration);
    case kColumnReadings:
        return st.Text(str::kPoints);
    case kColumnMin:
        return withUnit(str::kMin);
    case kColumnMax:
        return withUnit(str::kMax);
    case kColumnAvg:
        return withUnit(str::kAvg);
    case kColumnLimits:
        return st.Text(str::kColumnLimits);
    default:
        return {};
    }
}

QStringList frmEvents::SummaryValues() const {
    const AppState& st = owner_.st;
    const EventSummary s = SummarizeEvents(events_);
    QStringList values{ui::PlainText(static_cast<double>(events_.size())),
                       DurationText(s.recorded)};
    if (events_.empty()) return values << QString() << QString() << QString();
    const QString dateTime = WithTenths(st.DateTimeFormatLong);
    const QString number = st.Text(str::kColumnNumber) + u' ';
    const RecordEvent& longest = events_[static_cast<size_t>(s.longest)];
    values << number + ui::PlainText(longest.number) + QStringLiteral(", ") +
                  DurationText(longest.duration) + QStringLiteral(", ") +
                  ui::Format(longest.start, dateTime);
    const auto extreme = [&](const RecordEvent& e, double value, double time) {
        return ui::Format(value, QStringLiteral("##0.00")) + u' ' + st.UnitName +
               QStringLiteral(", ") + ui::Format(time, dateTime) + QStringLiteral(", ") + number +
               ui::PlainText(e.number);
    };
    const RecordEvent& lowest = events_[static_cast<size_t>(s.lowest)];
    const RecordEvent& highest = events_[static_cast<size_t>(s.highest)];
    return values << extreme(lowest, lowest.min, lowest.minTime)
                  << extreme(highest, highest.max, highest.maxTime);
}

void frmEvents::UpdateTexts() {
    const AppState& st = owner_.st;
    const int captions[] = {str::kEventCount, str::kTimeRecorded, str::kLongest, str::kLowest,
                            str::kHighest};
    QLabel* captionLabels[] = {Label1, Label2, Label3, Label4, Label5};
    QLabel* valueLabels[] = {Label6, Label7, Label8, Label9, Label10};
    const QStringList values = SummaryValues();
    for (int i = 0; i < 5; ++i) {
        captionLabels[i]->setText(st.Text(captions[i]));
        valueLabels[i]->setText(values[i]);
    }
    model_->setTexts(Texts());
    Grid1->resizeColumnsToContents();
}

const RecordEvent& frmEvents::eventAt(int row) const {
    return model_->eventAt(row);
}

void frmEvents::ZoomToRow(int row) {
    if (row >= 0 && row < model_->rowCount({})) ZoomToEvent(owner_, eventAt(row));
}

QString frmEvents::SelectionText() const {
    QList<int> rows;
    for (const QModelIndex& index : Grid1->selectionModel()->selectedRows()) rows << index.row();
    std::sort(rows.begin(), rows.end());
    const EventTexts texts = Texts();
    QStringList lines{QStringList(texts.captions.begin(), texts.captions.end()).join(u'\t')};
    QStringList cells;
    for (int row : rows) {
        cells.clear();
        for (int c = 0; c < kEventColumns; ++c) cells << EventCell(eventAt(row), c, texts);
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

void frmEvents::Export() {
    const AppState& st = owner_.st;
    const QString ending = QStringLiteral(".csv");
    const std::optional<QString> name =
        ChooseFileToWrite(owner_, PlainCaption(st.Text(str::kExportButton)),
                          QStringLiteral("CSV files (*.csv)|*.csv"),
                          SuggestedFileName(st, u' ' + st.Text(str::kEventsTitle) + ending),
                          [&ending](const QString& chosen) { return WithEnding(chosen, ending); });
    if (!name) return;
    std::vector<RecordEvent> listed;
    listed.reserve(events_.size());
    for (int row = 0; row < model_->rowCount({}); ++row) listed.push_back(eventAt(row));
    WriteFileOrSay(owner_, *name, EventsCsv(listed, st.UnitName));
}

void frmEvents::Print() {
    const AppState& st = owner_.st;
    PrintDocument(owner_, PlainCaption(st.Text(str::kEventsTitle)),
                  [this, &st](QPrinter& printer, PrinterCanvas& canvas) {
                      canvas.setFontName(st.PrintFontName);
                      canvas.setFontSize(8);
                      canvas.setFontBold(false);
                      PrintPages(canvas, QFontMetricsF(canvas.font(), &printer).height());
                  });
}

bool frmEvents::PrintPages(PrinterCanvas& c, double lineHeight) {
    const AppState& st = owner_.st;
    const double width = c.ScaleWidth(), height = c.ScaleHeight();
    // Left edges of the columns, as parts of the page's width.
    static constexpr double kColumnAt[kEventColumns] = {0.0,  0.05, 0.23, 0.41, 0.51,
                                                        0.60, 0.69, 0.78, 0.87};
    const auto line = [&c, width](double y, const QStringList& cells) {
        for (int k = 0; k < cells.size(); ++k) {
            c.setCurrentX(kColumnAt[k] * width);
            c.setCurrentY(y);
            c.Print(cells[k]);
        }
    };
    const QString title = st.GraphTitle.isEmpty()
                              ? st.Text(str::kEventsTitle)
                              : st.Text(str::kEventsTitle) + QStringLiteral(" - ") + st.GraphTitle;
    const EventTexts texts = Texts();
    const QStringList captions(texts.captions.begin(), texts.captions.end());
    const int rows = model_->rowCount({});
    int row = 0;
    for (int page = 1;; ++page) {
        c.setCurrentX(0);
        c.setCurrentY(0);
        c.Print(title);
        c.setCurrentX(0.87 * width);
        c.setCurrentY(0);
        c.Print(st.Text(str::kPage).arg(page));
        double y = 2 * lineHeight;
        if (page == 1) {
            const QLabel* summary[] = {Label1, Label2, Label3, Label4, Label5};
            const QStringList values = SummaryValues();
            for (int i = 0; i < 5; ++i, y += lineHeight) {
                c.setCurrentX(0);
                c.setCurrentY(y);
                c.Print(summary[i]->text() + u' ' + values[i]);
            }
            y += lineHeight;
        }
        line(y, captions);
        y += 1.5 * lineHeight;
        for (; row < rows && y + lineHeight <= height; ++row, y += lineHeight) {
            QStringList cells;
            for (int k = 0; k < kEventColumns; ++k) cells << EventCell(eventAt(row), k, texts);
            line(y, cells);
        }
        if (row >= rows) return c.EndDoc();
        if (!c.NewPage()) return false;
    }
}

void frmEvents::showEvent(QShowEvent* event) {
    Recompute();
    QDialog::showEvent(event);
}

void frmEvents::hideEvent(QHideEvent* event) {
    // Closed by the user or at the program's end; not when the system hides it with the main
    // window (minimised).
    if (!event->spontaneous()) KeepWindowPlace(*this, kWindowName);
    QDialog::hideEvent(event);
}

bool frmEvents::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Grid1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            QGuiApplication::clipboard()->setText(SelectionText());
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            ZoomToRow(Grid1->currentIndex().row());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void mnuEvents_Click(Log1& w) {
    if (!RecordLoadedOrSay(w)) return;
    frmEvents& events = FormOf<frmEvents>(w);
    if (!events.isVisible()) {
        bool maximized = false;
        if (HasWindowPlace(kWindowName)) {
            maximized = RestoreWindowPlace(events, kWindowName, events.minimumSizeHint(), 0.5);
        } else {
            // Beside the main window where the screen has room, else over its right part.
            const QRect main = w.frameGeometry();
            const QRect screen = w.screen() ? w.screen()->availableGeometry() : main;
            const int x = std::max(screen.left(),
                                   std::min(main.right() + 1, screen.right() + 1 - events.width()));
            events.move(x, main.top());
        }
        if (maximized)
            events.showMaximized();
        else
            events.show();
    }
    events.raise();
    events.activateWindow();
}

void ZoomToEvent(Log1& w, const RecordEvent& e) {
    AppState& st = w.st;
    if (e.count < 3) {
        ui::MsgBox(st.Text(str::kTooShortToZoom), ui::Buttons::Ok, ui::Icon::Information,
                   st.Text(str::kMessageTitle));
        return;
    }
    if (!w.RecordLoaded() || !ZoomPossible(st)) return;
    // Every reading of the event is then in the displayed window, so the zoom takes at least
    // its three readings.
    if (st.Zoomed == 1) DisplayWholeRecord(st);
    const double margin = e.duration / 10;
    const double spread = e.max - e.min;
    // A flat event gets half a unit above and below, as the unzoomed graph widens its window.
    const double pad = spread > 0 ? spread / 10 : 0.5;
    st.ZoomTimeFrom = e.start - margin;
    st.ZoomTimeTo = e.start + e.duration + margin;
    st.DragValueTop = e.max + pad;
    st.DragValueBottom = e.min - pad;
    ZoomToDrag(w);
}
