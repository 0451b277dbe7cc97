#ifndef VORPEN_XPAINTWATCH_H
#define VORPEN_XPAINTWATCH_H

#include <QRect>
#include <QString>

#include <functional>
#include <map>
#include <vector>

typedef struct _XDisplay Display;

// What the X server shows of the program's main window, read back from the server itself.
struct WindowPixels
{
    int width = 0;
    int height = 0;
    // Pixels of glyphs or colour in the rectangle: dark or saturated, not the greys of frames.
    int inkIn(const QRect &area) const;
    int ink() const { return inkIn(QRect(0, 0, width, height)); }
    std::vector<unsigned> rgb; // 0xRRGGBB, row by row
};

// Watches the paints of the top-level windows of one program on an X display through the
// damage extension, so that only what the server really drew counts, and sends key strokes
// through the test extension.
class XPaintWatch
{
public:
    XPaintWatch() = default;
    ~XPaintWatch();
    XPaintWatch(const XPaintWatch &) = delete;
    XPaintWatch &operator=(const XPaintWatch &) = delete;

    // Opens $DISPLAY; false with a reason when the display or an extension is missing.
    bool open(QString &error);
    // Forgets the windows of the program before, so that the next one starts unseen.
    void forgetWindows();

    // Waits for paints of the main window until accept says yes, for at most timeoutMs. The
    // time returned (ms of the monotonic clock) is when the accepted pixels were read back,
    // which is never before they were drawn; -1 on time-out.
    double waitForPaint(const std::function<bool(const WindowPixels &)> &accept, int timeoutMs);
    // Waits for any paint of the main window; the time it was reported, or -1.
    double waitForAnyPaint(int timeoutMs);
    // Keeps following the windows for a while without waiting for anything.
    void idle(int ms);

    // The main window as the server shows it now.
    WindowPixels mainWindowPixels() const;

    // Moves the pointer to a place of the main window given as shares of its size and clicks.
    void clickAt(double xShare, double yShare);
    // Presses and releases the key of an X keysym, with Control held when asked.
    void tapKey(unsigned long keysym, bool control = false);

    static double nowMs();

private:
    struct Watched
    {
        unsigned long damage = 0;
        bool mapped = false;
        QRect geometry;
    };
    // Handles one event; true when it reports a paint of the main window.
    bool handle(void *event);
    // Handles the events that arrive within timeoutMs; true when one was a paint of the main
    // window.
    bool pump(int timeoutMs);
    unsigned long mainWindow() const;
    WindowPixels readBack(unsigned long window) const;

    Display *display = nullptr;
    int damageEvent = 0;
    std::map<unsigned long, Watched> windows;
};

#endif
