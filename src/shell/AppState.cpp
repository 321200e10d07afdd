#include "shell/AppState.h"

QString AppState::Text(int s) const {
    const double index = LanguageIndex;
    if (s < 0 || s > kLanguageStrings || !(index >= 0 && index <= kLanguages)) return {};
    return LangText[static_cast<size_t>(s)][static_cast<size_t>(index)];
}
