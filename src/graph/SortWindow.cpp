#include "SortWindow.h"

#include "SortGraph.h"

// TODO(viewer)
SortWindow::SortWindow(int x, int y, int w, int h, const char*, SortGraph* sg)
    : Fl_Gl_Window(x, y, w, h, sg->title), titleText(nullptr), graph(sg) {}
SortWindow::~SortWindow() {}
void SortWindow::init() {}
void SortWindow::draw() {}
int SortWindow::handle(int) { return 1; }
void showGraph(Fl_Widget*) {}
