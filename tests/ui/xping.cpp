// mezura-xping WINDOW [TIMEOUT_MS]: asks the program owning X window WINDOW whether it still
// answers, as a window manager does (_NET_WM_PING): the toolkit answers from the program's
// event loop, so a program stuck in a handler does not. Exit 0 when it answered in time,
// 1 when not, 2 when the window is gone or hidden (before the question or while waiting for
// the answer: a message box that a key just closed goes without answering), 3 when there is
// no display.
#include <X11/Xlib.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poll.h>

namespace {
bool g_gone = false;
int noteError(Display*, XErrorEvent* error)
{
    g_gone = g_gone || error->error_code == BadWindow;
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mezura-xping WINDOW [TIMEOUT_MS]\n");
        return 3;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const long timeoutMs = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 5000;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return 3;
    }
    XSetErrorHandler(noteError);
    const Window root = DefaultRootWindow(display);
    // The toolkit sends its answer to the root window for those that watch its structure.
    XSelectInput(display, root, StructureNotifyMask);
    // Told when the window itself goes or hides while the question is out.
    XSelectInput(display, window, StructureNotifyMask);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    const long stamp = static_cast<long>(std::chrono::steady_clock::now().time_since_epoch().count() & 0x7FFFFFFF);

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping);
    event.xclient.data.l[1] = stamp;
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    if (g_gone) {
        return 2;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent reply{};
            XNextEvent(display, &reply);
            if ((reply.type == DestroyNotify && reply.xdestroywindow.window == window) ||
                (reply.type == UnmapNotify && reply.xunmap.window == window)) {
                return 2;
            }
            if (reply.type == ClientMessage && reply.xclient.message_type == protocols &&
                static_cast<Atom>(reply.xclient.data.l[0]) == ping && reply.xclient.data.l[1] == stamp) {
                return 0;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return 1;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        ::poll(&connection, 1, static_cast<int>(left.count()));
    }
}
