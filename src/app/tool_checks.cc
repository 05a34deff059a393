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
const std::string kClearChecks =
    "cmd /c for %i in (" + kEveryCheckFile + ") do del /q %i >> " + kCheckSink;
const Probe kProbes[] = {
    {"cmd",
     {"cmd /c dir " + kEveryFolder + " > " + kCheckListing},
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
     {"dir > " + kCheckListing, "del /q " + kEveryCheckFile,
      "dir " + kEveryFolder + " > " + kCheckListing,
      "sort " + kCheckListing + " /o " + kCheckResult},
     kCheckResult,
     2,
     {"Checking for sort.exe", "It is probably necessary to set the system path to the program."}},
};

}  // namespace

long count_nonblank_lines(FileTable& files, const std::string& name) {
  return count_lines(files, name, [](const std::string& line) { return !trim_left(line).empty(); });
}

void run_tool_checks(CommandLayer& commands, FileTable& files, Console& console,
                     const FailureLog& failures) {
  console.print_line();
  console.print_line(kSeparator);
  console.print_line("Checking the accessibility of some urgently needed programs:");
  console.print_line("cmd.exe, find.exe, findstr.exe, sort.exe, wget.exe");
  console.print_line();
  bool first = true;
  for (const Probe& probe : kProbes) {
    if (!first) console.print_line();
    first = false;
    console.print_line(probe.name);
    for (const std::string& command : probe.commands) commands.run_command(command);
    if (count_nonblank_lines(files, probe.counted) >= probe.needed) continue;
    // A probe whose files could not be written says nothing about the tool.
    stop_if_failed(failures);
    console.print_line(kSeparator);
    console.print_line(probe.failure[0]);
    console.print_line(probe.failure[1]);
    end_prompt(console, failures);
  }
}

}  // namespace quillon
