#include "files/ExportFile.h"

#include "shell/Log1.h"
#include "shell/StringNumbers.h"
#include "ui/Prompts.h"
#include "ui/ReplaceFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

bool RecordLoadedOrSay(Log1& w) {
    if (w.RecordLoaded()) return true;
    ui::MsgBox(w.st.Text(str::kNoRecord), ui::Buttons::Ok, ui::Icon::Information,
               w.st.Text(str::kMessageTitle));
    return false;
}

QString PlainCaption(const QString& caption) {
    QString plain = caption;
    plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    plain.replace(QLatin1String("&&"), QLatin1String("&"));
    while (plain.endsWith(u'.') || plain.endsWith(u'\u2026')) plain.chop(1);
    return plain.trimmed();
}

QString SuggestedFileName(const AppState& st, const QString& ending) {
    QString name = st.GraphTitle.trimmed();
    if (name.isEmpty() && st.DataFromFile) name = QFileInfo(st.OpenFileName).completeBaseName();
    if (name.isEmpty()) return {};
    static const QRegularExpression forbidden(QStringLiteral(R"([/\\:*?"<>|\x00-\x1f])"));
    name.replace(forbidden, QStringLiteral("_"));
    return WithEnding(name, ending);
}

QString WithEnding(const QString& name, const QString& ending) {
    return name.endsWith(ending, Qt::CaseInsensitive) ? name : name + ending;
}

std::optional<QString>
ChooseFileToWrite(Log1& w, const QString& title, const QString& filter, const QString& suggested,
                  const std::function<QString(const QString&)>& completeName) {
    const AppState& st = w.st;
    for (;;) {
        const std::optional<QString> chosen =
            ui::FileDialog({ui::FileRequest::Mode::SaveAs, title, filter, suggested});
        if (!chosen) return std::nullopt;
        const QString name = completeName(*chosen);
        if (!QFileInfo::exists(name)) return name;
        const ui::Answer answer = ui::MsgBox(st.Text(str::kReplaceFile), ui::Buttons::YesNoCancel,
                                             ui::Icon::Critical, st.Text(str::kConfirmTitle), 2);
        if (answer == ui::Yes) return name;
        if (answer != ui::No) return std::nullopt;
    }
}

bool WriteFileOrSay(Log1& w, const QString& path, const QByteArray& bytes) {
    return WriteDrawnFileOrSay(w, path, bytes, {});
}

bool WriteDrawnFileOrSay(Log1& w, const QString& path, const QByteArray& bytes,
                         const QString& notDrawn) {
    const QString failure =
        !notDrawn.isEmpty() && bytes.isEmpty() ? notDrawn : ui::ReplaceFile(path, bytes);
    if (failure.isEmpty()) return true;
    ui::MsgBox(w.st.Text(str::kNotWritten).arg(QDir::toNativeSeparators(path), failure),
               ui::Buttons::Ok, ui::Icon::Exclamation, w.st.Text(str::kMessageTitle));
    return false;
}
