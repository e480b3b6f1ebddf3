// DisplayOptions: what the view shows, as one value with its rules, used by
// the display commands and by the headless render alike. Flags hold 0 or 1.
// The three label flags nest: designations imply small names, which imply
// names; every change here keeps that.
#pragma once

struct DisplayOptions {
  int names = 0;
  int smallNames = 0;
  int durchmusterung = 0;
  int distances = 0;
  int magnitudeDrawing = 1;
  int colours = 0;  // stars tinted by their spectral classes
  int figures = 0;  // constellation figures
  int grid = 0;     // the galactic grid

  // The label switches: flag = 1 - flag, then the nesting from the new value.
  void SwitchNames() { Switch(names); }
  void SwitchSmallNames() { Switch(smallNames); }
  void SwitchDurchmusterung() { Switch(durchmusterung); }
  // Turns on the label kinds given, and what they imply.
  void ShowLabels(bool showNames, bool showSmallNames, bool showDurchmusterung);

  bool operator==(const DisplayOptions&) const = default;

 private:
  void Switch(int& flag);
  // Designations on turn small names on, which turn names on.
  void RaiseImplied();
  // Names off turn small names off, which turn designations off.
  void DropImplying();
};
