#include "bench/window/xpaintwatch.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <time.h>

namespace {

// Windows vanish between the event that named them and the requests about them; that is no
// fault of the measurement.
int ignoreXError(Display *, XErrorEvent *)
{
    return 0;
}

bool isInk(unsigned rgb)
{
    const int r = int(rgb >> 16) & 0xff;
    const int g = int(rgb >> 8) & 0xff;
    const int b = int(rgb) & 0xff;
    const int luminance = (r * 299 + g * 587 + b * 114) / 1000;
    const int spread = qMax(r, qMax(g, b)) - qMin(r, qMin(g, b));
    return luminance < 150 || spread > 90;
}

} // namespace

int WindowPixels::inkIn(const QRect &area) const
{
    const QRect clipped = area & QRect(0, 0, width, height);
    int ink = 0;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const unsigned *row = rgb.data() + size_t(y) * size_t(width);
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            ink += isInk(row[x]) ? 1 : 0;
    }
    return ink;
}

XPaintWatch::~XPaintWatch()
{
    if (display)
        XCloseDisplay(display);
}

bool XPaintWatch::open(QString &error)
{
    display = XOpenDisplay(nullptr);
    if (!display) {
        error = QStringLiteral("cannot open the X display named by DISPLAY");
        return false;
    }
    XSetErrorHandler(ignoreXError);
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        error = QStringLiteral("the X server lacks the damage extension");
        return false;
    }
    int xtestEvent = 0, xtestError = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &xtestEvent, &xtestError, &major, &minor)) {
        error = QStringLiteral("the X server lacks the test extension");
        return false;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    return true;
}

void XPaintWatch::forgetWindows()
{
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
    }
    windows.clear();
}

double XPaintWatch::nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

// A window is watched from its creation on, before it can be mapped and painted.
bool XPaintWatch::handle(void *raw)
{
    auto *event = static_cast<XEvent *>(raw);
    switch (event->type) {
    case CreateNotify: {
        const XCreateWindowEvent &created = event->xcreatewindow;
        Watched &watched = windows[created.window];
        watched.damage = XDamageCreate(display, created.window, XDamageReportNonEmpty);
        watched.geometry = QRect(created.x, created.y, created.width, created.height);
        return false;
    }
    case ConfigureNotify: {
        const XConfigureEvent &configured = event->xconfigure;
        auto found = windows.find(configured.window);
        if (found != windows.end())
            found->second.geometry =
                QRect(configured.x, configured.y, configured.width, configured.height);
        return false;
    }
    case MapNotify: {
        auto found = windows.find(event->xmap.window);
        if (found != windows.end())
            found->second.mapped = true;
        return false;
    }
    case UnmapNotify: {
        auto found = windows.find(event->xunmap.window);
        if (found != windows.end())
            found->second.mapped = false;
        return false;
    }
    case DestroyNotify:
        windows.erase(event->xdestroywindow.window);
        return false;
    default:
        break;
    }
    if (event->type != damageEvent + XDamageNotify)
        return false;
    const auto *damage = reinterpret_cast<XDamageNotifyEvent *>(event);
    XDamageSubtract(display, damage->damage, None, None);
    return damage->drawable == mainWindow();
}

bool XPaintWatch::pump(int timeoutMs)
{
    bool painted = false;
    const double end = nowMs() + timeoutMs;
    do {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            painted = handle(&event) || painted;
        }
        if (painted)
            return true;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, qMax(0, qMin(int(end - nowMs()), 20)));
    } while (nowMs() < end);
    return painted;
}

// The largest mapped window: a program's main window, not its tool tips or helper windows.
unsigned long XPaintWatch::mainWindow() const
{
    unsigned long best = 0;
    int bestArea = 0;
    for (const auto &entry : windows) {
        const int area = entry.second.geometry.width() * entry.second.geometry.height();
        if (entry.second.mapped && area > bestArea) {
            best = entry.first;
            bestArea = area;
        }
    }
    return best;
}

WindowPixels XPaintWatch::readBack(unsigned long window) const
{
    WindowPixels pixels;
    const QRect geometry = windows.at(window).geometry;
    XImage *image = XGetImage(display, window, 0, 0, unsigned(geometry.width()),
                              unsigned(geometry.height()), AllPlanes, ZPixmap);
    if (!image)
        return pixels;
    pixels.width = image->width;
    pixels.height = image->height;
    pixels.rgb.resize(size_t(pixels.width) * size_t(pixels.height));
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (int y = 0; y < pixels.height; ++y) {
        unsigned *row = pixels.rgb.data() + size_t(y) * size_t(pixels.width);
        const auto *line =
            reinterpret_cast<const quint32 *>(image->data + y * image->bytes_per_line);
        for (int x = 0; x < pixels.width; ++x)
            row[x] = (direct ? line[x] : unsigned(XGetPixel(image, x, y))) & 0xffffffu;
    }
    XDestroyImage(image);
    return pixels;
}

WindowPixels XPaintWatch::mainWindowPixels() const
{
    const unsigned long window = mainWindow();
    return window ? readBack(window) : WindowPixels();
}

double XPaintWatch::waitForPaint(const std::function<bool(const WindowPixels &)> &accept,
                                 int timeoutMs)
{
    const double end = nowMs() + timeoutMs;
    while (nowMs() < end) {
        if (!pump(int(end - nowMs())))
            continue;
        const unsigned long window = mainWindow();
        if (window && accept(readBack(window)))
            return nowMs();
    }
    return -1;
}

double XPaintWatch::waitForAnyPaint(int timeoutMs)
{
    return pump(timeoutMs) ? nowMs() : -1;
}

void XPaintWatch::idle(int ms)
{
    const double end = nowMs() + ms;
    while (nowMs() < end)
        pump(int(end - nowMs()));
}

void XPaintWatch::clickAt(double xShare, double yShare)
{
    const unsigned long window = mainWindow();
    if (!window)
        return;
    const QRect geometry = windows.at(window).geometry;
    XTestFakeMotionEvent(display, DefaultScreen(display),
                         geometry.x() + int(geometry.width() * xShare),
                         geometry.y() + int(geometry.height() * yShare), CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
}

void XPaintWatch::tapKey(unsigned long keysym, bool control)
{
    const KeyCode controlKey = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode key = XKeysymToKeycode(display, keysym);
    if (control)
        XTestFakeKeyEvent(display, controlKey, True, CurrentTime);
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    if (control)
        XTestFakeKeyEvent(display, controlKey, False, CurrentTime);
    XFlush(display);
}
