// The command line: options and the two files of the one-command form, read
// into the run's options, or the one line that says what is wrong with it.

#ifndef QUILLON_APP_ARGUMENTS_H_
#define QUILLON_APP_ARGUMENTS_H_

#include <string>

#include "run/run_options.h"

namespace quillon {

struct Arguments {
  enum class Action { kRun, kHelp, kVersion, kClean, kUsageError };
  Action action = Action::kRun;
  RunOptions options;
  /// --clean was given; with the files of the one-command form it is
  /// refused, acted on once every option is read.
  bool clean = false;
  /// For kClean: --yes, the work names the record does not name go too.
  bool yes = false;
  /// For kUsageError: what is wrong, naming the argument ("invalid table
  /// width 'abc' ..."), without the program's name.
  std::string error;
};

/// Reads the command line. --help and --version act where they stand, as
/// in other tools: what comes after them is not looked at.
Arguments parse_arguments(int argc, char* const* argv);

/// True for a --width value: digits with an optional fraction that the
/// dialogue's width question reads as a number greater than 0.
bool valid_width(const std::string& value);

/// True for a --site value: a host name with an optional path, of ASCII
/// letters, digits and . - _ / : ~ only, so that no markup can reach the
/// search pages' links.
bool valid_site(const std::string& value);

}  // namespace quillon

#endif  // QUILLON_APP_ARGUMENTS_H_
