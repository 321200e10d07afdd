#include "files/ExportCsv.h"

#include "files/Csv.h"
#include "files/ExportFile.h"
#include "files/SaveRecord.h"
#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "ui/Prompts.h"

#include <QAction>

ExportOpt::ExportOpt(Log1& owner)
    : ui::ScopeDialog(&owner, QStringLiteral("ExportOpt"), QStringLiteral("Save Options"),
                      [this](Choice chosen) { choice = chosen; }) {}

void mnuExportCSV_Click(Log1& w) {
    const AppState& st = w.st;
    if (!RecordLoadedOrSay(w)) return;
    // Unzoomed, the displayed window is the whole record: there is nothing to choose.
    bool displayed = false;
    if (st.Zoomed == 1) {
        ExportOpt& question = FormOf<ExportOpt>(w);
        question.choice = ui::ScopeDialog::Cancelled;
        ui::RunModal(question);
        if (question.choice == ui::ScopeDialog::Cancelled) return;
        displayed = question.choice == ui::ScopeDialog::DisplayedOnly;
    }
    const QString ending = QStringLiteral(".csv");
    const std::optional<QString> name =
        ChooseFileToWrite(w, PlainCaption(st.Text(str::kMenuExportCsv)),
                          QStringLiteral("CSV files (*.csv)|*.csv"), SuggestedFileName(st, ending),
                          [&ending](const QString& chosen) { return WithEnding(chosen, ending); });
    if (!name) return;
    const int count =
        std::clamp(static_cast<int>(displayed ? st.DisplayCount : st.RecordCount), 0, kMaxReadings);
    WriteFileOrSay(w, *name, RecordCsv(count, RecordPointsOf(st, displayed), st.UnitName));
}
