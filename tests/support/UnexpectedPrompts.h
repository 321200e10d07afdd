#pragma once
// Installed by every test program before any test runs: a prompt that no PromptScript expects
// fails the running test and is answered with Cancel (a dialog is hidden), so a forgotten
// dialog can never leave a test waiting for a person.

#include "ui/Prompts.h"

class UnexpectedPrompts : public ui::PromptHandler {
public:
    ui::Answer message(const ui::MessageRequest& request) override;
    std::optional<QString> file(const ui::FileRequest& request) override;
    bool print(QPrinter& printer, const QString& title) override;
    void modal(QDialog& dialog) override;
};
