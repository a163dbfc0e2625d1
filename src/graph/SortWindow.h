// The graph viewer: one record's plot in a resizable OpenGL window. A mouse press switches the
// time axis; the pointer's file size and time go into the window title.
#pragma once

#include <FL/Fl_Gl_Window.H>

class Fl_Widget;
class SortGraph;
class TextGenerator;

class SortWindow : public Fl_Gl_Window {
public:
    // `label` is not used: the window is always titled with the record's title.
    SortWindow(int x, int y, int w, int h, const char* label, SortGraph* sg);
    ~SortWindow() override;

    // Once, after show(): makes the window's context current and builds the text generator.
    void init();
    void draw() override;
    int handle(int e) override;

private:
    char* titleText;
    SortGraph* graph;
    TextGenerator* textGen = nullptr;
};

// "View Graph" callback: opens the selected record and runs a nested event loop until no
// window of the program is shown.
void showGraph(Fl_Widget* w);
