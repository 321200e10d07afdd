#pragma once
// The language file loglango.txt: up to eight languages side by side, in the record syntax of
// shell/RecordSyntax.h. Its fields, strictly in this order however they are spread over lines:
//
//   L, the number of languages (1..8), and N, the number of strings per language (up to 400);
//   L language names; L help file names;
//   for each string number s = 1..N, one text per language, languages 1..L in order.
//
// The natural layout is a first line with L and N, a line of names, a line of help files and
// then one line per string number holding L quoted texts.

#include "shell/AppState.h"
#include "shell/FileLocations.h"

#include <QByteArrayView>
#include <QString>
#include <array>

// The language file built into the program, used when no other is found.
inline constexpr const char* kBuiltInLanguageFile = ":/loglango.txt";

struct LanguageTable {
    qint16 LanguageCount = 0;
    std::array<QString, kLanguages + 1> LangName, LangHelpFile;
    // Text[s][l]: string s of language l, as in AppState::LangText.
    std::array<std::array<QString, kLanguages + 1>, kLanguageStrings + 1> Text;
};

enum class LanguageFileStatus {
    Complete,
    EndedEarly,       // the bytes ran out before the last field
    TooManyLanguages, // L outside 0..8
    TooManyStrings,   // N outside 0..400
    Empty,            // L or N is 0: no text to show
};

// Reads the file's bytes into `table`, field by field: whatever is read replaces the entry in
// `table`, whatever the read does not reach keeps its value. A count out of range stops the read
// right after the two counts, before anything else is stored (LanguageCount included); so do
// counts of nought.
LanguageFileStatus ParseLanguageFile(QByteArrayView bytes, LanguageTable& table);

LanguageTable LanguageTableOf(const AppState& st);
// Stores languages 1..8; language 0 (no language chosen) is the program's own.
void StoreLanguageTable(const LanguageTable& table, AppState& st);

// Reads loglango.txt (see shell/FileLocations.h for which) into the state. A file of the user's
// that cannot be read whole or names no language is left unused, with what is wrong with it in
// `damage`, and the built-in file is read in its place. True when a whole file was read.
bool ReadLanguageFile(AppState& st, QString* damage = nullptr);
