// The graph tests' frame: one 600 x 300 offscreen context and one "Arial" 12 text generator per
// suite, a cleared frame set up as the viewer sets it before each test, and helpers that find
// ink in a read-back.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "OffscreenGL.h"
#include "TextGenerator.h"

// A rectangle of pixels, edges included; empty when nothing was found.
struct Box {
    int left = INT_MAX, bottom = INT_MAX, right = INT_MIN, top = INT_MIN;
    bool empty() const { return left > right; }
    void add(int x, int y) {
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
};

class GraphTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 300;

    static void SetUpTestSuite() {
        gl = new OffscreenGL(kWidth, kHeight);
        if (!gl->ok()) return;
        text = new TextGenerator("Arial", 12);
        gl->beginFrame();
        background = gl->read().at(0, 0);
    }
    static void TearDownTestSuite() {
        delete text;
        text = nullptr;
        delete gl;
        gl = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(gl->ok()) << "no offscreen OpenGL context: " << gl->error();
        gl->beginFrame();
        glListBase(0);
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    static bool isInk(const Pixel& p) { return p != background; }

    // Bounding box of everything drawn inside `within` (the whole image by default).
    static Box inkBox(const Image& image, Box within = {0, 0, kWidth - 1, kHeight - 1}) {
        Box box;
        for (int y = within.bottom; y <= within.top; ++y) {
            for (int x = within.left; x <= within.right; ++x) {
                if (image.inside(x, y) && isInk(image.at(x, y))) box.add(x, y);
            }
        }
        return box;
    }

    // Where the raster position is now, in window pixels.
    struct RasterPos {
        float x, y;
        bool valid;
    };
    static RasterPos rasterPos() {
        GLfloat p[4];
        GLint valid = 0;
        glGetFloatv(GL_CURRENT_RASTER_POSITION, p);
        glGetIntegerv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
        return {p[0], p[1], valid != 0};
    }

    inline static OffscreenGL* gl = nullptr;
    inline static TextGenerator* text = nullptr;
    inline static Pixel background{};
};
