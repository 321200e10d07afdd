#include "lang/LanguageFile.h"

#include "shell/RecordSyntax.h"
#include "ui/Parse.h"

#include <QDir>
#include <QFile>
#include <cmath>

// The built-in language file lives in the program's own library, whose resources are registered
// only on request.
static void RegisterBuiltInFiles() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(vesto);
        return true;
    }();
    (void)registered;
}

LanguageFileStatus ParseLanguageFile(QByteArrayView bytes, LanguageTable& table) {
    records::FieldReader reader(bytes);
    const auto first = reader.next();
    const auto second = reader.next();
    if (!first || !second) return LanguageFileStatus::EndedEarly;
    const double languages = std::floor(ui::Val(first->text));
    const double strings = std::floor(ui::Val(second->text));
    if (!(languages >= 0 && languages <= kLanguages)) return LanguageFileStatus::TooManyLanguages;
    if (!(strings >= 0 && strings <= kLanguageStrings)) return LanguageFileStatus::TooManyStrings;
    // Junk often reads as counts of nought: a whole file of nothing.
    if (languages == 0 || strings == 0) return LanguageFileStatus::Empty;
    const auto count = static_cast<size_t>(languages);
    const auto stringCount = static_cast<size_t>(strings);
    table.LanguageCount = static_cast<qint16>(count);

    for (auto* list : {&table.LangName, &table.LangHelpFile}) {
        for (size_t l = 1; l <= count; ++l) {
            const auto field = reader.next();
            if (!field) return LanguageFileStatus::EndedEarly;
            (*list)[l] = field->text;
        }
    }
    for (size_t s = 1; s <= stringCount; ++s) {
        for (size_t l = 1; l <= count; ++l) {
            const auto field = reader.next();
            if (!field) return LanguageFileStatus::EndedEarly;
            table.Text[s][l] = field->text;
        }
    }
    return LanguageFileStatus::Complete;
}

LanguageTable LanguageTableOf(const AppState& st) {
    LanguageTable table;
    table.LanguageCount = st.LanguageCount;
    table.LangName = st.LangName;
    table.LangHelpFile = st.LangHelpFile;
    table.Text = st.LangText;
    return table;
}

void StoreLanguageTable(const LanguageTable& table, AppState& st) {
    st.LanguageCount = table.LanguageCount;
    for (size_t l = 1; l <= kLanguages; ++l) {
        st.LangName[l] = table.LangName[l];
        st.LangHelpFile[l] = table.LangHelpFile[l];
        for (size_t s = 0; s <= kLanguageStrings; ++s) st.LangText[s][l] = table.Text[s][l];
    }
}

namespace {

// Reads one language file whole into `table`; the status says how far it got.
LanguageFileStatus ParseFile(QFile& file, LanguageTable& table) {
    if (!file.open(QIODevice::ReadOnly)) return LanguageFileStatus::EndedEarly;
    const QByteArray bytes = file.readAll();
    const bool read = file.error() == QFileDevice::NoError;
    file.close();
    const LanguageFileStatus status = ParseLanguageFile(bytes, table);
    return read ? status : LanguageFileStatus::EndedEarly;
}

} // namespace

bool ReadLanguageFile(AppState& st, QString* damage) {
    QFile file(LanguageFilePath());
    if (!file.fileName().isEmpty()) {
        LanguageTable table = LanguageTableOf(st);
        const LanguageFileStatus status = ParseFile(file, table);
        if (status == LanguageFileStatus::Complete) {
            StoreLanguageTable(table, st);
            return true;
        }
        if (damage) {
            *damage = QDir::toNativeSeparators(file.fileName()) +
                      (status == LanguageFileStatus::EndedEarly
                           ? QStringLiteral(" ends before its last text")
                           : QStringLiteral(" is damaged: its first line does not give 1 to %1 "
                                            "languages of 1 to %2 texts")
                                 .arg(kLanguages)
                                 .arg(kLanguageStrings)) +
                      QStringLiteral(". The program shows the texts built into it instead.");
        }
    }
    // Without a whole language file of the user's, the captions come from the built-in one.
    RegisterBuiltInFiles();
    file.setFileName(QString::fromLatin1(kBuiltInLanguageFile));
    LanguageTable table = LanguageTableOf(st);
    const bool complete = ParseFile(file, table) == LanguageFileStatus::Complete;
    StoreLanguageTable(table, st);
    return complete;
}
