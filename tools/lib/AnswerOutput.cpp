#include "lib/AnswerOutput.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iostream>

#ifndef _WIN32
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace varkam::tools {

namespace {

constexpr std::size_t BatchSize = 64 * 1024;

// The answers not yet written; `committed` bytes of them are whole answers. The fault handler
// reads both, so they are plain memory and a lock-free count.
char pending[BatchSize];
std::atomic<std::size_t> committed{0};
char cutShortMessage[1024];
std::size_t cutShortLength = 0;
static_assert(std::atomic<std::size_t>::is_always_lock_free);

#ifndef _WIN32
void WriteRaw(int file, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t wrote = ::write(file, data, size);
    if (wrote < 0 && errno == EINTR) {
      continue;
    }
    if (wrote <= 0) {
      return;
    }
    data += wrote;
    size -= static_cast<std::size_t>(wrote);
  }
}

// Only calls that are safe in a signal handler: the whole answers, the message, the end.
void OnBusError(int) {
  WriteRaw(STDOUT_FILENO, pending, committed.load());
  WriteRaw(STDERR_FILENO, cutShortMessage, cutShortLength);
  _exit(2);
}
#endif

}  // namespace

AnswerOutput::AnswerOutput(bool eachAtOnce, const std::string& cutShort) : eachAtOnce_(eachAtOnce) {
  committed = 0;
  const std::string line = cutShort + "\n";
  cutShortLength = std::min(line.size(), sizeof cutShortMessage);
  std::memcpy(cutShortMessage, line.data(), cutShortLength);
#ifndef _WIN32
  struct sigaction action {};
  action.sa_handler = OnBusError;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGBUS, &action, nullptr);
#endif
}

AnswerOutput::~AnswerOutput() {
  Flush();
#ifndef _WIN32
  signal(SIGBUS, SIG_DFL);
#endif
}

bool AnswerOutput::Write(std::string_view answer) {
  if (answer.size() > BatchSize - committed.load() && !Flush()) {
    return false;
  }
  if (answer.size() > BatchSize) {
    std::cout.write(answer.data(), static_cast<std::streamsize>(answer.size()));
    return Flush();
  }
  const std::size_t at = committed.load();
  std::memcpy(pending + at, answer.data(), answer.size());
  committed.store(at + answer.size());
  return eachAtOnce_ ? Flush() : ok_;
}

bool AnswerOutput::Flush() {
  std::cout.write(pending, static_cast<std::streamsize>(committed.load()));
  ok_ = ok_ && static_cast<bool>(std::cout.flush());
  committed = 0;
  return ok_;
}

}  // namespace varkam::tools
