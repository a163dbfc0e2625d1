#include "globals.h"

namespace kestrova {

Fl_Double_Window* mainWin = nullptr;
Fl_Value_Input* keyMin = nullptr;
Fl_Value_Input* keyMax = nullptr;
Fl_Value_Input* numDataPts = nullptr;
Fl_Value_Input* numLoopInput = nullptr;
Fl_Round_Button* random = nullptr;
Fl_Round_Button* ordered = nullptr;
Fl_Round_Button* rOrdered = nullptr;
Fl_Select_Browser* graphBrowser = nullptr;

std::vector<int> shell;
std::vector<SortGraph*> sortGraphs;

}  // namespace kestrova
