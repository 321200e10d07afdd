#include "output/frmEvents.h"

#include "files/ExportFile.h"
#include "graph/Zoom.h"
#include "graph/canvas/PrinterCanvas.h"
#include "output/EventTable.h"
#include "output/PrintState.h"
#include "output/frmCurves.h"
#include "quality/Nominal.h"
#include "shell/FileLocations.h"
#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "shell/WindowPlace.h"
#include "ui/Accessible.h"
#include "ui/Format.h"
#include "ui/Parse.h"
#include "ui/Prompts.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

namespace {

bool IsNumberColumn(int column) {
    return column != kColumnStart && column != kColumnEnd && column != kColumnLimits &&
           column != kColumnItic && column != kColumnSemi;
}

// A voltage as the nominal's list shows it: "230 V".
QString VoltsText(double volts) {
    return QString::number(volts) + QStringLiteral(" V");
}

// The window's place in the program's own settings file.
const QString kWindowName = QStringLiteral("events");

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
    QLabel** nominalCaptions[] = {&Label11, &Label12, &Label13};
    for (int i = 0; i < 3; ++i) {
        *nominalCaptions[i] = new QLabel(this);
        (*nominalCaptions[i])->setObjectName(QStringLiteral("Label%1").arg(i + 11));
        summary->addWidget(*nominalCaptions[i], i, 2);
    }
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    for (const double volts : quality::kUsualNominals) Combo1->addItem(VoltsText(volts), volts);
    Label11->setBuddy(Combo1);
    Label14 = new QLabel(this);
    Label14->setObjectName(QStringLiteral("Label14"));
    Label15 = new QLabel(this);
    Label15->setObjectName(QStringLiteral("Label15"));
    summary->addWidget(Combo1, 0, 3, Qt::AlignLeft);
    summary->addWidget(Label14, 1, 3);
    summary->addWidget(Label15, 2, 3);
    summary->setColumnStretch(1, 1);
    summary->setColumnStretch(3, 1);
    summary->setColumnMinimumWidth(2, 0);
    connect(Combo1, &QComboBox::activated, this, [this] { TakeNominal(Combo1->currentText()); });
    connect(Combo1->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { TakeNominal(Combo1->currentText()); });
    // A screen reader reads each value with its caption: "Events: 12".
    for (int i = 0; i < 5; ++i) ui::NameValue(*values[i], *captions[i]);
    ui::NameValue(Label14, Label12);
    ui::NameValue(Label15, Label13);

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
    Command4 = button("Command4", QStringLiteral("&Tolerance Curves..."));
    connect(Command1, &QPushButton::clicked, this, &frmEvents::Export);
    connect(Command2, &QPushButton::clicked, this, &frmEvents::Print);
    connect(Command3, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command4, &QPushButton::clicked, this, [this] { mnuCurves_Click(owner_); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command4);
    buttons->addStretch(1);
    for (QPushButton* b : {Command1, Command2, Command3}) buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(summary);
    layout->addWidget(Grid1, 1);
    layout->addLayout(buttons);
    resize(1100, 480);

    connect(&owner, &Log1::recordReplaced, this, [this] {
        if (isVisible()) Recompute();
    });
    connect(&owner, &Log1::datePatternsChanged, this, [this] {
        if (isVisible()) UpdateTexts();
    });
    connect(&owner, &Log1::nominalChanged, this, [this] {
        if (isVisible()) Recompute();
    });
}

frmEvents::~frmEvents() {
    // The nominal's text box loses the focus while the window's children go, and would report
    // its text to a window already half gone.
    Combo1->disconnect(this);
    Combo1->lineEdit()->disconnect(this);
}

std::vector<RecordEvent> RecordEventsOf(const Log1& w) {
    return RecordEventsOf(w.st, w.RecordLoaded() ? static_cast<int>(w.st.RecordCount) : 0);
}

void frmEvents::Recompute() {
    // The list keeps the event the person was on.
    const QModelIndex current = Grid1->currentIndex();
    const int number = current.isValid() ? eventAt(current.row()).number : 0;
    events_ = RecordEventsOf(owner_);
    model_->reset();
    UpdateTexts();
    if (number > 0 && number <= static_cast<int>(events_.size())) SelectEvent(number);
}

void frmEvents::SelectEvent(int number) {
    for (int row = 0; row < model_->rowCount({}); ++row) {
        if (eventAt(row).number != number) continue;
        Grid1->selectRow(row);
        Grid1->setCurrentIndex(model_->index(row, 0));
        Grid1->scrollTo(model_->index(row, 0));
        return;
    }
}

void frmEvents::TakeNominal(const QString& text) {
    AppState& st = owner_.st;
    const std::optional<double> present = quality::RecordNominal(st);
    if (!present) return;
    const double volts = ui::Val(text);
    if (volts == *present) {
        ShowNominal(); // the text as the list writes it
        return;
    }
    if (!(volts >= quality::kLowestNominal && volts <= quality::kHighestNominal)) {
        ShowNominal();
        ui::MsgBox(st.Text(str::kBadNominal)
                       .arg(text.trimmed(), ui::PlainText(quality::kLowestNominal),
                            ui::PlainText(quality::kHighestNominal)),
                   ui::Buttons::Ok, ui::Icon::Exclamation, st.Text(str::kMessageTitle));
        return;
    }
    const bool kept = quality::ChooseNominal(st, volts);
    emit owner_.nominalChanged();
    if (!kept)
        ui::MsgBox(
            st.Text(str::kNominalNotKept).arg(QDir::toNativeSeparators(ProgramSettingsPath())),
            ui::Buttons::Ok, ui::Icon::Exclamation, st.Text(str::kMessageTitle));
}

void frmEvents::ShowNominal() {
    const AppState& st = owner_.st;
    const std::optional<double> nominal = quality::RecordNominal(st);
    Combo1->setEnabled(nominal.has_value());
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(nominal ? VoltsText(*nominal) : QString());
    QString above, below;
    if (nominal) {
        const int count = owner_.RecordLoaded() ? static_cast<int>(st.RecordCount) : 0;
        const OffNominal off = CountOffNominal(st.RecordValue, count, *nominal);
        above = DurationText(off.above * kSampleDays);
        below = DurationText(off.below * kSampleDays);
    }
    Label14->setText(above);
    Label15->setText(below);
}

EventTexts frmEvents::Texts() const {
    return EventTextsOf(owner_.st);
}

QStringList frmEvents::SummaryValues() const {
    return EventSummaryValues(owner_.st, events_);
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
    Label11->setText(st.Text(str::kNominal));
    Combo1->setAccessibleName(ui::PlainName(st.Text(str::kNominal)));
    Combo1->lineEdit()->setAccessibleName(Combo1->accessibleName());
    Label12->setText(st.Text(str::kAbove110));
    Label13->setText(st.Text(str::kBelow90));
    ShowNominal();
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
                  [this, &st](QPrinter&, PrinterCanvas& canvas) {
                      canvas.setFontName(st.PrintFontName);
                      canvas.setFontSize(8);
                      canvas.setFontBold(false);
                      PrintPages(canvas);
                  });
}

