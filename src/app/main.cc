#include <cstdio>
#include <cstring>
#include <string>

#include "app/run_driver.h"
#include "app/usage.h"
#include "compare/comparison_page.h"

namespace {

// The value of "--part-size=BYTES": digits only, so that a typing slip is
// not taken for a size.
bool PartSize(const char* argument, long* size) {
  const char prefix[] = "--part-size=";
  if (std::strncmp(argument, prefix, sizeof prefix - 1) != 0) return false;
  std::string digits = argument + sizeof prefix - 1;
  if (digits.empty() || digits.size() > 12 ||
      digits.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  *size = std::stol(digits);
  return true;
}

// The value of "--jobs=N": the threads that write the index pages, 0 for one
// per core.
bool Jobs(const char* argument, int* jobs) {
  const char prefix[] = "--jobs=";
  if (std::strncmp(argument, prefix, sizeof prefix - 1) != 0) return false;
  std::string digits = argument + sizeof prefix - 1;
  if (digits.empty() || digits.size() > 3 ||
      digits.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  *jobs = std::stoi(digits);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(quillon::usage_text().c_str(), stdout);
    return quillon::kExitDone;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::fputs(quillon::version_text().c_str(), stdout);
    return quillon::kExitDone;
  }
  // Anything else is a mistake, not a run: the folder is not touched.
  quillon::RunOptions options;
  for (int i = 1; i < argc; ++i) {
    if (!PartSize(argv[i], &options.part_size) && !Jobs(argv[i], &options.jobs)) {
      std::fprintf(stderr, "quillon: unknown argument '%s'\n\n", argv[i]);
      std::fputs(quillon::usage_text().c_str(), stderr);
      return quillon::kExitRefused;
    }
  }
  return quillon::run_main(argc > 0 ? argv[0] : "", options);
}
