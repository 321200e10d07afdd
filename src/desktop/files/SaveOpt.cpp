#include "files/SaveOpt.h"

#include "shell/Log1.h"

#include <QPushButton>

SaveOpt::SaveOpt(Log1& owner)
    : ui::ScopeDialog(&owner, QStringLiteral("SaveOpt"), QStringLiteral("Save Options"),
                      [&owner](Choice choice) {
                          if (choice == Cancelled)
                              owner.st.SaveCancelled = 1;
                          else
                              owner.st.SaveScope = choice;
                      }),
      owner_(owner) {}

void SaveOpt::showEvent(QShowEvent* event) {
    Command1->setEnabled(owner_.st.DataSaved == 0);
    Command2->setEnabled(owner_.st.ViewSaved == 0);
    QDialog::showEvent(event);
}
