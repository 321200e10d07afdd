#include "lang/Language.h"

#include "lang/LanguageFile.h"
#include "lang/langfrm.h"
#include "link/PortDevices.h"
#include "link/PortSelection.h"
#include "link/serial/MSComm1.h"
#include "shell/Log1.h"
#include "shell/SettingsFile.h"
#include "ui/Prompts.h"

namespace {

constexpr int kFileFailure = -1;

// The files and the port form one sequence that stops at its first failure: 0 when it ran to the
// end, otherwise the port's error number, or kFileFailure for a missing or short file.
int ReadFilesAndOpenPort(Log1& w) {
    AppState& st = w.st;
    // A damaged file is reported; the sequence goes on as far as the files still allow.
    auto report = [&st](const QString& damage) {
        if (!damage.isEmpty())
            ui::MsgBox(damage, ui::Buttons::Ok, ui::Icon::Exclamation, st.Text(54));
    };
    QString damage;
    const bool language = ReadLanguageFile(st, &damage);
    report(damage);
    if (!language) return kFileFailure;
    damage.clear();
    const bool settings = ReadSettingsFile(st, &damage);
    report(damage);
    if (!settings) return kFileFailure;
    ReadPortDevices(*w.MSComm1);
    if (const int error = w.MSComm1->setCommPort(st.CommPort)) return error;
    st.PortReady = 1;
    if (!w.MSComm1->portOpen()) {
        if (const int error = w.MSComm1->setPortOpen(true)) return error;
    }
    st.LinkState = 0;
    st.LinkSuspended = 0;
    return 0;
}

} // namespace

void LoadLanguageAndSettings(Log1& w) {
    AppState& st = w.st;
    const int failure = ReadFilesAndOpenPort(w);
    if (failure == 0) return;
    if (failure == MSComm1::DeviceUnavailable) {
        // The stored port is not there (an adapter unplugged, say): let the user pick another.
        st.PortReady = 0;
        ui::MsgBox(st.Text(59), ui::Buttons::Ok, ui::Icon::Information, st.Text(54));
        ShowPortDialog(w);
    } else {
        st.CommPort = 1;
        OpenCom1Fallback(w);
    }
}

void ShowLanguageDialog(Log1& w) {
    ui::RunModal(FormOf<langfrm>(w));
}

void mnuLang_Click(Log1& w) {
    ShowLanguageDialog(w);
    ApplyCaptions(w);
}
