// The command lines of the work phases ("dir /b *. > dir_01.txt", "copy /y
// ...", "sort a /o b", ...) are performed here, inside the program, on every
// platform. No shell and no other program is ever started.

#ifndef QUILLON_SHELL_COMMAND_LAYER_H_
#define QUILLON_SHELL_COMMAND_LAYER_H_

#include <string>
#include <utility>

#include "base/console.h"
#include "base/disk.h"
#include "base/failure_log.h"

namespace quillon {

/// The names the commands write their own scratch files under; the layer
/// above, which names every work file, gives them.
struct ScratchNames {
  /// The file in the root folder through which a copy is made before it
  /// takes the target's name in one step, so that a target is either as it
  /// was or complete.
  std::string copy;
  /// The scratch runs of a large sort: the prefix, a number, the suffix.
  std::string sort_prefix;
  std::string sort_suffix;
};

class CommandLayer {
 public:
  CommandLayer(Disk* disk, Console* console, FailureLog* failures, ScratchNames scratch)
      : disk_(disk), console_(console), failures_(failures), scratch_(std::move(scratch)) {}

  /// Performs the command line and returns when it is done. What it prints
  /// and does not redirect goes to the console, its errors to standard error;
  /// what failed on the disk is also noted in the failure log.
  void run_command(const std::string& line);

 private:
  Disk* disk_;
  Console* console_;
  FailureLog* failures_;
  ScratchNames scratch_;
};

}  // namespace quillon

#endif  // QUILLON_SHELL_COMMAND_LAYER_H_
