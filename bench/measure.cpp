// Runs a command once and reports what it cost: measure COMMAND [ARGS...]
// Prints "wall=S cpu=S user=S sys=S max_rss_kib=K" on standard error (the command's own
// output is left alone) and exits with the command's status.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: measure COMMAND [ARGS...]\n");
    return 64;
  }
  auto start = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) < 0) {
    std::perror("measure");
    return 70;
  }
  std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  double user = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6;
  double sys = usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
  std::fprintf(stderr, "wall=%.4f cpu=%.4f user=%.4f sys=%.4f max_rss_kib=%ld\n", wall.count(),
               user + sys, user, sys, usage.ru_maxrss);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
