#pragma once

// Standard output for a tool's answers: written in large batches, each answer whole. On Linux a
// data file cut short under the tool's view of it (another program truncating it in place)
// ends the process with a bus error; what was answered before it is written first, and the
// fault is said, so that nothing already found is lost.

#include <string>
#include <string_view>

namespace varkam::tools {

// One at a time: the batch lives where the fault handler can reach it.
class AnswerOutput {
 public:
  // `eachAtOnce`: every answer goes out as it comes (a person at a terminal). `cutShort`: what
  // standard error says, on a line of its own, when a data file is cut short under the run.
  AnswerOutput(bool eachAtOnce, const std::string& cutShort);
  ~AnswerOutput();
  AnswerOutput(const AnswerOutput&) = delete;
  AnswerOutput& operator=(const AnswerOutput&) = delete;

  // False once an answer could not be written.
  bool Write(std::string_view answer);
  bool Flush();

 private:
  bool eachAtOnce_;
  bool ok_ = true;
};

}  // namespace varkam::tools
