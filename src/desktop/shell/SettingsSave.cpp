#include "shell/SettingsSave.h"

#include "shell/Log1.h"
#include "shell/SettingsFile.h"
#include "ui/Prompts.h"
#include "ui/ReplaceFile.h"

#include <QDir>
#include <QFileInfo>

void WriteSettingsFile(Log1& w) {
    const QString path = SettingsFilePath();
    const QString failure = ui::ReplaceFile(path, FormatSettings(SettingsOf(w.st)));
    if (failure.isEmpty()) return;
    ui::MsgBox(QStringLiteral("The settings could not be saved in %1 (%2). The program ends "
                              "now; the port, language and date format chosen in this run will "
                              "not be remembered. Check that the folder %3 can be written to.")
                   .arg(QDir::toNativeSeparators(path), failure,
                        QDir::toNativeSeparators(QFileInfo(path).absolutePath())),
               ui::Buttons::Ok, ui::Icon::Exclamation, w.st.Text(54));
}
