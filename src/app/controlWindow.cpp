#include "controlWindow.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Select_Browser.H>
#include <FL/Fl_Value_Input.H>

#include "globals.h"

namespace {

Fl_Value_Input* valueInput(int y, const char* label, double value) {
    auto* input = new Fl_Value_Input(10, y, 60, 25, label);
    input->value(value);
    input->align(FL_ALIGN_RIGHT);
    return input;
}

Fl_Round_Button* orderButton(int y, const char* label) {
    auto* button = new Fl_Round_Button(30, y, 165, 20, label);
    button->type(FL_RADIO_BUTTON);
    return button;
}

}  // namespace

void fillShellGaps() {
    // h -> 3h + 1 from 1 up to 1093, largest first; the final gap 1 completes the sort.
    for (int gap : {1093, 364, 121, 40, 13, 4, 1})
        kestrova::shell.push_back(gap);
}

Fl_Double_Window* buildControlWindow(Fl_Callback0* runSorts, Fl_Callback0* viewGraph) {
    kestrova::mainWin = new Fl_Double_Window(50, 50, 200, 590, "Kestrova");
    kestrova::mainWin->begin();
    kestrova::keyMin = valueInput(10, "File Lower Bound", 1000);
    kestrova::keyMax = valueInput(40, "File Upper Bound", 10000);
    kestrova::numDataPts = valueInput(70, "n Data Points", 10);
    kestrova::numLoopInput = valueInput(100, "Sort Iterations", 4);
    auto* orderBox = new Fl_Box(10, 135, 185, 25, "Initial Key Order");
    orderBox->align(FL_ALIGN_CENTER);
    kestrova::random = orderButton(165, "Random");
    kestrova::random->set();
    kestrova::ordered = orderButton(190, "Ordered");
    kestrova::rOrdered = orderButton(215, "Reverse-Ordered");
    auto* runButton = new Fl_Button(10, 240, 180, 25, "Run Sorts");
    if (runSorts) runButton->callback(runSorts);
    kestrova::graphBrowser = new Fl_Select_Browser(10, 275, 180, 300, "Select Graph to View");
    auto* viewButton = new Fl_Button(10, 600, 180, 25, "View Graph");
    if (viewGraph) viewButton->callback(viewGraph);
    kestrova::mainWin->end();
    // Grown after the children are placed: with no resizable widget nothing moves, and only
    // now does "View Graph" (rows 600 to 625) lie inside the window.
    kestrova::mainWin->size(kestrova::mainWin->w(), 635);
    return kestrova::mainWin;
}
