#include "output/PrintOpt.h"

#include "shell/Log1.h"
#include "ui/Twips.h"

#include <QPushButton>

namespace {
QPushButton* button(QWidget* parent, const char* name, const QString& caption, int top) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    ui::PlaceTwips(b, 480, top, 3135, 375);
    return b;
}
} // namespace

PrintOpt::PrintOpt(Log1& owner) : QDialog(&owner), owner_(owner) {
    setObjectName(QStringLiteral("PrintOpt"));
    setWindowTitle(QStringLiteral("Print Options"));
    setModal(true);
    setFixedSize(ui::TwipsToPixels(4095), ui::TwipsToPixels(1995));
    Command1 = button(this, "Command1", QStringLiteral("Entire Record"), 360);
    Command2 = button(this, "Command2", QStringLiteral("Displayed Graph Only"), 840);
    Command3 = button(this, "Command3", QStringLiteral("Cancel"), 1320);

    connect(Command1, &QPushButton::clicked, this, [this] {
        owner_.st.PrintScope = 0;
        hide();
    });
    connect(Command2, &QPushButton::clicked, this, [this] {
        owner_.st.PrintScope = 1;
        hide();
    });
    connect(Command3, &QPushButton::clicked, this, [this] {
        owner_.st.PrintCancelled = 1;
        hide();
    });
}

void PrintOpt::reject() {
    Command3->click();
}
