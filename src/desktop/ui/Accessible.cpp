#include "ui/Accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>
#include <QLabel>

namespace {

constexpr const char* kCaptionText = "vestoCaptionText";
constexpr const char* kCaptionLabel = "vestoCaptionLabel";
constexpr const char* kRole = "vestoAccessibleRole";

// A label or frame named "caption: value".
class CaptionedValue : public QAccessibleWidget {
public:
    CaptionedValue(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        const QWidget* w = widget();
        if (!w->accessibleName().isEmpty()) return w->accessibleName();
        const auto* label = qobject_cast<const QLabel*>(w);
        const auto* frame = qobject_cast<const QGroupBox*>(w);
        const QString value = label ? label->text() : frame ? frame->title() : QString();
        const auto* source =
            qobject_cast<const QLabel*>(w->property(kCaptionLabel).value<QObject*>());
        const QString caption =
            ui::PlainName(source ? source->text() : w->property(kCaptionText).toString());
        if (caption.isEmpty() || value.trimmed().isEmpty()) return caption + value.trimmed();
        return caption + QStringLiteral(": ") + value.trimmed();
    }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (widget->property(kRole).isValid())
        return new QAccessibleWidget(widget, QAccessible::Role(widget->property(kRole).toInt()));
    if (!widget->property(kCaptionText).isValid() && !widget->property(kCaptionLabel).isValid())
        return nullptr;
    if (qobject_cast<QLabel*>(widget)) return new CaptionedValue(widget, QAccessible::StaticText);
    if (qobject_cast<QGroupBox*>(widget)) return new CaptionedValue(widget, QAccessible::Grouping);
    return nullptr;
}

// The factory is asked before Qt's own; an interface Qt made for the widget before it was given
// a caption or a role is let go, so that the next question reaches the factory.
void Adopt(QWidget* widget) {
    static const bool installed = (QAccessible::installFactory(Factory), true);
    Q_UNUSED(installed);
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
    const QVariant role = widget->property(kRole);
    const bool ours = role.isValid() ? made && made->role() == role.toInt()
                                     : dynamic_cast<CaptionedValue*>(made) != nullptr;
    if (made && !ours) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

} // namespace

namespace ui {

void NameValue(QWidget* value, QLabel* caption) {
    value->setProperty(kCaptionLabel, QVariant::fromValue<QObject*>(caption));
    Adopt(value);
}

void NameValue(QWidget* value, const QString& caption) {
    value->setProperty(kCaptionText, caption);
    Adopt(value);
}

void SetRole(QWidget* widget, QAccessible::Role role) {
    widget->setProperty(kRole, int(role));
    Adopt(widget);
}

QString PlainName(const QString& caption) {
    QString name;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
        name += caption[i];
    }
    name = name.trimmed();
    while (name.endsWith(u':') || name.endsWith(u'.')) name.chop(1);
    return name.trimmed();
}

} // namespace ui
