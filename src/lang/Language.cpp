#include "lang/Language.h"

#include "shell/Log1.h"

void LoadLanguageAndSettings(Log1& w) {
    (void)w;
}

void ShowLanguageDialog(Log1& w) {
    (void)w;
}

void ApplyCaptions(Log1& w) {
    (void)w;
}

void mnuUsa_Click(Log1& w) {
    (void)w;
}

void mnuEur_Click(Log1& w) {
    (void)w;
}
