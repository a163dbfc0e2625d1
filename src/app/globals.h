// Program-wide state. The widgets are created by buildControlWindow and live until the process
// ends; the callbacks read them at the moment of use.
#pragma once

#include <vector>

class Fl_Double_Window;
class Fl_Value_Input;
class Fl_Round_Button;
class Fl_Select_Browser;
class SortGraph;

// A namespace of their own: a global `random` would collide with POSIX random().
namespace kestrova {

extern Fl_Double_Window* mainWin;        // written by main
extern Fl_Value_Input* keyMin;           // "File Lower Bound"; read by run
extern Fl_Value_Input* keyMax;           // "File Upper Bound"; read by run and the generators
extern Fl_Value_Input* numDataPts;       // "n Data Points"; read by run
extern Fl_Value_Input* numLoopInput;     // "Sort Iterations"; read by run and addData
extern Fl_Round_Button* random;          // read by run
extern Fl_Round_Button* ordered;         // read by run
extern Fl_Round_Button* rOrdered;        // not read: reverse order is the fallback
extern Fl_Select_Browser* graphBrowser;  // run adds and selects a line; showGraph reads it

// Shell sort gaps 1093, 364, 121, 40, 13, 4, 1; filled by main, read by addData.
extern std::vector<int> shell;
// Every results record in creation order; line n of graphBrowser shows record n - 1.
extern std::vector<SortGraph*> sortGraphs;

}  // namespace kestrova
