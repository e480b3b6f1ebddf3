/* frame-count WINDOW SECONDS MIN_AREA: counts the frames that reach a window.
 * Every copy of a frame to the window damages it; with raw rectangles each
 * copy of the whole view arrives as one rectangle, while the status bar's
 * updates arrive as small ones. Rectangles of at least MIN_AREA pixels are
 * counted for SECONDS seconds; prints the count and frames per second. */
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/select.h>
#include <time.h>

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: frame-count WINDOW SECONDS MIN_AREA\n");
    return 1;
  }
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "frame-count: cannot open the display\n");
    return 1;
  }
  int eventBase = 0, errorBase = 0;
  if (!XDamageQueryExtension(display, &eventBase, &errorBase)) {
    fprintf(stderr, "frame-count: the X server has no DAMAGE extension\n");
    return 1;
  }
  Window window = (Window)strtoul(argv[1], NULL, 0);
  double seconds = atof(argv[2]);
  long minArea = atol(argv[3]);
  XDamageCreate(display, window, XDamageReportRawRectangles);
  XFlush(display);

  long frames = 0;
  double start = Now(), end = start + seconds;
  int fd = ConnectionNumber(display);
  while (Now() < end) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != eventBase + XDamageNotify) continue;
      XDamageNotifyEvent* damage = (XDamageNotifyEvent*)&event;
      if ((long)damage->area.width * damage->area.height >= minArea) ++frames;
    }
    fd_set read;
    FD_ZERO(&read);
    FD_SET(fd, &read);
    struct timeval wait = {0, 10000};
    select(fd + 1, &read, NULL, NULL, &wait);
  }
  double elapsed = Now() - start;
  printf("%ld frames in %.1f s: %.1f frames a second\n", frames, elapsed, (double)frames / elapsed);
  return 0;
}
