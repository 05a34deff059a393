#include "app/tool_checks.h"

#include <vector>

#include "base/text.h"
#include "run/console_waits.h"
#include "run/work_files.h"
#include "run/work_folders.h"

namespace quillon {

namespace {

using namespace work_files;

struct Probe {
  const char* name;
  std::vector<std::string> commands;
  const std::string& counted;
  long needed;
  const char* failure[2];
};

// The find and findstr probes look for "<DIR>": every full listing holds at
// least the "." and ".." lines, while a folder need not hold any program file.
const std::string kClearChecks = "cmd /c for %i in (check_*.txt) do del /q %i >> " + kCheckSink;
const Probe kProbes[] = {
    {"cmd",
     {"cmd /c dir *. > " + kCheckListing},
     kCheckListing,
     1,
     {"Checking for cmd.exe!", "The system path to the program is most likely to be configured."}},
    {"find",
     {"dir > " + kCheckSink, kClearChecks, "cmd /c dir > " + kCheckListing,
      "cmd /c find /i \"<DIR>\" " + kCheckListing + " >  " + kCheckResult},
     kCheckResult,
     2,
     {"Checking for find.exe!", "The system path to the program is most likely to be configured."}},
    {"findstr",
     {"dir > " + kCheckSink, kClearChecks, "cmd /c dir > " + kCheckListing,
      "cmd /c findstr /i \"<DIR>\" " + kCheckListing + " >  " + kCheckResult},
     kCheckResult,
     2,
     {"Checking for findstr.exe!",
      "The system path to the program is most likely to be configured."}},
    {"sort",
     {"dir > " + kCheckListing, "del /q check_*.txt", "dir *. > " + kCheckListing,
      "sort " + kCheckListing + " /o " + kCheckResult},
     kCheckResult,
     2,
     {"Checking for sort.exe", "It is probably necessary to set the system path to the program."}},
};

}  // namespace

long count_nonblank_lines(Run& run, const std::string& name) {
  return count_lines(run.files, name, [](const std::string& line) { return !trim_left(line).empty(); });
}

void run_tool_checks(Run& run) {
  run.print_line();
  run.print_line(kSeparator);
  run.print_line("Checking the accessibility of some urgently needed programs:");
  run.print_line("cmd.exe, find.exe, findstr.exe, sort.exe, wget.exe");
  run.print_line();
  bool first = true;
  for (const Probe& probe : kProbes) {
    if (!first) run.print_line();
    first = false;
    run.print_line(probe.name);
    for (const std::string& command : probe.commands) run.run_command(command);
    if (count_nonblank_lines(run, probe.counted) >= probe.needed) continue;
    // A probe whose files could not be written says nothing about the tool.
    stop_if_failed(run.failures);
    run.print_line(kSeparator);
    run.print_line(probe.failure[0]);
    run.print_line(probe.failure[1]);
    end_prompt(run.console, run.failures);
  }
}

}  // namespace quillon
