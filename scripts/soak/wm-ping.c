/* wm-ping WINDOW TIMEOUT_MS: sends WINDOW a _NET_WM_PING and waits for the
 * answer the client's event loop sends back to the root window. Prints the
 * milliseconds from sending to the answer (or to giving up). Exits 0 when it
 * answers in time, 1 when it does not, 2 on bad usage or no display, 3 when
 * the window does not exist.
 * Unlike a query the X server answers alone (xdotool getwindowname), only a
 * client whose event loop runs can answer this. */
#include <X11/Xlib.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static long MonotonicMs(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000L + now.tv_nsec / 1000000L;
}

/* True for the answer to our ping: the client copies the message and sends it
 * to the root window, keeping the timestamp and the window. */
static int IsAnswer(const XEvent* event, Atom protocols, Atom ping, long stamp, Window target) {
  if (event->type != ClientMessage) return 0;
  const XClientMessageEvent* message = &event->xclient;
  return message->message_type == protocols && message->format == 32 && (Atom)message->data.l[0] == ping &&
         message->data.l[1] == stamp && (Window)message->data.l[2] == target;
}

static int OnXError(Display* display, XErrorEvent* error) {
  (void)display;
  if (error->error_code == BadWindow) exit(3);
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: wm-ping WINDOW TIMEOUT_MS\n");
    return 2;
  }
  const Window target = (Window)strtoul(argv[1], NULL, 0);
  const long timeoutMs = strtol(argv[2], NULL, 10);
  Display* display = XOpenDisplay(NULL);
  if (display == NULL || target == 0 || timeoutMs <= 0) {
    fprintf(stderr, "wm-ping: no display, or a bad window or timeout\n");
    return 2;
  }
  XSetErrorHandler(OnXError);
  const Window root = DefaultRootWindow(display);
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
  /* The answer goes to the root window's listeners: for substructure changes
   * by the convention, for structure changes as Qt 6 sends it. */
  XSelectInput(display, root, StructureNotifyMask | SubstructureNotifyMask);

  /* A stamp of our own tells our answer from the window manager's pings. */
  const long sentMs = MonotonicMs();
  const long stamp = (sentMs ^ ((long)getpid() << 16)) & 0x7fffffffL;
  const long deadline = sentMs + timeoutMs;
  XEvent request = {0};
  request.xclient.type = ClientMessage;
  request.xclient.window = target;
  request.xclient.message_type = protocols;
  request.xclient.format = 32;
  request.xclient.data.l[0] = (long)ping;
  request.xclient.data.l[1] = stamp;
  request.xclient.data.l[2] = (long)target;
  XSendEvent(display, target, False, NoEventMask, &request);
  XSync(display, False); /* a vanished window is reported here */

  struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (IsAnswer(&event, protocols, ping, stamp, target)) {
        printf("%ld\n", MonotonicMs() - sentMs);
        return 0;
      }
    }
    const long left = deadline - MonotonicMs();
    if (left <= 0) {
      printf("%ld\n", MonotonicMs() - sentMs);
      return 1;
    }
    poll(&connection, 1, (int)left);
  }
}
