#include "shell/AppState.h"

QString AppState::Text(int s) const {
    if (s < 0 || s > kLanguageStrings) return {};
    // Before a language is chosen (the first start tells the user about a missing port before
    // it asks for the language), the file's first language speaks rather than nothing.
    const double index = LanguageIndex;
    const size_t language = index >= 1 && index <= kLanguages ? static_cast<size_t>(index) : 1;
    return LangText[static_cast<size_t>(s)][language];
}
