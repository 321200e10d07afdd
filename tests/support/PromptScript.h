#pragma once
// A script of the prompts a test expects, in order, with their answers. While it exists it
// stands in for every message box, file dialog, print dialog and modal dialog of the program.
// A prompt that does not match the next expectation is recorded as an error and answered with
// Cancel (or the nearest thing; a dialog is hidden), so the test can report it instead of hanging.

#include "ui/Prompts.h"

#include <QDialog>
#include <QPrinter>
#include <QStringList>
#include <deque>
#include <functional>

class PromptScript : public ui::PromptHandler {
public:
    struct Seen {
        QString kind; // "message", "open", "save", "print", "modal"
        QString text; // message text, file filter, print title or the dialog's objectName
        QString title;
        ui::Buttons buttons = ui::Buttons::Ok;
        ui::Icon icon = ui::Icon::None;
        int defaultButton = 1;
    };

    // With failUnexpected, a prompt the script does not expect also fails the running test: the
    // test programs install such a script before any test runs, so a forgotten dialog can never
    // leave a test waiting for a person.
    explicit PromptScript(bool failUnexpected = false);
    ~PromptScript() override;

    // A message box whose text contains textPart (empty matches any), answered with answer.
    PromptScript& message(const QString& textPart, ui::Answer answer) {
        return expect({"message", textPart, answer, {}, {}, {}});
    }
    // The Open or Save As dialog, answered with a file name or cancelled (nullopt).
    PromptScript& openFile(std::optional<QString> name) {
        return expect({"open", {}, ui::Ok, name, {}, {}});
    }
    PromptScript& saveFile(std::optional<QString> name) {
        return expect({"save", {}, ui::Ok, name, {}, {}});
    }
    // The print dialog: action may configure the printer (a PDF file, say) and returns whether
    // the dialog was accepted.
    PromptScript& print(std::function<bool(QPrinter&)> action) {
        return expect({"print", {}, ui::Ok, {}, std::move(action), {}});
    }
    // One of the program's dialogs shown modally; action works it (clicks its buttons) and
    // should leave it hidden.
    PromptScript& modal(const QString& objectName, std::function<void(QDialog&)> action) {
        return expect({"modal", objectName, ui::Ok, {}, {}, std::move(action)});
    }

    // True when every expectation was used and nothing unexpected happened.
    bool finished() const { return pending_.empty() && errors_.isEmpty(); }
    QString report() const;
    const QList<Seen>& seen() const { return seen_; }
    int beeps() const { return beeps_; }
    // Messages seen so far, their texts only.
    QStringList messages() const;

    ui::Answer message(const ui::MessageRequest& request) override;
    std::optional<QString> file(const ui::FileRequest& request) override;
    bool print(QPrinter& printer, const QString& title) override;
    void modal(QDialog& dialog) override;
    void beep() override { ++beeps_; }

private:
    struct Expectation {
        QString kind;
        QString match;
        ui::Answer answer = ui::Ok;
        std::optional<QString> fileName;
        std::function<bool(QPrinter&)> printAction;
        std::function<void(QDialog&)> modalAction;
    };
    PromptScript& expect(Expectation e) {
        pending_.push_back(std::move(e));
        return *this;
    }
    // Records the prompt and takes the next expectation when the prompt matches it.
    std::optional<Expectation> take(const Seen& prompt);

    ui::PromptHandler* previous_ = nullptr;
    bool failUnexpected_;
    std::deque<Expectation> pending_;
    QStringList errors_;
    QList<Seen> seen_;
    int beeps_ = 0;
};
