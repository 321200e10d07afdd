#include "ui/ScopeDialog.h"

#include "ui/Twips.h"

#include <QPushButton>

namespace ui {

ScopeDialog::ScopeDialog(QWidget* parent, const QString& name, const QString& title,
                         std::function<void(Choice)> chosen)
    : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(title);
    setModal(true);
    setFixedSize(TwipsToPixels(4095), TwipsToPixels(1995));
    const auto button = [&](const char* objectName, const QString& caption, int top,
                            Choice choice) {
        auto* b = NewControl<QPushButton>(this, objectName, caption, 480, top, 3135, 375);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, chosen, choice] {
            chosen(choice);
            hide();
        });
        return b;
    };
    Command1 = button("Command1", QStringLiteral("Entire Record"), 360, EntireRecord);
    Command2 = button("Command2", QStringLiteral("Displayed Graph Only"), 840, DisplayedOnly);
    Command3 = button("Command3", QStringLiteral("Cancel"), 1320, Cancelled);
}

void ScopeDialog::reject() {
    Command3->click();
}

} // namespace ui
