#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/arguments.h"
#include "app/clean.h"
#include "app/one_command.h"
#include "app/run_driver.h"
#include "app/usage.h"

namespace {

// --help and --version succeed only when their text was written whole.
int Print(const std::string& text) {
  if (std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0) {
    return quillon::kExitDone;
  }
  std::fprintf(stderr, "quillon: write error: %s\n", std::strerror(errno));
  return quillon::kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
  using Action = quillon::Arguments::Action;
  quillon::Arguments arguments = quillon::parse_arguments(argc, argv);
  const char* argv0 = argc > 0 ? argv[0] : "";
  switch (arguments.action) {
    case Action::kHelp:
      return Print(quillon::usage_text());
    case Action::kVersion:
      return Print(quillon::version_text());
    case Action::kUsageError:
      // A mistake, not a run: nothing is touched.
      std::fprintf(stderr, "quillon: %s\nTry 'quillon --help' for more information.\n",
                   arguments.error.c_str());
      return quillon::kExitRefused;
    case Action::kClean:
      return quillon::clean_main(argv0, arguments.yes);
    case Action::kRun:
      break;
  }
  // For a person's shell profile: no progress line in any run.
  const char* progress = std::getenv("QUILLON_PROGRESS");
  if (progress != nullptr && std::strcmp(progress, "0") == 0) arguments.options.quiet = true;
  if (arguments.options.one_command()) return quillon::run_one_command(argv0, arguments.options);
  return quillon::run_main(argv0, arguments.options);
}
