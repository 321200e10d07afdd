#include "shell/about2.h"

#include "shell/Log1.h"
#include "shell/Logo.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace {
QLabel* line(QWidget* parent, const char* name, int top) {
    return ui::NewLabel(parent, name, {}, 2400, top, 4200, 255);
}
} // namespace

about2::about2(Log1& owner) : QDialog(&owner) {
    setObjectName(QStringLiteral("about2"));
    setModal(true);
    setFixedSize(ui::TwipsToPixels(6900), ui::TwipsToPixels(4140));
    auto* logo = new LogoBox(this, ui::TwipsToPixels(615));
    logo->setObjectName(QStringLiteral("Image1"));
    ui::PlaceTwips(logo, 240, 240, 1935, 615);

    // Product, version and the maker's address, one line each.
    Label1 = line(this, "Label1", 240);
    Label1->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    Label2 = line(this, "Label2", 600);
    Label10 = line(this, "Label10", 900);
    Label3 = line(this, "Label3", 1200);
    Label4 = line(this, "Label4", 1500);
    Label5 = line(this, "Label5", 1800);
    Label6 = line(this, "Label6", 2100);
    Label7 = line(this, "Label7", 2400);
    Label11 = line(this, "Label11", 2700);
    Label9 = line(this, "Label9", 3000);
    Label8 = line(this, "Label8", 3300);
    Label8->setWordWrap(true);
    Label8->setText(QStringLiteral("Made for the Vesto voltage exception logger."));

    Command1 =
        ui::NewControl<QPushButton>(this, "Command1", QStringLiteral("OK"), 480, 3480, 1215, 375);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::hide);
}
