#pragma once

#include <FL/Fl_Widget.H>

class Fl_Double_Window;

// Appends the Shell sort gap list to kestrova::shell.
void fillShellGaps();

// Builds the control window "Kestrova" with its widgets and defaults into the globals, and
// returns it, not shown. The callbacks are those of "Run Sorts" and "View Graph".
Fl_Double_Window* buildControlWindow(Fl_Callback0* runSorts, Fl_Callback0* viewGraph);
