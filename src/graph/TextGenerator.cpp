#include "TextGenerator.h"

// TODO(text): font lists from fontconfig + FreeType.
TextGenerator::TextGenerator(const char*, int h) : height(h) {}
TextGenerator::~TextGenerator() {}
void TextGenerator::positionText(int, int, int, int) {}
void TextGenerator::glDrawText(int, int, int, int, const char*, ...) {}
void TextGenerator::glDrawChar(int, int, int, int, char) {}
GLuint TextGenerator::createOpenGLFont(const char*, int) { return 0; }
