#include "output/PrintOpt.h"

#include "shell/Log1.h"

PrintOpt::PrintOpt(Log1& owner)
    : ui::ScopeDialog(&owner, QStringLiteral("PrintOpt"), QStringLiteral("Print Options"),
                      [&owner](Choice choice) {
                          if (choice == Cancelled)
                              owner.st.PrintCancelled = 1;
                          else
                              owner.st.PrintScope = choice;
                      }) {}
