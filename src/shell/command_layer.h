// The command lines of the work phases ("dir /b *. > dir_01.txt", "copy /y
// ...", "sort a /o b", ...) are performed here, inside the program, on every
// platform. No shell and no other program is ever started.

#ifndef QUILLON_SHELL_COMMAND_LAYER_H_
#define QUILLON_SHELL_COMMAND_LAYER_H_

#include <string>

#include "base/console.h"
#include "base/disk.h"

namespace quillon {

class CommandLayer {
 public:
  CommandLayer(Disk* disk, Console* console) : disk_(disk), console_(console) {}

  /// Performs the command line and returns when it is done. What it prints
  /// and does not redirect goes to the console, its errors to standard error.
  void run_command(const std::string& line);

 private:
  Disk* disk_;
  Console* console_;
};

}  // namespace quillon

#endif  // QUILLON_SHELL_COMMAND_LAYER_H_
