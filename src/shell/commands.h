// What the built-in commands share: where their output goes, where their
// errors go, and how their arguments name entries on disk.

#ifndef QUILLON_SHELL_COMMANDS_H_
#define QUILLON_SHELL_COMMANDS_H_

#include <string>
#include <vector>

#include "base/console.h"
#include "base/disk.h"
#include "base/failure_log.h"
#include "shell/command_layer.h"
#include "shell/command_line.h"

namespace quillon {

/// Where a command's standard output goes.
class CommandOutput {
 public:
  virtual ~CommandOutput() = default;
  /// Writes the text and CR LF.
  virtual void line(const std::string& text) = 0;
};

struct CommandEnv {
  Disk& disk;
  Console& console;
  CommandOutput& out;
  const std::string* input;  ///< Piped standard input, or null.
  FailureLog& failures;
  const ScratchNames& scratch;

  void Error(const std::string& text) { console.print_error_line(text); }
  /// Notes a failure of the disk; a missing file is none.
  void Failed(DiskAction action, const std::string& path, DiskError reason) {
    if (reason != DiskError::kNotFound) failures.note(action, path, reason);
  }
};

/// The entries an argument such as "compare_in\*.txt", "txt_in\" or "a.txt"
/// stands for.
struct Selection {
  bool folder_found = false;
  std::string folder;             ///< Disk path of the folder searched.
  std::string pattern;            ///< The last part; empty when a whole folder is meant.
  bool names_folder = false;      ///< The argument itself is a folder.
  std::vector<DirEntry> entries;  ///< The matches, in listing order.
};

Selection SelectEntries(Disk& disk, const std::string& argument);

/// The argument words without the switches, and which switches were given.
std::vector<std::string> PlainArguments(const std::vector<Word>& args);
bool HasSwitch(const std::vector<Word>& args, char name);
/// "/a-d": files only, no folders.
bool HasFilesOnlySwitch(const std::vector<Word>& args);

void RunDir(CommandEnv& env, const std::vector<Word>& args);
void RunDel(CommandEnv& env, const std::vector<Word>& args);
void RunMd(CommandEnv& env, const std::vector<Word>& args);
void RunCopy(CommandEnv& env, const std::vector<Word>& args);
void RunRename(CommandEnv& env, const std::vector<Word>& args);
void RunFind(CommandEnv& env, const std::vector<Word>& args);
void RunFindstr(CommandEnv& env, const std::vector<Word>& args);
void RunSort(CommandEnv& env, const std::vector<Word>& args);

/// What a command prints when it cannot read or write a file: which file,
/// and why.
std::string ReadError(const std::string& name, DiskError reason);
std::string WriteError(const std::string& name, DiskError reason);

/// The lines of a text, each without its LF or CR LF.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace quillon

#endif  // QUILLON_SHELL_COMMANDS_H_
