#pragma once
// Names for screen readers beyond a control's own caption. A value shown in a label (or a
// frame's title) is read together with what it is, "High: 200" rather than "200"; the name
// follows the value and the caption as they change, the language included.

#include <QAccessible>

class QLabel;
class QString;
class QWidget;

namespace ui {

// The caption is the text of another label (without its colon and keyboard letter).
void NameValue(QWidget* value, QLabel* caption);
// The caption is a text of its own; called again when the language changes.
void NameValue(QWidget* value, const QString& caption);

// What a screen reader calls a widget of the program's own that draws a picture: a chart (the
// graph) or a graphic (the logo), rather than an empty area.
void SetRole(QWidget* widget, QAccessible::Role role);

// A caption as a name: without its keyboard letter ("&Port"), a trailing colon or dots.
QString PlainName(const QString& caption);

} // namespace ui
