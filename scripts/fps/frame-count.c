/* frame-count WINDOW SECONDS MIN_AREA [QUIET]: counts the frames that reach a
 * window. Every copy of a frame to the window damages it; with raw
 * rectangles each copy of the whole view arrives as one rectangle, while the
 * status bar's updates arrive as small ones. Rectangles of at least MIN_AREA
 * pixels are counted for SECONDS seconds; prints the count and frames per
 * second. With QUIET, stops earlier once no frame came for QUIET seconds,
 * and prints how long after the start the last frame came. */
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
  if (argc != 4 && argc != 5) {
    fprintf(stderr, "usage: frame-count WINDOW SECONDS MIN_AREA [QUIET]\n");
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
  double quiet = argc == 5 ? atof(argv[4]) : 0.0;
  XDamageCreate(display, window, XDamageReportRawRectangles);
  XFlush(display);

  long frames = 0;
  double start = Now(), end = start + seconds, last = start;
  int fd = ConnectionNumber(display);
  while (Now() < end && !(quiet > 0.0 && Now() - last > quiet)) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != eventBase + XDamageNotify) continue;
      XDamageNotifyEvent* damage = (XDamageNotifyEvent*)&event;
      if ((long)damage->area.width * damage->area.height >= minArea) {
        ++frames;
        last = Now();
      }
    }
    fd_set read;
    FD_ZERO(&read);
    FD_SET(fd, &read);
    struct timeval wait = {0, 10000};
    select(fd + 1, &read, NULL, NULL, &wait);
  }
  double elapsed = Now() - start;
  if (quiet > 0.0)
    printf("%ld frames, the last %.2f s after the start\n", frames, last - start);
  else
    printf("%ld frames in %.1f s: %.1f frames a second\n", frames, elapsed, (double)frames / elapsed);
  return 0;
}
