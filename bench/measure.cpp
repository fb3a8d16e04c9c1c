// measure OUTPUT COMMAND [ARG...]: runs COMMAND with its standard output in OUTPUT and prints
// "SECONDS KIBIBYTES": its wall time and its peak resident memory, as the kernel counts them
// for that one child (fork, exec, wait4), so nothing of the caller's own memory is in them.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: measure OUTPUT COMMAND [ARG...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child < 0) {
    std::perror("measure: fork");
    return 2;
  }
  if (child == 0) {
    const int output = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (output < 0 || dup2(output, STDOUT_FILENO) < 0) {
      std::perror(argv[1]);
      _exit(127);
    }
    execvp(argv[2], argv + 2);
    std::perror(argv[2]);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) {
    std::perror("measure: wait4");
    return 2;
  }
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "measure: %s failed\n", argv[2]);
    return 1;
  }
  std::printf("%.4f %ld\n", seconds.count(), usage.ru_maxrss);
  return 0;
}
