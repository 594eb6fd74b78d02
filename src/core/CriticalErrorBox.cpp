#include "core/CriticalErrorBox.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace Velmora {

namespace {

std::function<void()> sBefore;
std::function<void()> sAfter;

constexpr int kWidth = 520;
constexpr int kMargin = 16;
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 28;
constexpr size_t kCharsPerLine = 78;

// Breaks the message into lines that fit the window, preferring breaks at blanks.
std::vector<std::string> WrapText(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = std::min(text.size(), start + kCharsPerLine);
        const size_t newline = text.find('\n', start);
        if (newline != std::string::npos && newline < end) {
            lines.push_back(text.substr(start, newline - start));
            start = newline + 1;
            continue;
        }
        if (end < text.size()) {
            const size_t blank = text.rfind(' ', end);
            if (blank != std::string::npos && blank > start) end = blank + 1;
        }
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    if (lines.empty()) lines.emplace_back();
    return lines;
}

struct BoxLayout {
    int height;
    int buttonX;
    int buttonY;
};

BoxLayout Layout(size_t lineCount, int lineHeight) {
    const int textHeight = static_cast<int>(lineCount) * lineHeight;
    const int height = kMargin * 3 + textHeight + kButtonHeight;
    return {height, (kWidth - kButtonWidth) / 2, kMargin * 2 + textHeight};
}

void Draw(Display* display, Window window, GC gc, XFontStruct* font,
          const std::vector<std::string>& lines, const BoxLayout& layout) {
    const int lineHeight = font->ascent + font->descent + 2;
    XClearWindow(display, window);
    for (size_t i = 0; i < lines.size(); ++i) {
        XDrawString(display, window, gc, kMargin, kMargin + font->ascent + static_cast<int>(i) * lineHeight,
                    lines[i].c_str(), static_cast<int>(lines[i].size()));
    }
    XDrawRectangle(display, window, gc, layout.buttonX, layout.buttonY, kButtonWidth, kButtonHeight);
    const int textWidth = XTextWidth(font, "OK", 2);
    XDrawString(display, window, gc, layout.buttonX + (kButtonWidth - textWidth) / 2,
                layout.buttonY + (kButtonHeight + font->ascent - font->descent) / 2, "OK", 2);
    XFlush(display);
}

bool InsideButton(int x, int y, const BoxLayout& layout) {
    return x >= layout.buttonX && x <= layout.buttonX + kButtonWidth && y >= layout.buttonY &&
           y <= layout.buttonY + kButtonHeight;
}

void SetTopMostHints(Display* display, Window window) {
    const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    Atom values[2] = {XInternAtom(display, "_NET_WM_STATE_ABOVE", False),
                      XInternAtom(display, "_NET_WM_STATE_MODAL", False)};
    XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(values), 2);
    const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, window, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&dialog), 1);
}

// Runs the event loop until the box is dismissed.
void WaitForDismissal(Display* display, Window window, GC gc, XFontStruct* font,
                      const std::vector<std::string>& lines, const BoxLayout& layout, Atom deleteWindow) {
    for (;;) {
        // Waits for the box's events a little at a time, so that a request to quit (which SDL
        // turns into a queued event) ends the wait too.
        while (!XPending(display)) {
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 100);
            if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_QuitRequested()) return;
        }
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0) Draw(display, window, gc, font, lines, layout);
            break;
        case MapNotify:
            XSetInputFocus(display, window, RevertToParent, CurrentTime);
            XRaiseWindow(display, window);
            break;
        case KeyPress: {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space) return;
            break;
        }
        case ButtonRelease:
            if (InsideButton(event.xbutton.x, event.xbutton.y, layout)) return;
            break;
        case ClientMessage:
            if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) return;
            break;
        default:
            break;
        }
    }
}

void ShowBox(const std::string& line) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "CRITICAL ERROR: %s\n", line.c_str());
        return;
    }
    XFontStruct* font = XLoadQueryFont(display, "fixed");
    if (!font) {
        std::fprintf(stderr, "CRITICAL ERROR: %s\n", line.c_str());
        XCloseDisplay(display);
        return;
    }
    const std::vector<std::string> lines = WrapText(line);
    const BoxLayout layout = Layout(lines.size(), font->ascent + font->descent + 2);
    const int screen = DefaultScreen(display);
    const int x = (DisplayWidth(display, screen) - kWidth) / 2;
    const int y = (DisplayHeight(display, screen) - layout.height) / 2;
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, kWidth, layout.height, 1,
                                              BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, window, "CRITICAL ERROR");
    XSetIconName(display, window, "CRITICAL ERROR");
    XSizeHints hints{};
    hints.flags = PPosition | PMinSize | PMaxSize;
    hints.x = x;
    hints.y = y;
    hints.min_width = hints.max_width = kWidth;
    hints.min_height = hints.max_height = layout.height;
    XSetWMNormalHints(display, window, &hints);
    SetTopMostHints(display, window);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XSelectInput(display, window, ExposureMask | KeyPressMask | ButtonReleaseMask | StructureNotifyMask);
    const GC gc = XCreateGC(display, window, 0, nullptr);
    XSetFont(display, gc, font->fid);
    XSetForeground(display, gc, BlackPixel(display, screen));
    XMapRaised(display, window);

    WaitForDismissal(display, window, gc, font, lines, layout, deleteWindow);

    XFreeGC(display, gc);
    XFreeFont(display, font);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
}

} // namespace

void SetCriticalErrorBoxHooks(std::function<void()> before, std::function<void()> after) {
    sBefore = std::move(before);
    sAfter = std::move(after);
}

void ShowCriticalErrorBox(const std::string& line) {
    if (sBefore) sBefore();
    ShowBox(line);
    if (sAfter) sAfter();
}

} // namespace Velmora
