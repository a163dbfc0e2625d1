#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

#include "SortGraph.h"
#include "SortWindow.h"
#include "controlWindow.h"
#include "experiment.h"
#include "globals.h"

int main() {
    Fl::scheme("plastic");
    fillShellGaps();
    buildControlWindow(run, showGraph)->show();
    // Returns once no window of the program is shown, graph windows included; by then every
    // graph window has been destroyed with its nested loop.
    Fl::run();

    // The records lived as long as the program could show them; hand them back so that a leak
    // checker sees only real leaks.
    for (SortGraph* record : kestrova::sortGraphs)
        delete record;
    kestrova::sortGraphs.clear();
    return 0;
}
