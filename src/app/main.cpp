#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>

#include "SortWindow.h"
#include "controlWindow.h"
#include "experiment.h"

int main() {
    Fl::scheme("plastic");
    fillShellGaps();
    buildControlWindow(run, showGraph)->show();
    // Returns once no window of the program is shown, including graph windows.
    Fl::run();
    return 0;
}
