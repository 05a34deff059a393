#include "app/tool_checks.h"

#include "app/console_waits.h"
#include "base/text.h"
#include "base/work_folders.h"

namespace quillon {

namespace {

struct Probe {
  const char* name;
  const char* commands[4];
  long needed;
  const char* failure[2];
};

// The find and findstr probes look for "<DIR>": every full listing holds at
// least the "." and ".." lines, while a folder need not hold any program file.
const Probe kProbes[] = {
    {"cmd",
     {"cmd /c dir *. > check_01.txt", nullptr, nullptr, nullptr},
     1,
     {"Checking for cmd.exe!", "The system path to the program is most likely to be configured."}},
    {"find",
     {"dir > out_null.txt", "cmd /c for %i in (check_*.txt) do del /q %i >> out_null.txt",
      "cmd /c dir > check_01.txt", "cmd /c find /i \"<DIR>\" check_01.txt >  check_02.txt"},
     2,
     {"Checking for find.exe!", "The system path to the program is most likely to be configured."}},
    {"findstr",
     {"dir > out_null.txt", "cmd /c for %i in (check_*.txt) do del /q %i >> out_null.txt",
      "cmd /c dir > check_01.txt", "cmd /c findstr /i \"<DIR>\" check_01.txt >  check_02.txt"},
     2,
     {"Checking for findstr.exe!",
      "The system path to the program is most likely to be configured."}},
    {"sort",
     {"dir > check_01.txt", "del /q check_*.txt", "dir *. > check_01.txt",
      "sort check_01.txt /o check_02.txt"},
     2,
     {"Checking for sort.exe", "It is probably necessary to set the system path to the program."}},
};

}  // namespace

long count_nonblank_lines(Run& run, const std::string& name) {
  return count_lines(run, name, [](const std::string& line) { return !trim_left(line).empty(); });
}

void run_tool_checks(Run& run) {
  run.print_line();
  run.print_line("----------------------------");
  run.print_line("Checking the accessibility of some urgently needed programs:");
  run.print_line("cmd.exe, find.exe, findstr.exe, sort.exe, wget.exe");
  run.print_line();
  bool first = true;
  for (const Probe& probe : kProbes) {
    if (!first) run.print_line();
    first = false;
    run.print_line(probe.name);
    for (const char* command : probe.commands) {
      if (command) run.run_command(command);
    }
    const char* counted = probe.needed == 1 ? "check_01.txt" : "check_02.txt";
    if (count_nonblank_lines(run, counted) >= probe.needed) continue;
    run.print_line("----------------------------");
    run.print_line(probe.failure[0]);
    run.print_line(probe.failure[1]);
    end_prompt(run);
  }
}

}  // namespace quillon
