#include "support/PromptScript.h"

#include <QTest>

PromptScript::PromptScript(bool failUnexpected)
    : previous_(ui::InstalledPromptHandler()), failUnexpected_(failUnexpected) {
    ui::InstallPromptHandler(this);
}

PromptScript::~PromptScript() {
    ui::InstallPromptHandler(previous_);
}

QString PromptScript::report() const {
    QStringList lines = errors_;
    for (const Expectation& e : pending_)
        lines << QStringLiteral("expected but never shown: %1 '%2'").arg(e.kind, e.match);
    return lines.join(QLatin1Char('\n'));
}

QStringList PromptScript::messages() const {
    QStringList texts;
    for (const Seen& s : seen_)
        if (s.kind == QLatin1String("message")) texts << s.text;
    return texts;
}

std::optional<PromptScript::Expectation> PromptScript::take(const Seen& prompt) {
    seen_.append(prompt);
    const QString& kind = prompt.kind;
    if (!pending_.empty() && pending_.front().kind == kind &&
        (kind == QLatin1String("modal") ? prompt.text == pending_.front().match
                                        : prompt.text.contains(pending_.front().match))) {
        Expectation next = pending_.front();
        pending_.pop_front();
        return next;
    }
    errors_ << (pending_.empty()
                    ? QStringLiteral("unexpected %1: '%2'").arg(kind, prompt.text)
                    : QStringLiteral("expected %1 '%2' but got %3 '%4'")
                          .arg(pending_.front().kind, pending_.front().match, kind, prompt.text));
    if (failUnexpected_) QTest::qFail(qPrintable(errors_.last()), __FILE__, __LINE__);
    return std::nullopt;
}

ui::Answer PromptScript::message(const ui::MessageRequest& request) {
    if (auto e = take({"message", request.text, request.title, request.buttons, request.icon,
                       request.defaultButton}))
        return e->answer;
    switch (request.buttons) {
    case ui::Buttons::Ok:
        return ui::Ok;
    case ui::Buttons::YesNo:
        return ui::No;
    case ui::Buttons::AbortRetryIgnore:
        return ui::Abort;
    default:
        return ui::Cancel;
    }
}

std::optional<QString> PromptScript::file(const ui::FileRequest& request) {
    const bool open = request.mode == ui::FileRequest::Mode::Open;
    const auto e = take({open ? "open" : "save", request.filter, request.title, {}, {}, 1});
    return e ? e->fileName : std::nullopt;
}

bool PromptScript::print(QPrinter& printer, const QString& title) {
    const auto e = take({"print", title, title, {}, {}, 1});
    return e && (!e->printAction || e->printAction(printer));
}

void PromptScript::modal(QDialog& dialog) {
    if (auto e = take({"modal", dialog.objectName(), dialog.windowTitle(), {}, {}, 1});
        e && e->modalAction)
        e->modalAction(dialog);
    if (dialog.isVisible()) dialog.hide();
}
