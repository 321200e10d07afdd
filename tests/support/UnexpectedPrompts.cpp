#include "support/UnexpectedPrompts.h"

#include <QDialog>
#include <QTest>

namespace {
void fail(const QString& what) {
    const QByteArray text = QStringLiteral("unexpected prompt: %1").arg(what).toUtf8();
    QTest::qFail(text.constData(), __FILE__, __LINE__);
}
} // namespace

ui::Answer UnexpectedPrompts::message(const ui::MessageRequest& request) {
    fail(QStringLiteral("message '%1'").arg(request.text));
    switch (request.buttons) {
    case ui::Buttons::Ok: return ui::Ok;
    case ui::Buttons::YesNo: return ui::No;
    case ui::Buttons::AbortRetryIgnore: return ui::Abort;
    default: return ui::Cancel;
    }
}

std::optional<QString> UnexpectedPrompts::file(const ui::FileRequest& request) {
    fail(QStringLiteral("file dialog '%1'").arg(request.title));
    return std::nullopt;
}

bool UnexpectedPrompts::print(QPrinter&, const QString& title) {
    fail(QStringLiteral("print dialog '%1'").arg(title));
    return false;
}

void UnexpectedPrompts::modal(QDialog& dialog) {
    fail(QStringLiteral("dialog %1").arg(dialog.objectName()));
    dialog.hide();
}
