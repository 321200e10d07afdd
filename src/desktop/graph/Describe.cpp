#include "graph/Describe.h"

#include "graph/DrawGraph.h"
#include "shell/Log1.h"
#include "ui/Colors.h"
#include "ui/Prompts.h"
#include "ui/Twips.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kLineLength = 40;
const QColor kYellow(255, 255, 0);

QLineEdit* box(QWidget* parent, const char* name, int left, int top, int width, int height) {
    return ui::NewControl<QLineEdit>(parent, name, {}, left, top, width, height);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left) {
    return ui::NewControl<QPushButton>(parent, name, caption, left, 3000, 975, 375);
}

} // namespace

Describe::Describe(Log1& owner) : QDialog(&owner), owner_(owner) {
    setObjectName(QStringLiteral("Describe"));
    setWindowTitle(QStringLiteral("Graph Description"));
    setModal(true);
    setFixedSize(ui::TwipsToPixels(8130), ui::TwipsToPixels(3705));

    Label1 = ui::NewLabel(this, "Label1", QStringLiteral("Graph Title:"), 240, 360, 1695, 255);
    Text1 = box(this, "Text1", 1920, 360, 3015, 285);
    Label9 =
        ui::NewLabel(this, "Label9", QStringLiteral("Graph Description:"), 240, 960, 3735, 255);
    Label2 = ui::NewLabel(this, "Label2",
                          QStringLiteral("Information which will be stored with the graph file"),
                          480, 1320, 6615, 255);
    Label3 = ui::NewLabel(this, "Label3", QStringLiteral("Tag:"), 480, 1680, 1335, 255);
    Text2 = box(this, "Text2", 1800, 1680, 2175, 285);
    Label4 = ui::NewLabel(this, "Label4", QStringLiteral("Location:"), 4200, 1680, 1215, 255);
    Text5 = box(this, "Text5", 5520, 1680, 2175, 285);
    Text3 = box(this, "Text3", 480, 2040, 3495, 285);
    Text6 = box(this, "Text6", 4200, 2040, 3495, 285);
    Text4 = box(this, "Text4", 480, 2400, 3495, 285);
    Text7 = box(this, "Text7", 4200, 2400, 3495, 285);
    Label1->setBuddy(Text1);
    Label3->setBuddy(Text2);
    Label4->setBuddy(Text5);
    Command1 = button(this, "Command1", QStringLiteral("OK"), 2880);
    Command2 = button(this, "Command2", QStringLiteral("Cancel"), 4440);
    Command1->setDefault(true);
    QWidget* order[] = {Text1, Text2, Text5, Text3, Text6, Text4, Text7, Command1, Command2};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(Command1, &QPushButton::clicked, this, [this] { ok(); });
    connect(Command2, &QPushButton::clicked, this, [this] { reject(); });
}

void Describe::showEvent(QShowEvent* event) {
    const AppState& st = owner_.st;
    Text1->setText(st.GraphTitle);
    Text2->setText(st.DescriptionLine2);
    Text3->setText(st.DescriptionLine3);
    Text4->setText(st.DescriptionLine4);
    Text5->setText(st.DescriptionLine5);
    Text6->setText(st.DescriptionLine6);
    Text7->setText(st.DescriptionLine7);
    QDialog::showEvent(event);
}

void Describe::ok() {
    AppState& st = owner_.st;
    QString* fields[] = {&st.GraphTitle,       &st.DescriptionLine2, &st.DescriptionLine3,
                         &st.DescriptionLine4, &st.DescriptionLine5, &st.DescriptionLine6,
                         &st.DescriptionLine7};
    const QLineEdit* boxes[] = {Text1, Text2, Text3, Text4, Text5, Text6, Text7};
    for (int i = 0; i < 7; ++i) {
        if (boxes[i]->text() != *fields[i]) st.DescriptionChanged = 1;
    }
    for (int i = 0; i < 7; ++i) {
        QString text = i == 0 ? boxes[i]->text() : boxes[i]->text().left(kLineLength);
        text.replace(u'"', u' ');
        *fields[i] = text;
    }
    hide();
}

void Describe::reject() {
    owner_.st.DescriptionChanged = 0;
    hide();
}

void Annotate(Log1& w) {
    ui::RunModal(FormOf<Describe>(w));
    if (w.st.DescriptionChanged == 1) MarkDescriptionChanged(w);
}

void MarkDescriptionChanged(Log1& w) {
    DrawGraph(w);
    w.st.DataSaved = 0;
    w.Label16->setText(w.st.Text(67));
    ui::SetBackColor(w.Label16, kYellow);
    w.mnuSaveTXT->setEnabled(true);
}
