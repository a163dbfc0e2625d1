#include "TextGenerator.h"

#include <GL/glu.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Lists base to base + 254 hold codes 0 to 254; base + 255 is reserved and stays empty.
constexpr int kListCount = 256;
constexpr int kGlyphCount = 255;

void printError(const std::string& text) {
    std::printf("Error: %s\n", text.c_str());
    std::fflush(stdout);
}

std::string freetypeError(const char* what, FT_Error error) {
    char code[32];
    std::snprintf(code, sizeof code, " (FreeType error 0x%02X)", static_cast<unsigned>(error));
    const char* text = FT_Error_String(error);  // null unless FreeType was built with the texts
    return text != nullptr ? std::string(what) + ": " + text : what + std::string(code);
}

// The 8-bit codes are those of the Windows ANSI code page 1252: Latin-1 except 0x80 to 0x9F,
// where Latin-1 has control codes and 1252 has printable signs. 0 marks the five unused codes.
FT_ULong unicodeOf(int code) {
    static const unsigned short cp1252[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    return code >= 0x80 && code < 0xA0 ? cp1252[code - 0x80] : static_cast<FT_ULong>(code);
}

// The font file and face index that fontconfig picks for the face name in bold, the way
// the system's own text would be drawn: "Arial" becomes a metric-compatible face where the
// aliases say so. Empty when nothing matches.
std::string matchBoldFont(const char* name, int& index) {
    std::string file;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return file;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name));
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    if (match != nullptr) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr) {
            file = reinterpret_cast<const char*>(path);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return file;
}

// glBitmap wants rows bottom-up, packed at byte alignment (the caller sets it), while FreeType
// hands them top-down with its own pitch. Grey glyphs (an embedded bitmap that ignored the
// monochrome request) are thresholded at half coverage.
std::vector<GLubyte> glBitmapRows(const FT_Bitmap& bitmap) {
    const unsigned rowBytes = (bitmap.width + 7) / 8;
    std::vector<GLubyte> rows(static_cast<size_t>(rowBytes) * bitmap.rows, 0);
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const unsigned char* source = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
        GLubyte* target = &rows[static_cast<size_t>(bitmap.rows - 1 - y) * rowBytes];
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
            std::memcpy(target, source, rowBytes);  // both most significant bit first
        } else {
            for (unsigned x = 0; x < bitmap.width; ++x) {
                if (source[x] >= 128) target[x / 8] |= static_cast<GLubyte>(0x80 >> (x % 8));
            }
        }
    }
    return rows;
}

// Fills lists base .. base + 254 from the face; returns false with a text when nothing can be.
bool buildGlyphLists(GLuint base, const char* fontName, int height, std::string& failure) {
    int index = 0;
    const std::string file = matchBoldFont(fontName, index);
    if (file.empty()) {
        failure = std::string("no font matches \"") + fontName + "\"";
        return false;
    }
    FT_Library library = nullptr;
    FT_Error error = FT_Init_FreeType(&library);
    if (error != 0) {
        failure = freetypeError("cannot initialise FreeType", error);
        return false;
    }
    FT_Face face = nullptr;
    error = FT_New_Face(library, file.c_str(), index, &face);
    if (error == 0) {
        FT_Select_Charmap(face, FT_ENCODING_UNICODE);
        // As a Windows font height: positive asks for the cell height (ascent + descent),
        // negative for the em height, 0 for a default size.
        FT_Size_RequestRec request{};
        request.type = height < 0 ? FT_SIZE_REQUEST_TYPE_NOMINAL : FT_SIZE_REQUEST_TYPE_CELL;
        request.height = static_cast<FT_Long>(height == 0 ? 16 : (height < 0 ? -height : height))
                         << 6;
        error = FT_Request_Size(face, &request);
        if (error != 0) failure = freetypeError(("cannot size " + file).c_str(), error);
    } else {
        failure = freetypeError(("cannot open " + file).c_str(), error);
    }

    if (error == 0) {
        const GLubyte none = 0;  // Mesa drops a null glBitmap inside a display list
        for (int code = 0; code < kGlyphCount; ++code) {
            glNewList(base + code, GL_COMPILE);
            const FT_UInt glyph = FT_Get_Char_Index(face, unicodeOf(code));
            // A code the font lacks draws nothing and does not move the raster position.
            if (glyph != 0 &&
                FT_Load_Glyph(face, glyph, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0) {
                const FT_GlyphSlot slot = face->glyph;
                const std::vector<GLubyte> rows = glBitmapRows(slot->bitmap);
                const auto width = static_cast<GLsizei>(slot->bitmap.width);
                const auto rowCount = static_cast<GLsizei>(slot->bitmap.rows);
                // The bitmap's origin goes to the raster position: the left end of the baseline.
                glBitmap(width, rowCount, static_cast<GLfloat>(-slot->bitmap_left),
                         static_cast<GLfloat>(rowCount - slot->bitmap_top),
                         static_cast<GLfloat>((slot->advance.x + 32) >> 6), 0.0f,
                         rows.empty() ? &none : rows.data());
            }
            glEndList();
        }
        FT_Done_Face(face);
    } else if (face != nullptr) {
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return error == 0;
}

}  // namespace

TextGenerator::TextGenerator(const char* fontName, int height) {
    listBase = createOpenGLFont(fontName, height);
    this->height = height;
}

TextGenerator::~TextGenerator() {
    if (listBase != 0) glDeleteLists(listBase, kListCount);
}

GLuint TextGenerator::createOpenGLFont(const char* strFontName, int height) {
    const GLuint base = glGenLists(kListCount);
    const GLenum glError = glGetError();
    if (glError != GL_NO_ERROR) {
        std::printf("OpenGL error: %s\n", reinterpret_cast<const char*>(gluErrorString(glError)));
        std::fflush(stdout);
    }
    if (base == 0) {
        printError("no OpenGL display lists could be reserved for the font");
        return base;
    }
    // The lists take a copy of each bitmap as unpacked now, so the unpack state must describe
    // our rows; the caller's state comes back afterwards.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    std::string failure;
    if (!buildGlyphLists(base, strFontName != nullptr ? strFontName : "", height, failure)) {
        printError(failure);
    }
    glPopClientAttrib();
    return base;
}

void TextGenerator::positionText(int x, int y, int, int) {
    glPushAttrib(GL_TRANSFORM_BIT | GL_VIEWPORT_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // The clip-space origin is never clipped, so the position stays valid even where
    // (x - 1, y - 1) lies outside the window; the empty viewport maps it to that corner.
    glViewport(x - 1, y - 1, 0, 0);
    glRasterPos4f(0.0f, 0.0f, 0.0f, 1.0f);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

void TextGenerator::glDrawText(int x, int y, int w, int h, const char* format, ...) {
    if (format == nullptr) return;
    char text[256];  // labels are short; longer text is cut at 255 characters
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (written < 0) text[0] = '\0';
    positionText(x, y, w, h);
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}

void TextGenerator::glDrawChar(int x, int y, int w, int h, char ch) {
    positionText(x, y, w, h);
    const auto code = static_cast<GLubyte>(ch);
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase);
    glCallLists(1, GL_UNSIGNED_BYTE, &code);
    glPopAttrib();
}
