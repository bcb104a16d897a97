#include "support/XDisplayClient.hpp"

#include <algorithm>
#include <stdexcept>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
struct ImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

// Position of the lowest set bit and the width of a channel mask, to read any true-colour layout.
uint8_t Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    const unsigned long max = mask >> shift;
    return uint8_t(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

struct XDisplayClient::Connection {
    std::unique_ptr<Display, DisplayCloser> display;
};

XDisplayClient::XDisplayClient(const std::string& display) : connection_(std::make_unique<Connection>()) {
    connection_->display.reset(XOpenDisplay(display.c_str()));
    if (!connection_->display) throw std::runtime_error("cannot connect to the X display " + display);
}

XDisplayClient::~XDisplayClient() = default;

ScreenPicture XDisplayClient::Capture(int x, int y, int width, int height) {
    Display* display = connection_->display.get();
    const int screen = DefaultScreen(display);
    const int screenWidth = DisplayWidth(display, screen), screenHeight = DisplayHeight(display, screen);
    ScreenPicture picture(width, height);
    // XGetImage fails for a rectangle reaching off the screen, so take the part on it.
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + width, screenWidth), bottom = std::min(y + height, screenHeight);
    if (right <= left || bottom <= top) return picture;
    std::unique_ptr<XImage, ImageDeleter> image(XGetImage(display, RootWindow(display, screen), left, top,
                                                          unsigned(right - left), unsigned(bottom - top),
                                                          AllPlanes, ZPixmap));
    if (!image) throw std::runtime_error("cannot read the X screen");
    for (int row = top; row < bottom; ++row) {
        for (int column = left; column < right; ++column) {
            const unsigned long pixel = XGetPixel(image.get(), column - left, row - top);
            picture.At(column - x, row - y) = Color{Channel(pixel, image->red_mask), Channel(pixel, image->green_mask),
                                                   Channel(pixel, image->blue_mask), 255};
        }
    }
    return picture;
}

void XDisplayClient::RequestClose(unsigned long window) {
    Display* display = connection_->display.get();
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    // No event mask: the event goes to the client that created the window.
    if (!XSendEvent(display, window, False, NoEventMask, &event)) {
        throw std::runtime_error("cannot send the close request");
    }
    XSync(display, False);
}
