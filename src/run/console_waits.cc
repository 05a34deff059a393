#include "run/console_waits.h"

#include "base/end_run.h"

namespace quillon {

void choice_prompt(Console& console, const std::string& first, const std::string& second) {
  console.print_line(first);
  console.print_line(second);
  for (;;) {
    std::string key = console.wait_key();
    if (key == "1") return;
    if (key == "2") end_run();
  }
}

void stop_prompt(Console& console, const std::string& first, const std::string& second) {
  console.print_line(first);
  console.print_line(second);
  for (;;) {
    std::string key = console.wait_key();
    if (key == "1") end_run();
    if (key == "2") return;
  }
}

void stop_if_failed(const FailureLog& failures) {
  if (!failures.empty()) fail_run();
}

void end_prompt(Console& console, const FailureLog& failures) {
  stop_if_failed(failures);
  console.print_line("<1> = continue and end");
  for (;;) {
    if (console.wait_key() == "1") end_run();
  }
}

void any_key_end(Console& console, const FailureLog& failures, const std::string& line) {
  stop_if_failed(failures);
  console.print_line(line);
  console.wait_key();
  end_run();
}

}  // namespace quillon
