#include "files/SaveRecord.h"

#include "files/ExportFile.h"
#include "files/RecordFile.h"
#include "files/SaveOpt.h"
#include "files/StateRecord.h"
#include "shell/Log1.h"
#include "ui/Colors.h"
#include "ui/Prompts.h"
#include "ui/ReplaceFile.h"

#include <QAction>
#include <QDir>
#include <QLabel>

namespace {

const QColor kGreen(0, 255, 0);
const QString kFilter = QStringLiteral("txt files (*.txt)|*.txt");

// The bytes of the file for the scope being saved.
QByteArray RecordFileBytes(const AppState& st) {
    const bool displayed = st.SaveScope == 1;
    return FormatRecordFile(RecordHeaderOf(st),
                            static_cast<int>(displayed ? st.DisplayCount : st.RecordCount),
                            RecordPointsOf(st, displayed));
}

void ShowSaved(Log1& w) {
    w.Label16->setText(w.st.Text(62));
    ui::SetBackColor(w.Label16, kGreen);
}

// A count outside the arrays cannot come from a download or a file; refusing it keeps a damaged
// state from reaching past the record.
bool CountFits(const Number& count) {
    return count >= 0 && count <= kMaxReadings && count == static_cast<int>(count);
}

} // namespace

void mnuSaveTXT_Click(Log1& w) {
    AppState& st = w.st;
    st.SaveCancelled = 0;
    if (st.DataSaved == 0 && st.Zoomed == 0) {
        st.SaveScope = 0;
    } else if (st.DataSaved == 1 && st.Zoomed == 1) {
        st.SaveScope = 1;
    } else {
        ui::RunModal(FormOf<SaveOpt>(w));
        if (st.SaveCancelled == 1) {
            st.SaveScope = 0;
            return;
        }
    }

    if (!w.RecordLoaded()) {
        ui::MsgBox(QStringLiteral("No Data to Save.  Download First."), ui::Buttons::Ok,
                   ui::Icon::Information, st.Text(54));
        st.SaveScope = 0;
        return;
    }

    if (const std::optional<QString> name =
            ChooseFileToWrite(w, QStringLiteral("Save As"), kFilter, {}, RecordFileName)) {
        st.SaveFileName = *name;
        WriteRecordFile(w);
    }
    // Between saves the scope is the entire record.
    st.SaveScope = 0;
}

bool WriteRecordFile(Log1& w) {
    AppState& st = w.st;
    const Number& count = st.SaveScope == 1 ? st.DisplayCount : st.RecordCount;
    const QString failure = CountFits(count) ? ui::ReplaceFile(st.SaveFileName, RecordFileBytes(st))
                                             : QStringLiteral("the record in memory is damaged");
    if (!failure.isEmpty()) {
        ui::MsgBox(QStringLiteral("The record could not be saved as\n%1\n\n%2.\n\nNothing was "
                                  "written; an earlier file of that name is unchanged.")
                       .arg(QDir::toNativeSeparators(st.SaveFileName), failure),
                   ui::Buttons::Ok, ui::Icon::Exclamation, st.Text(54));
        return false;
    }

    if (st.SaveScope == 1) {
        ShowSaved(w);
        w.Label16->show();
        w.Label16->repaint();
        st.ViewSaved = 1;
        w.mnuSaveTXT->setEnabled(false);
        st.SaveScope = 0;
    } else {
        st.DataSaved = 1;
        // While zoomed the window shown can still be saved on its own.
        w.mnuSaveTXT->setEnabled(st.Zoomed == 1);
        if (st.Zoomed != 1) {
            ShowSaved(w);
            w.Label16->repaint();
        }
    }
    return true;
}
