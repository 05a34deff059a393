// Taking a command line apart: words, switches, redirections and the one pipe.
//
// A double quote opens and closes a quoted part; inside it blanks, ">" and
// "|" are plain text and two double quotes stand for one. A word with a
// quoted part is always a plain argument, so a file name can never turn into
// a command, a switch or a redirection.

#ifndef QUILLON_SHELL_COMMAND_LINE_H_
#define QUILLON_SHELL_COMMAND_LINE_H_

#include <string>
#include <vector>

namespace quillon {

struct Word {
  std::string text;
  bool quoted = false;
};

struct Redirection {
  std::string target;
  bool append = false;
};

struct SimpleCommand {
  std::vector<Word> words;
  std::vector<Redirection> redirections;
};

/// One command, or two joined by "|".
struct CommandLine {
  std::vector<SimpleCommand> stages;
  bool ok = true;  ///< False when a redirection has no target.
};

CommandLine ParseCommandLine(const std::string& line);

/// Puts a name between double quotes for a command line, doubling any double
/// quote inside it.
std::string QuoteArgument(const std::string& text);

/// True for an unquoted word that is the switch `name` ("/q" for 'q').
bool IsSwitch(const Word& word, char name);

}  // namespace quillon

#endif  // QUILLON_SHELL_COMMAND_LINE_H_