bool frmEvents::PrintPages(PrinterCanvas& c) {
    const AppState& st = owner_.st;
    const double width = c.ScaleWidth(), height = c.ScaleHeight();
    const QString title = st.GraphTitle.isEmpty()
                              ? st.Text(str::kEventsTitle)
                              : st.Text(str::kEventsTitle) + QStringLiteral(" - ") + st.GraphTitle;
    const EventTexts texts = Texts();
    const QStringList captions(texts.captions.begin(), texts.captions.end());
    const int rows = model_->rowCount({});
    const auto cellsOf = [&](int row) {
        QStringList cells;
        for (int k = 0; k < kEventColumns; ++k) cells << EventCell(eventAt(row), k, texts);
        return cells;
    };
    const std::vector<double> columnAt = FitColumns(c, captions, rows, cellsOf, width);
    const double lineHeight = c.TextHeight();
    const auto line = [&c, &columnAt](double y, const QStringList& cells) {
        for (qsizetype k = 0; k < cells.size(); ++k) {
            c.setCurrentX(columnAt[static_cast<size_t>(k)]);
            c.setCurrentY(y);
            c.Print(cells[k]);
        }
    };
    const QStringList values = SummaryValues();
    const QLabel* captionLabels[] = {Label1, Label2, Label3, Label4, Label5};
    QStringList summary;
    for (int i = 0; i < 5; ++i) summary << captionLabels[i]->text() + u' ' + values[i];
    if (Combo1->isEnabled())
        summary << Label11->text() + u' ' + Combo1->currentText()
                << Label12->text() + u' ' + Label14->text()
                << Label13->text() + u' ' + Label15->text();
    int row = 0;
    for (int page = 1;; ++page) {
        c.setCurrentX(0);
        c.setCurrentY(0);
        c.Print(title);
        const QString pageText = st.Text(str::kPage).arg(page);
        c.setCurrentX(width - c.TextWidth(pageText));
        c.setCurrentY(0);
        c.Print(pageText);
        double y = 2 * lineHeight;
        if (page == 1) {
            for (const QString& text : summary) {
                c.setCurrentX(0);
                c.setCurrentY(y);
                c.Print(text);
                y += lineHeight;
            }
            y += lineHeight;
        }
        line(y, captions);
        y += 1.5 * lineHeight;
        for (; row < rows && y + lineHeight <= height; ++row, y += lineHeight)
            line(y, cellsOf(row));
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
