#include "SortWindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Select_Browser.H>
#include <FL/gl.h>

#include <cstdio>
#include <cstring>

#include "SortGraph.h"
#include "TextGenerator.h"
#include "globals.h"

namespace {

// Both the window's labels and its text generator use this face and cell height.
constexpr const char* fontFace = "Arial";
constexpr int fontHeight = 12;

}  // namespace

SortWindow::SortWindow(int x, int y, int w, int h, const char* /*label*/, SortGraph* sg)
    : Fl_Gl_Window(x, y, w, h, sg->title), titleText(new char[SortGraph::titleSize]), graph(sg) {
    std::snprintf(titleText, SortGraph::titleSize, "%s", sg->title);
    size_range(600, 300, 0, 0, 0, 0, 0);  // no maximum: the plot fills any larger window
    resizable(this);
}

SortWindow::~SortWindow() {
    if (textGen) {
        // Hiding the window destroyed its context, and its lists with it.
        if (shown() && context()) {
            make_current();
        } else {
            textGen->contextLost();
        }
        delete textGen;
    }
    delete[] titleText;
}

void SortWindow::init() {
    make_current();
    textGen = new TextGenerator(fontFace, fontHeight);
    // Tells draw that the lists of this context exist; the toolkit clears it on a new context.
    context_valid(1);
}

void SortWindow::draw() {
    if (!context_valid()) {
        // A new context has none of the old one's display lists.
        if (textGen) textGen->contextLost();
        delete textGen;
        textGen = new TextGenerator(fontFace, fontHeight);
    }

    // One unit per pixel, origin at the bottom-left corner, y upward.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w(), 0, h(), -10, 10);
    glViewport(0, 0, w(), h());

    glClearColor(0.99f, 0.99f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(0, 0, 0);
    graph->draw(w(), h(), textGen);
}

int SortWindow::handle(int e) {
    // No GL here: change state, then ask for a redraw. Every event is taken, so keys and
    // drags leave the plot and its title alone.
    switch (e) {
        case FL_PUSH:
            graph->toggleLog();
            damage(FL_DAMAGE_CHILD);
            return 1;
        case FL_MOVE: {
            char text[SortGraph::titleSize];
            std::snprintf(text, sizeof text, "%s", titleText);
            const double t = graph->getTime(h() - static_cast<double>(Fl::event_y()), h());
            const int k = graph->getKey(Fl::event_x(), w());
            if (t > -1000.0 && k > -1) {
                // Cut, not overrun, when a long title and time meet the buffer's end.
                const std::size_t used = std::strlen(text);
                std::snprintf(text + used, sizeof text - used, ":    %d  :  %f", k, t);
            }
            copy_label(text);  // label() would keep a pointer to this temporary
            damage(FL_DAMAGE_CHILD);
            return 1;
        }
        case FL_SHOW:
            show();
            return 1;
        default:
            return 1;
    }
}

void showGraph(Fl_Widget* /*w*/) {
    const auto& records = kestrova::sortGraphs;
    if (records.empty()) return;
    // No selected line reads as 0: nothing to open.
    const int line = kestrova::graphBrowser->value();
    if (line < 1 || line > static_cast<int>(records.size())) return;

    SortWindow window(100, 100, 600, 300, "", records[line - 1]);
    window.show();
    window.init();
    // Returns once no window of the program is shown; closing this one only hides it, and
    // further "View Graph" presses nest inside this loop.
    Fl::run();
}
