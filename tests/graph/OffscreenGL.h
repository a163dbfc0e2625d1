// A current OpenGL 1.x context on an offscreen framebuffer of a given size, with no display
// server: EGL on Mesa's surfaceless platform, rendered by llvmpipe. Shared by the graph tests,
// the snapshot tool and the plot benchmark.
#pragma once

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

struct Pixel {
    unsigned char r, g, b;
    bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Pixel& o) const { return !(*this == o); }
};

// A read-back of the colour buffer; (x, y) in window pixels from the bottom-left corner.
struct Image {
    int width = 0, height = 0;
    std::vector<Pixel> pixels;

    const Pixel& at(int x, int y) const { return pixels[y * width + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    // Binary PPM, top row first, as image viewers expect.
    bool writePpm(const std::string& path) const {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (f == nullptr) return false;
        std::fprintf(f, "P6\n%d %d\n255\n", width, height);
        for (int y = height - 1; y >= 0; --y) {
            std::fwrite(&pixels[y * width], sizeof(Pixel), width, f);
        }
        return std::fclose(f) == 0;
    }
};

class OffscreenGL {
public:
    // Leaves the context current. On failure error() says why and nothing is current.
    OffscreenGL(int width, int height) : width_(width), height_(height) {
        // Keep every run on the same software rasteriser, whatever the machine has.
        setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
        auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
            eglGetProcAddress("eglGetPlatformDisplayEXT"));
        if (getPlatformDisplay == nullptr) {
            error_ = "eglGetPlatformDisplayEXT is not available";
            return;
        }
        display_ = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) {
            error_ = "no EGL display on the surfaceless platform";
            display_ = EGL_NO_DISPLAY;
            return;
        }
        if (!eglBindAPI(EGL_OPENGL_API)) {
            fail("eglBindAPI(EGL_OPENGL_API)");
            return;
        }
        // clang-format off
        const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
                                        EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                        EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                                        EGL_NONE};
        // clang-format on
        EGLConfig config = nullptr;
        EGLint count = 0;
        if (!eglChooseConfig(display_, configAttribs, &config, 1, &count) || count < 1) {
            fail("no EGL config with a pbuffer and desktop OpenGL");
            return;
        }
        const EGLint surfaceAttribs[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
        surface_ = eglCreatePbufferSurface(display_, config, surfaceAttribs);
        if (surface_ == EGL_NO_SURFACE) {
            fail("eglCreatePbufferSurface");
            return;
        }
        const EGLint contextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                         EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, contextAttribs);
        if (context_ == EGL_NO_CONTEXT) {
            fail("eglCreateContext");
            return;
        }
        if (!eglMakeCurrent(display_, surface_, surface_, context_)) {
            fail("eglMakeCurrent");
            return;
        }
        glViewport(0, 0, width, height);
    }

    // The display stays initialised: it is one per process anyway, and eglTerminate would
    // unload Mesa's driver, stranding allocations that the driver still held, which the leak
    // checker then reports with no library to name.
    ~OffscreenGL() {
        if (display_ == EGL_NO_DISPLAY) return;
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
        if (surface_ != EGL_NO_SURFACE) eglDestroySurface(display_, surface_);
    }

    OffscreenGL(const OffscreenGL&) = delete;
    OffscreenGL& operator=(const OffscreenGL&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Makes this context current again, after a test has released it.
    bool makeCurrent() { return eglMakeCurrent(display_, surface_, surface_, context_); }
    void release() { eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT); }

    // The viewer's frame: one unit per pixel, origin bottom-left, cleared to its background,
    // black current colour, identity model-view.
    void beginFrame() {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, width_, 0, height_, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glMatrixMode(GL_PROJECTION);
        glViewport(0, 0, width_, height_);
        glClearColor(0.99f, 0.99f, 1.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(0, 0, 0);
    }

    Image read() const {
        Image image;
        image.width = width_;
        image.height = height_;
        image.pixels.resize(static_cast<size_t>(width_) * height_);
        glFinish();
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, image.pixels.data());
        glPopClientAttrib();
        return image;
    }

private:
    void fail(const char* what) {
        error_ = std::string(what) + " failed (EGL error 0x" + hex(eglGetError()) + ")";
    }
    static std::string hex(EGLint value) {
        char text[16];
        std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
        return text;
    }

    int width_, height_;
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLSurface surface_ = EGL_NO_SURFACE;
    EGLContext context_ = EGL_NO_CONTEXT;
    std::string error_;
};
