// printf-style bitmap text at window pixel positions in an OpenGL context, from 256 glyph display
// lists built once from a bold system font (fontconfig + FreeType).
#pragma once

#include <GL/gl.h>

class TextGenerator {
public:
    // The GL context that will draw the text must be current: the lists are created in it.
    // As a Windows font height: positive is the cell height in pixels, negative the em height,
    // 0 a default size. Never fails: font errors go to stdout, and text then shows nothing.
    TextGenerator(const char* fontName, int height);
    // The context that holds the lists must be current.
    ~TextGenerator();
    TextGenerator(const TextGenerator&) = delete;
    TextGenerator& operator=(const TextGenerator&) = delete;

    // Raster position to window point (x - 1, y - 1); w and h are passed along by callers and
    // do not affect the position. Matrices, viewport and matrix mode are left as found.
    void positionText(int x, int y, int w, int h);
    // Text is cut at 255 characters. A null format draws nothing.
    void glDrawText(int x, int y, int w, int h, const char* format, ...)
        __attribute__((format(printf, 6, 7)));
    void glDrawChar(int x, int y, int w, int h, char ch);

    GLuint base() const { return listBase; }
    // The lists died with their context (the window was hidden or got a new context): forget
    // them, so that the destructor cannot delete lists of whatever context is current then.
    void contextLost() { listBase = 0; }

private:
    GLuint createOpenGLFont(const char* strFontName, int height);

    GLuint listBase = 0;  // lists listBase + c draw code c (0 to 254); listBase + 255 is empty
    int height = 0;       // as given; nothing reads it again
};
