#include <fontconfig/fontconfig.h>

#include <array>
#include <functional>
#include <string>

#include "GraphTest.h"

namespace {

using TextTest = GraphTest;

// The pixel expectations below are those of Liberation Sans Bold, which fontconfig's aliases
// put in Arial's place. Without it the text tests fail; this one says why.
TEST(FontSetUp, ArialMatchesLiberationSansBold) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    ASSERT_NE(config, nullptr);
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Arial:bold"));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcChar8* family = nullptr;
    int weight = 0;
    if (match != nullptr) {
        FcPatternGetString(match, FC_FAMILY, 0, &family);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    }
    EXPECT_STREQ(family != nullptr ? reinterpret_cast<const char*>(family) : "(no font)",
                 "Liberation Sans")
        << "install the packages fonts-liberation and fontconfig";
    EXPECT_EQ(weight, FC_WEIGHT_BOLD);
    if (match != nullptr) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
}

TEST_F(TextTest, GlyphsStandUprightOnTheBaselineFromTheirOrigin) {
    text->glDrawText(100, 100, kWidth, kHeight, "H");
    const Box h = inkBox(gl->read());
    ASSERT_FALSE(h.empty()) << "no glyph drawn: is the font there?";
    const float advance = rasterPos().x - 99;
    EXPECT_EQ(h.bottom, 99) << "a capital sits on the baseline y - 1";
    // Bold H has small, equal side bearings: an origin taken with the wrong sign or from the
    // wrong edge shows as a negative or lopsided bearing.
    const int leftBearing = h.left - 99;
    const int rightBearing = static_cast<int>(99 + advance) - (h.right + 1);
    EXPECT_GE(leftBearing, 0);
    EXPECT_LE(leftBearing, 2);
    EXPECT_GE(rightBearing, 0);
    EXPECT_LE(rightBearing, 2);
    EXPECT_LE(std::abs(leftBearing - rightBearing), 1);
    EXPECT_GE(h.top - h.bottom + 1, 7) << "cap height of a 12-pixel cell";
    EXPECT_LE(h.top - h.bottom + 1, 9) << "cap height of a 12-pixel cell";

    gl->beginFrame();
    text->glDrawText(100, 100, kWidth, kHeight, "HH");
    const Box hh = inkBox(gl->read());
    EXPECT_EQ(hh.left, h.left);
    EXPECT_EQ(hh.right, h.right + static_cast<int>(advance))
        << "the second H follows by one advance";
    EXPECT_EQ(rasterPos().y, 99.0f) << "advancing moves along the baseline only";

    gl->beginFrame();
    text->glDrawText(100, 100, kWidth, kHeight, "p");
    const Box p = inkBox(gl->read());
    EXPECT_LT(p.bottom, 99) << "the descender goes below the baseline";
    EXPECT_GT(p.top, 99);

    gl->beginFrame();
    text->glDrawText(100, 100, kWidth, kHeight, "j");
    EXPECT_LT(inkBox(gl->read()).left, 99) << "the tail of j reaches back under the letter before";

    gl->beginFrame();
    text->glDrawText(100, 100, kWidth, kHeight, "T");
    const Image t = gl->read();
    const Box tBox = inkBox(t);
    auto inkInRow = [&](int y) {
        int count = 0;
        for (int x = tBox.left; x <= tBox.right; ++x)
            count += isInk(t.at(x, y)) ? 1 : 0;
        return count;
    };
    EXPECT_GT(inkInRow(tBox.top), 2 * inkInRow(tBox.bottom)) << "T is upside down";
}

TEST_F(TextTest, RasterPositionIsThePointBelowAndLeftEvenOutsideTheWindow) {
    const std::array<std::array<int, 2>, 6> points = {
        {{100, 100}, {1, 1}, {0, 0}, {-20, 5}, {kWidth, kHeight}, {700, -40}}};
    for (const auto& point : points) {
        SCOPED_TRACE(::testing::Message() << "(" << point[0] << ", " << point[1] << ")");
        text->positionText(point[0], point[1], kWidth, kHeight);
        const RasterPos pos = rasterPos();
        EXPECT_TRUE(pos.valid);
        EXPECT_EQ(pos.x, point[0] - 1.0f);
        EXPECT_EQ(pos.y, point[1] - 1.0f);
    }
}

