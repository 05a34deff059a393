#include "run/console_waits.h"

#include "base/end_run.h"

namespace quillon {

void choice_prompt(Run& run, const std::string& first, const std::string& second) {
  run.print_line(first);
  run.print_line(second);
  for (;;) {
    std::string key = run.console.wait_key();
    if (key == "1") return;
    if (key == "2") end_run();
  }
}

void stop_prompt(Run& run, const std::string& first, const std::string& second) {
  run.print_line(first);
  run.print_line(second);
  for (;;) {
    std::string key = run.console.wait_key();
    if (key == "1") end_run();
    if (key == "2") return;
  }
}

void stop_if_failed(Run& run) {
  if (!run.failures.empty()) fail_run();
}

void end_prompt(Run& run) {
  stop_if_failed(run);
  run.print_line("<1> = continue and end");
  for (;;) {
    if (run.console.wait_key() == "1") end_run();
  }
}

void any_key_end(Run& run, const std::string& line) {
  stop_if_failed(run);
  run.print_line(line);
  run.console.wait_key();
  end_run();
}

}  // namespace quillon
