// The nesting rules of the label flags.
#include "interaction/DisplayOptions.h"

void DisplayOptions::Switch(int& flag) {
  flag = 1 - flag;
  if (flag == 1)
    RaiseImplied();
  else
    DropImplying();
}

void DisplayOptions::ShowLabels(bool showNames, bool showSmallNames, bool showDurchmusterung) {
  if (showNames) names = 1;
  if (showSmallNames) smallNames = 1;
  if (showDurchmusterung) durchmusterung = 1;
  RaiseImplied();
}

void DisplayOptions::RaiseImplied() {
  if (durchmusterung == 1) smallNames = 1;
  if (smallNames == 1) names = 1;
}

void DisplayOptions::DropImplying() {
  if (names == 0) smallNames = 0;
  if (smallNames == 0) durchmusterung = 0;
}
