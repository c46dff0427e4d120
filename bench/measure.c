/* Runs one command and prints its wall time in nanoseconds, its peak resident
 * memory in KB and its exit status. A small C process does this rather than
 * the Python script, whose own start-up and size would be counted in both.
 *
 *   measure OUTPUT COMMAND [ARGUMENT...]     (standard output goes to OUTPUT)
 */
#include <fcntl.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long long now_ns(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000000000LL + t.tv_nsec;
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "measure OUTPUT COMMAND [ARGUMENT...]\n");
    return 2;
  }
  int out = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int null = open("/dev/null", O_RDWR);
  if (out < 0 || null < 0) return 2;
  long long start = now_ns();
  pid_t pid = vfork();
  if (pid == 0) {
    dup2(null, 0);
    dup2(out, 1);
    dup2(null, 2);
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  struct rusage usage;
  if (pid < 0 || wait4(pid, &status, 0, &usage) < 0) return 2;
  long long elapsed = now_ns() - start;
  printf("%lld %ld %d\n", elapsed, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return 0;
}
