// End-to-end test support: a fresh folder per test and the real program run
// in it with scripted console input, its console captured as one stream.

#ifndef QUILLON_TESTS_E2E_WORKSPACE_H_
#define QUILLON_TESTS_E2E_WORKSPACE_H_

#include <string>
#include <vector>

#include "support/test_run.h"

namespace quillon {
namespace e2e {

/// A path below the source tree.
std::string SourcePath(const std::string& path);

/// The folder a run of the program works in.
using Workspace = TempDir;

struct Outcome {
  std::string transcript;  ///< Standard output and error, merged in order.
  int status = -1;         ///< Exit status, or -1 when killed by a signal.
};

/// Runs the program in the workspace as "quillon" with `keys` on standard
/// input (and `args` after its name); a run that hangs is killed after two
/// minutes.
Outcome RunQuillon(const Workspace& workspace, const std::string& keys,
                   const std::vector<std::string>& args = {});

}  // namespace e2e
}  // namespace quillon

#endif  // QUILLON_TESTS_E2E_WORKSPACE_H_