TEST_F(TextTest, TextPartlyOutsideTheWindowShowsItsVisiblePart) {
    text->glDrawText(0, 10, kWidth, kHeight, "H");
    EXPECT_EQ(inkBox(gl->read()).left, 0);
    gl->beginFrame();
    text->glDrawText(10, 0, kWidth, kHeight, "H");
    EXPECT_EQ(inkBox(gl->read()).bottom, 0);
}

TEST_F(TextTest, CallsThatDrawNothing) {
    const char* volatile noFormat = nullptr;  // hidden from the format checker on purpose
    struct Case {
        const char* name;
        std::function<void()> call;
        float x, y;  // raster position afterwards; it starts at (9, 19)
    };
    const Case cases[] = {
        {"code 255 as a character", [] { text->glDrawChar(50, 60, kWidth, kHeight, '\xff'); }, 49,
         59},
        {"code 255 in a string", [] { text->glDrawText(50, 60, kWidth, kHeight, "\xff"); }, 49, 59},
        {"empty string", [] { text->glDrawText(50, 60, kWidth, kHeight, "%s", ""); }, 49, 59},
        {"null format", [&] { text->glDrawText(50, 60, kWidth, kHeight, noFormat); }, 9, 19},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gl->beginFrame();
        text->positionText(10, 20, kWidth, kHeight);
        c.call();
        const RasterPos pos = rasterPos();
        EXPECT_EQ(pos.x, c.x);
        EXPECT_EQ(pos.y, c.y);
        EXPECT_TRUE(inkBox(gl->read()).empty());
    }
}

// Codes follow the Windows ANSI code page: the printable ones, including the signs at 0x80 to
// 0x9F, have glyphs; the unassigned ones draw nothing and keep the raster position.
TEST_F(TextTest, EveryPrintableCodeHasItsGlyph) {
    const std::string unassigned = "\x7f\x81\x8d\x8f\x90\x9d";
    const std::string blank = "\x20\xa0";  // space and no-break space: advance without ink
    for (int code = 32; code < 255; ++code) {
        SCOPED_TRACE(::testing::Message() << "code " << code);
        const char ch = static_cast<char>(code);
        gl->beginFrame();
        text->glDrawChar(50, 60, kWidth, kHeight, ch);
        const float advance = rasterPos().x - 49;
        const bool ink = !inkBox(gl->read()).empty();
        if (unassigned.find(ch) != std::string::npos) {
            EXPECT_EQ(advance, 0.0f);
            EXPECT_FALSE(ink);
        } else {
            EXPECT_GT(advance, 0.0f);
            EXPECT_EQ(ink, blank.find(ch) == std::string::npos);
        }
    }
}

