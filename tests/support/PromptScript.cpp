#include "support/PromptScript.h"

PromptScript::PromptScript() : previous_(ui::InstalledPromptHandler()) {
    ui::InstallPromptHandler(this);
}

PromptScript::~PromptScript() {
    ui::InstallPromptHandler(previous_);
}

PromptScript& PromptScript::message(const QString& textPart, ui::Answer answer) {
    Expectation e;
    e.kind = QStringLiteral("message");
    e.match = textPart;
    e.answer = answer;
    pending_.push_back(e);
    return *this;
}

PromptScript& PromptScript::openFile(std::optional<QString> name) {
    Expectation e;
    e.kind = QStringLiteral("open");
    e.fileName = std::move(name);
    pending_.push_back(e);
    return *this;
}

PromptScript& PromptScript::saveFile(std::optional<QString> name) {
    Expectation e;
    e.kind = QStringLiteral("save");
    e.fileName = std::move(name);
    pending_.push_back(e);
    return *this;
}

PromptScript& PromptScript::print(std::function<bool(QPrinter&)> action) {
    Expectation e;
    e.kind = QStringLiteral("print");
    e.printAction = std::move(action);
    pending_.push_back(e);
    return *this;
}

PromptScript& PromptScript::modal(const QString& objectName, std::function<void(QDialog&)> action) {
    Expectation e;
    e.kind = QStringLiteral("modal");
    e.match = objectName;
    e.modalAction = std::move(action);
    pending_.push_back(e);
    return *this;
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

std::optional<PromptScript::Expectation> PromptScript::take(const QString& kind,
                                                            const QString& text) {
    if (pending_.empty()) {
        errors_ << QStringLiteral("unexpected %1: '%2'").arg(kind, text);
        return std::nullopt;
    }
    Expectation next = pending_.front();
    const bool matches = next.kind == kind &&
                         (kind == QLatin1String("modal") ? text == next.match
                                                          : text.contains(next.match));
    if (!matches) {
        errors_ << QStringLiteral("expected %1 '%2' but got %3 '%4'")
                       .arg(next.kind, next.match, kind, text);
        return std::nullopt;
    }
    pending_.pop_front();
    return next;
}

ui::Answer PromptScript::message(const ui::MessageRequest& request) {
    seen_.append({QStringLiteral("message"), request.text, request.title, request.buttons,
                  request.icon, request.defaultButton});
    if (auto e = take(QStringLiteral("message"), request.text)) return e->answer;
    switch (request.buttons) {
    case ui::Buttons::Ok: return ui::Ok;
    case ui::Buttons::YesNo: return ui::No;
    case ui::Buttons::AbortRetryIgnore: return ui::Abort;
    default: return ui::Cancel;
    }
}

std::optional<QString> PromptScript::file(const ui::FileRequest& request) {
    const QString kind = request.mode == ui::FileRequest::Mode::Open ? QStringLiteral("open")
                                                                     : QStringLiteral("save");
    Seen s;
    s.kind = kind;
    s.text = request.filter;
    s.title = request.title;
    seen_.append(s);
    if (auto e = take(kind, request.filter)) return e->fileName;
    return std::nullopt;
}

bool PromptScript::print(QPrinter& printer, const QString& title) {
    Seen s;
    s.kind = QStringLiteral("print");
    s.text = title;
    s.title = title;
    seen_.append(s);
    if (auto e = take(QStringLiteral("print"), title))
        return e->printAction ? e->printAction(printer) : true;
    return false;
}

void PromptScript::modal(QDialog& dialog) {
    Seen s;
    s.kind = QStringLiteral("modal");
    s.text = dialog.objectName();
    s.title = dialog.windowTitle();
    seen_.append(s);
    if (auto e = take(QStringLiteral("modal"), dialog.objectName())) {
        if (e->modalAction) e->modalAction(dialog);
    }
    if (dialog.isVisible()) dialog.hide();
}
