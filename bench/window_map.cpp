// The moment a program's window maps, told by the X server rather than found by asking it
// again and again (a loop of xdotool calls takes a core from the program it times). Prints
// "ready" once it listens, then, when a top-level window whose title (--name) or class
// (--class) matches the regular expression (ignoring case, as xdotool does) maps,
// "<CLOCK_REALTIME ns> <window id>", and exits. A window that maps before it has the title
// counts when the title comes. Gives up after 30 s (exit 1).
//
//   window-map --name|--class REGEX
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <regex>
#include <set>
#include <string>

namespace {

int64_t realtimeNs()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// A window may be gone before it is looked at; that is no error here.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

std::string title(Display* display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        text.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
        return text;
    }
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        text = name;
        XFree(name);
    }
    return text;
}

std::string windowClass(Display* display, Window window)
{
    XClassHint hint{};
    std::string text;
    if (XGetClassHint(display, window, &hint)) {
        if (hint.res_class)
            text = hint.res_class;
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 ||
        (std::strcmp(argv[1], "--name") != 0 && std::strcmp(argv[1], "--class") != 0)) {
        std::fprintf(stderr, "usage: window-map --name|--class REGEX\n");
        return 2;
    }
    const bool byName = std::strcmp(argv[1], "--name") == 0;
    const std::regex wanted(argv[2], std::regex::extended | std::regex::icase);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);

    auto matches = [&](Window window) {
        const std::string text = byName ? title(display, window) : windowClass(display, window);
        return std::regex_search(text, wanted);
    };
    std::set<Window> mapped;
    const int64_t giveUp = realtimeNs() + 30'000'000'000;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    while (realtimeNs() < giveUp) {
        if (XPending(display) == 0) {
            poll(&fd, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        const int64_t arrived = realtimeNs();
        Window candidate = None;
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            XSelectInput(display, event.xcreatewindow.window, PropertyChangeMask);
        } else if (event.type == MapNotify && event.xmap.event == root) {
            mapped.insert(event.xmap.window);
            candidate = event.xmap.window;
        } else if (event.type == PropertyNotify && mapped.count(event.xproperty.window) != 0) {
            candidate = event.xproperty.window;
        }
        if (candidate != None && matches(candidate)) {
            std::printf("%lld %lu\n", static_cast<long long>(arrived), candidate);
            XCloseDisplay(display);
            return 0;
        }
    }
    std::fprintf(stderr, "no window matched in 30 s\n");
    return 1;
}