TEST_F(TextTest, CallerStateComesBackUnchanged) {
    struct State {
        std::array<GLfloat, 16> projection, modelView;
        std::array<GLint, 4> viewport;
        GLint matrixMode, listBase, projectionDepth, modelViewDepth, attribDepth;
        bool operator==(const State& o) const {
            return projection == o.projection && modelView == o.modelView &&
                   viewport == o.viewport && matrixMode == o.matrixMode && listBase == o.listBase &&
                   projectionDepth == o.projectionDepth && modelViewDepth == o.modelViewDepth &&
                   attribDepth == o.attribDepth;
        }
    };
    auto state = [] {
        State s{};
        glGetFloatv(GL_PROJECTION_MATRIX, s.projection.data());
        glGetFloatv(GL_MODELVIEW_MATRIX, s.modelView.data());
        glGetIntegerv(GL_VIEWPORT, s.viewport.data());
        glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
        glGetIntegerv(GL_LIST_BASE, &s.listBase);
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &s.projectionDepth);
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &s.modelViewDepth);
        glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &s.attribDepth);
        return s;
    };
    struct Case {
        const char* name;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"positionText", [] { text->positionText(200, 150, kWidth, kHeight); }},
        {"glDrawText", [] { text->glDrawText(200, 150, kWidth, kHeight, "x = %d", 42); }},
        {"glDrawChar", [] { text->glDrawChar(200, 150, kWidth, kHeight, 'K'); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-3, 7, -2, 9, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(5, 6, 0);
        glRotatef(30, 0, 0, 1);
        glViewport(7, 9, 300, 200);
        glListBase(7);
        const State before = state();
        c.call();
        EXPECT_TRUE(state() == before);
        // ...and the caller's odd transform did not move the text.
        EXPECT_EQ(rasterPos().y, 149.0f);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(TextTest, TextTakesTheCurrentColour) {
    glColor3f(0.9f, 0.0f, 0.0f);
    text->glDrawText(100, 100, kWidth, kHeight, "Quick Sort %d", 42);
    glColor3f(0.0f, 0.0f, 0.9f);
    text->glDrawChar(300, 100, kWidth, kHeight, 'Q');
    const Image image = gl->read();
    const Box string = inkBox(image, {0, 0, 249, kHeight - 1});
    const Box character = inkBox(image, {250, 0, kWidth - 1, kHeight - 1});
    ASSERT_FALSE(string.empty());
    ASSERT_FALSE(character.empty());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Pixel& p = image.at(x, y);
            if (!isInk(p)) continue;
            // 0.9 of 255 is 229.5: either rounding is the colour asked for.
            const bool red = p.r >= 229 && p.r <= 230 && p.g == 0 && p.b == 0;
            const bool blue = p.b >= 229 && p.b <= 230 && p.r == 0 && p.g == 0;
            ASSERT_TRUE(x < 250 ? red : blue) << "pixel (" << x << ", " << y << ")";
        }
    }
}

TEST_F(TextTest, LongTextIsCutAt255Characters) {
    auto advanceOf = [](std::size_t length) {
        const std::string s(length, 'i');
        text->glDrawText(10, 100, kWidth, kHeight, "%s", s.c_str());
        return rasterPos().x - 9;
    };
    const float cut = advanceOf(255);
    EXPECT_EQ(advanceOf(300), cut);
    EXPECT_GT(cut, advanceOf(254));
}

// A generator built under any caller's unpack state draws the same glyphs and hands the state
// back; its lists go with it.
TEST_F(TextTest, BuildsTheSameGlyphsWhateverTheUnpackStateAndFreesThem) {
    text->glDrawText(100, 100, kWidth, kHeight, "Kestrova: 0.125");
    const Image expected = gl->read();

    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
    GLuint base = 0;
    {
        TextGenerator other("Arial", 12);
        base = other.base();
        GLint alignment = 0, rowLength = 0, lsbFirst = 0;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
        glGetIntegerv(GL_UNPACK_LSB_FIRST, &lsbFirst);
        EXPECT_EQ(alignment, 8);
        EXPECT_EQ(rowLength, 3);
        EXPECT_EQ(lsbFirst, GL_TRUE);
        gl->beginFrame();
        other.glDrawText(100, 100, kWidth, kHeight, "Kestrova: 0.125");
        EXPECT_TRUE(gl->read().pixels == expected.pixels);
        EXPECT_TRUE(glIsList(base + 'K'));
    }
    glPopClientAttrib();
    EXPECT_FALSE(glIsList(base + 'K'));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextTest, WithoutAContextConstructionReportsAndCarriesOn) {
    gl->release();
    ::testing::internal::CaptureStdout();
    {
        TextGenerator orphan("Arial", 12);
        EXPECT_EQ(orphan.base(), 0u);
        orphan.glDrawText(10, 10, kWidth, kHeight, "nothing to draw into");
    }
    const std::string output = ::testing::internal::GetCapturedStdout();
    ASSERT_TRUE(gl->makeCurrent());
    EXPECT_EQ(output.rfind("Error: ", 0), 0u) << output;
}

}  // namespace
