#include "link/frmPort.h"

#include "link/LoggerSearch.h"
#include "link/PortDevices.h"
#include "link/serial/MSComm1.h"
#include "shell/Log1.h"
#include "ui/Prompts.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

namespace {

// Language strings of the search (its button's caption is 153).
constexpr int kSearching = 154; // "... on %1 ..."
constexpr int kFound = 155;     // "Logger No. %1 found on %2"
constexpr int kNotFound = 156;
constexpr int kInUse = 157;         // "%1 is in use ..."
constexpr int kNotPermitted = 158;  // "%1 may not be used ..."
constexpr int kNotRemembered = 161; // "... %1 could not be written."

} // namespace

frmPort::frmPort(Log1& owner) : QDialog(&owner), w_(owner), search_(new LoggerSearch(this)) {
    setObjectName(QStringLiteral("frmPort"));
    setWindowTitle(QStringLiteral("PORT SELECTION"));
    setModal(true);
    setFixedSize(ui::TwipsToPixels(9000), ui::TwipsToPixels(3840));

    Label1 =
        new QLabel(QStringLiteral("Select a communications port to connect with the logger"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    ui::PlaceTwips(Label1, 240, 120, 6840, 495);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    ui::PlaceTwips(Frame1, 240, 720, 6840, 2175);
    QRadioButton** options[] = {&Option1, &Option2, &Option3, &Option4, &Option5};
    QComboBox** combos[] = {&Combo1, &Combo2, &Combo3, &Combo4};
    for (int i = 0; i < 5; ++i) {
        const QString caption =
            i < 4 ? QStringLiteral("COM %1").arg(i + 1) : QStringLiteral("No Logger");
        auto* option = new QRadioButton(caption, Frame1);
        option->setObjectName(QStringLiteral("Option%1").arg(i + 1));
        ui::PlaceTwips(option, 240, 240 + i * 375, 1935, 315);
        *options[i] = option;
        if (i == 4) break;
        auto* combo = new QComboBox(Frame1);
        combo->setObjectName(QStringLiteral("Combo%1").arg(i + 1));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        ui::PlaceTwips(combo, 1560, 210 + i * 375, 5040, 345);
        *combos[i] = combo;
        combos_[i] = combo;
        // Picking or typing a device for a port is choosing that port.
        connect(combo, &QComboBox::activated, option, [option] { option->setChecked(true); });
        connect(combo->lineEdit(), &QLineEdit::textEdited, option,
                [option] { option->setChecked(true); });
    }

    Command1 =
        ui::NewControl<QPushButton>(this, "Command1", QStringLiteral("OK"), 7320, 840, 1455, 375);
    Command1->setDefault(true);
    Command2 = ui::NewControl<QPushButton>(this, "Command2", QStringLiteral("Cancel"), 7320, 1320,
                                           1455, 375);
    Command3 = ui::NewControl<QPushButton>(this, "Command3", QStringLiteral("&Search"), 7320, 1800,
                                           1455, 375);
    Command3->setAutoDefault(false);
    Label2 = ui::NewLabel(this, "Label2", {}, 240, 2985, 8535, 735);
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(Command1, &QPushButton::clicked, this, &frmPort::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmPort::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmPort::Command3_Click);

    connect(search_, &LoggerSearch::trying, this, [this](const QString& path) {
        showSearch(w_.st.Text(kSearching).arg(shownAs_.value(path, path)));
    });
    connect(search_, &LoggerSearch::inUse, this, [this](const QString& path) {
        searchLines_ << w_.st.Text(kInUse).arg(shownAs_.value(path, path));
    });
    connect(search_, &LoggerSearch::notPermitted, this, [this](const QString& path) {
        searchLines_ << w_.st.Text(kNotPermitted).arg(shownAs_.value(path, path));
    });
    connect(search_, &LoggerSearch::found, this, &frmPort::searchFound);
    connect(search_, &LoggerSearch::nothingFound, this, [this] {
        showSearch(w_.st.Text(kNotFound));
        stopSearch();
    });
}

void frmPort::showEvent(QShowEvent* event) {
    selectPort(w_.st.CommPort);
    fillDevices();
    searchLines_.clear();
    Label2->clear();
    QDialog::showEvent(event);
}

// Port 0 is "No Logger"; a number the dialog has no option for leaves every option clear.
void frmPort::selectPort(int port) {
    QRadioButton* options[] = {Option5, Option1, Option2, Option3, Option4};
    for (QRadioButton* option : options) option->setAutoExclusive(false);
    for (int i = 0; i < 5; ++i) options[i]->setChecked(i == port);
    for (QRadioButton* option : options) option->setAutoExclusive(true);
}

QList<SerialDevice> frmPort::offeredDevices() const {
    return OfferedDevices(listDevices ? listDevices() : QList<SerialDevice>());
}

// Each drop-down lists the detected devices and shows what its port stands for now: the
// variable's device (and cannot be changed here), the device chosen before, or the default.
void frmPort::fillDevices() {
    const QList<SerialDevice> devices = offeredDevices();
    const ::MSComm1& port = *w_.MSComm1;
    for (int n = 1; n <= 4; ++n) {
        QComboBox* combo = combos_[n - 1];
        combo->clear();
        for (const SerialDevice& device : devices)
            combo->addItem(DeviceCaption(device), StoredPath(device));
        combo->setEnabled(MSComm1::environmentDevice(n).isEmpty());
        setComboPath(n, port.devicePath(n));
    }
}

void frmPort::setComboPath(int port, const QString& path) {
    QComboBox* combo = combos_[port - 1];
    const int index = combo->findData(path);
    if (index >= 0) {
        combo->setCurrentIndex(index);
    } else {
        combo->setCurrentIndex(-1);
        combo->setEditText(path);
    }
}

QString frmPort::comboPath(int port) const {
    const QComboBox* combo = combos_[port - 1];
    const int index = combo->currentIndex();
    if (index >= 0 && combo->currentText() == combo->itemText(index))
        return combo->itemData(index).toString();
    return combo->currentText().trimmed();
}

// The devices of the ports the variables do not set, kept for the next run. The default device
// is not stored, so that a port left alone follows the default.
void frmPort::storeChoices() {
    ::MSComm1& port = *w_.MSComm1;
    bool changed = false;
    for (int n = 1; n <= 4; ++n) {
        if (!combos_[n - 1]->isEnabled()) continue;
        QString path = comboPath(n);
        if (path == MSComm1::defaultDevice(n)) path.clear();
        changed = changed || path != port.chosenDevice(n);
        port.setChosenDevice(n, path);
    }
    if (!changed) return;
    const QString failure = WritePortDevices(port);
    if (!failure.isEmpty())
        ui::MsgBox(w_.st.Text(kNotRemembered).arg(QDir::toNativeSeparators(failure)),
                   ui::Buttons::Ok, ui::Icon::Exclamation, w_.st.Text(54));
}

void frmPort::Command1_Click() {
    stopSearch();
    reopenOnCancel_ = false;
    storeChoices();
    AppState& st = w_.st;
    ::MSComm1& port = *w_.MSComm1;
    if (port.portOpen()) port.setPortOpen(false);

    QRadioButton* ports[] = {Option1, Option2, Option3, Option4};
    for (int n = 1; n <= 4; ++n) {
        if (!ports[n - 1]->isChecked()) continue;
        port.setCommPort(n);
        st.PortReady = 1;
        st.CommPort = static_cast<qint16>(n);
        st.LinkState = 1;
        const int error = port.portOpen() ? 0 : port.setPortOpen(true);
        if (error == MSComm1::DeviceUnavailable) {
            // Nothing to talk to: the commands stay silent until another port is chosen.
            hide();
            st.PortReady = 0;
            return;
        }
        if (error != 0) {
            if (error == MSComm1::PermissionDenied) st.LinkState = 1;
            ui::MsgBox(QStringLiteral("COM ") + QString::number(port.commPort()) +
                           QStringLiteral(" is not available."),
                       ui::Buttons::Ok, ui::Icon::Exclamation, st.Text(54));
            if (port.portOpen()) port.setPortOpen(false);
            st.PortReady = 0;
            return;
        }
        st.LinkSuspended = 0;
        hide();
        return;
    }
    if (Option5->isChecked()) {
        if (port.portOpen()) port.setPortOpen(false);
        st.LinkSuspended = 1;
        st.PortReady = 0;
        st.FunctionCode = 0;
        hide();
    }
}

void frmPort::Command2_Click() {
    stopSearch();
    // The port the search let go of is taken again, or waited for when its device is not back
    // yet: Cancel changes nothing.
    ::MSComm1& port = *w_.MSComm1;
    if (std::exchange(reopenOnCancel_, false) && !port.portOpen() && port.setPortOpen(true) != 0)
        port.awaitDevice();
    hide();
}

void frmPort::reject() {
    Command2_Click();
}

// The ports' own devices first, then every other detected device. The program's port is let go
// meanwhile: the logger may be on it, and a device can be opened by one side only.
void frmPort::Command3_Click() {
    shownAs_.clear();
    const QStringList paths = SearchOrder({comboPath(1), comboPath(2), comboPath(3), comboPath(4)},
                                          offeredDevices(), &shownAs_);

    ::MSComm1& port = *w_.MSComm1;
    if (port.portOpen() || port.deviceLost()) {
        reopenOnCancel_ = true;
        port.setPortOpen(false);
    }
    searchLines_.clear();
    Command3->setEnabled(false);
    search_->start(paths);
}

void frmPort::stopSearch() {
    search_->cancel();
    Command3->setEnabled(true);
}

void frmPort::showSearch(const QString& line) {
    QStringList lines = searchLines_;
    lines << line;
    Label2->setText(lines.join(QLatin1Char('\n')));
}

// The COM option that stands for the device is selected; when none does, the selected one (COM 1
// with "No Logger" selected) is made to stand for it.
void frmPort::searchFound(const QString& path, int loggerNumber) {
    showSearch(w_.st.Text(kFound).arg(loggerNumber).arg(shownAs_.value(path, path)));
    stopSearch();
    QRadioButton* options[] = {Option1, Option2, Option3, Option4};
    for (int n = 1; n <= 4; ++n) {
        if (SameDevice(comboPath(n)) == SameDevice(path)) {
            options[n - 1]->setChecked(true);
            return;
        }
    }
    int n = 0;
    for (int k = 1; k <= 4; ++k) {
        if (!combos_[k - 1]->isEnabled()) continue;
        if (n == 0 || options[k - 1]->isChecked()) n = k;
    }
    // Every port is set by its variable: the user is told where the logger is, nothing more.
    if (n == 0) return;
    setComboPath(n, path);
    options[n - 1]->setChecked(true);
}
