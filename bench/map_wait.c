/* Starts a program and prints the milliseconds from its start to the mapping of a top-level
 * window of the given name on DISPLAY, then, after a pause, the program's resident memory in
 * KiB; ends the program. Usage: map_wait NAME SETTLE_MS PROGRAM [ARGS...]
 * Output: "<ms> <rss_kib> <cpu_ms at the map>" or "timeout". */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double nowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int hasName(Display* display, Window window, const char* name) {
  char* current = NULL;
  int match = XFetchName(display, window, &current) && current && strcmp(current, name) == 0;
  if (current) XFree(current);
  return match;
}

/* The time all threads of a process have run on a processor, in ms (scheduler statistics):
 * unlike the wall time, a loaded machine hardly changes it. */
static double cpuMs(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/task", pid);
  DIR* tasks = opendir(path);
  if (!tasks) return -1;
  double total = 0;
  struct dirent* entry;
  while ((entry = readdir(tasks))) {
    if (entry->d_name[0] == '.') continue;
    char stat[300];
    snprintf(stat, sizeof stat, "/proc/%d/task/%s/schedstat", pid, entry->d_name);
    FILE* file = fopen(stat, "r");
    if (!file) continue;
    unsigned long long ns = 0;
    if (fscanf(file, "%llu", &ns) == 1) total += ns / 1e6;
    fclose(file);
  }
  closedir(tasks);
  return total;
}

/* The resident set of a process. */
static long rssKib(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/status", pid);
  FILE* file = fopen(path, "r");
  if (!file) return -1;
  char line[256];
  long kib = -1;
  while (fgets(line, sizeof line, file)) {
    if (sscanf(line, "VmRSS: %ld", &kib) == 1) break;
  }
  fclose(file);
  return kib;
}

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: map_wait NAME SETTLE_MS PROGRAM [ARGS...]\n");
    return 2;
  }
  const char* name = argv[1];
  const int settleMs = atoi(argv[2]);
  Display* display = XOpenDisplay(NULL);
  if (!display) return 2;
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  const double start = nowMs();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[3], argv + 3);
    _exit(127);
  }
  const int fd = ConnectionNumber(display);
  double mapped = -1;
  double cpuAtMap = -1;
  while (mapped < 0 && nowMs() - start < 20000) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && hasName(display, event.xmap.window, name)) {
        mapped = nowMs();
        cpuAtMap = cpuMs(child);
        break;
      }
    }
    if (mapped >= 0) break;
    fd_set read;
    FD_ZERO(&read);
    FD_SET(fd, &read);
    struct timeval wait = {0, 20000};
    select(fd + 1, &read, NULL, NULL, &wait);
  }
  if (mapped < 0) {
    printf("timeout\n");
  } else {
    usleep(settleMs * 1000);
    printf("%.1f %ld %.1f\n", mapped - start, rssKib(child), cpuAtMap);
  }
  fflush(stdout);
  kill(child, SIGKILL);
  waitpid(child, NULL, 0);
  return mapped < 0;
}
