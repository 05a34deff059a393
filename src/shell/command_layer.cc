#include "shell/command_layer.h"

#include <memory>

#include "base/line_io.h"
#include "base/paths.h"
#include "base/text.h"
#include "base/wildcard.h"
#include "shell/command_line.h"
#include "shell/commands.h"

namespace quillon {

namespace {

class ConsoleOutput : public CommandOutput {
 public:
  explicit ConsoleOutput(Console* console) : console_(console) {}
  void line(const std::string& text) override { console_->print_line(text); }

 private:
  Console* console_;
};

class FileOutput : public CommandOutput {
 public:
  FileOutput(std::unique_ptr<OutputFile> out, const std::string& name)
      : writer_(std::move(out)), name_(name) {}
  void line(const std::string& text) override { writer_.line(text); }
  /// Closes the file, noting what was lost.
  void close(FailureLog* failures) {
    if (!writer_.close()) failures->note(DiskAction::kWrite, name_, writer_.error());
  }

 private:
  LineWriter writer_;
  std::string name_;
};

class TextOutput : public CommandOutput {
 public:
  void line(const std::string& text) override { text_ += text + "\r\n"; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

bool IsName(const Word& word, const char* name) {
  return !word.quoted && to_lower(word.text) == name;
}

std::string Replace(const std::string& text, const std::string& from, const std::string& to) {
  std::string out;
  size_t start = 0;
  for (size_t at; (at = text.find(from, start)) != std::string::npos; start = at + from.size()) {
    out += text.substr(start, at - start) + to;
  }
  return out + text.substr(start);
}

// The values an element of a "for" set stands for: itself, or the files it
// matches with the folder part as written.
void AddForValues(Disk& disk, const Word& element, std::vector<Word>* values) {
  if (element.text.empty()) return;
  if (!has_wildcard(element.text)) {
    values->push_back(element);
    return;
  }
  size_t separator = element.text.find_last_of("\\/");
  std::string folder = separator == std::string::npos ? "" : element.text.substr(0, separator + 1);
  for (const DirEntry& entry : SelectEntries(disk, element.text).entries) {
    if (!entry.is_dir) values->push_back({folder + entry.name, element.quoted});
  }
}

// The values of a "for" set. Commas and semicolons separate elements, except
// in a quoted one: a user's file name is always one element.
std::vector<Word> ForValues(Disk& disk, const std::vector<Word>& set) {
  std::vector<Word> values;
  for (const Word& word : set) {
    if (word.quoted) {
      AddForValues(disk, word, &values);
      continue;
    }
    Word element;
    for (char c : word.text + ",") {
      if (c != ',' && c != ';') {
        element.text += c;
        continue;
      }
      AddForValues(disk, element, &values);
      element.text.clear();
    }
  }
  return values;
}

void Dispatch(CommandEnv& env, std::vector<Word> words);

void RunFor(CommandEnv& env, const std::vector<Word>& words) {
  // for %i in ( SET ) do COMMAND
  size_t i = 1;
  if (words.size() < 5) {
    env.Error("The syntax of the command is incorrect.");
    return;
  }
  std::string variable = words[i++].text;
  if (!IsName(words[i++], "in") || words[i].text.empty() || words[i].text[0] != '(') {
    env.Error("The syntax of the command is incorrect.");
    return;
  }
  std::vector<Word> set;
  bool closed = false;
  for (; i < words.size() && !closed; ++i) {
    Word element = words[i];
    if (set.empty()) element.text.erase(0, 1);
    if (!element.text.empty() && element.text.back() == ')') {
      element.text.pop_back();
      closed = true;
    }
    set.push_back(element);
  }
  if (!closed || i >= words.size() || !IsName(words[i], "do")) {
    env.Error("The syntax of the command is incorrect.");
    return;
  }
  std::vector<Word> body(words.begin() + static_cast<long>(i) + 1, words.end());
  for (const Word& value : ForValues(env.disk, set)) {
    std::vector<Word> command = body;
    for (Word& word : command) {
      std::string replaced = Replace(word.text, variable, value.text);
      if (replaced != word.text) word.quoted = word.quoted || value.quoted;
      word.text = replaced;
    }
    Dispatch(env, command);
  }
}

void Dispatch(CommandEnv& env, std::vector<Word> words) {
  while (words.size() >= 2 && IsName(words[0], "cmd") && IsSwitch(words[1], 'c')) {
    words.erase(words.begin(), words.begin() + 2);
  }
  if (words.empty()) return;
  std::vector<Word> args(words.begin() + 1, words.end());
  const Word& name = words[0];
  if (IsName(name, "dir")) return RunDir(env, args);
  if (IsName(name, "del") || IsName(name, "erase")) return RunDel(env, args);
  if (IsName(name, "md") || IsName(name, "mkdir")) return RunMd(env, args);
  if (IsName(name, "copy")) return RunCopy(env, args);
  if (IsName(name, "rename") || IsName(name, "ren")) return RunRename(env, args);
  if (IsName(name, "find")) return RunFind(env, args);
  if (IsName(name, "findstr")) return RunFindstr(env, args);
  if (IsName(name, "sort")) return RunSort(env, args);
  if (IsName(name, "for")) return RunFor(env, words);
  if (IsName(name, "chcp")) {
    env.out.line("Active code page: 65001");
    return;
  }
  env.Error("'" + name.text + "' is not recognized as an internal or external command,");
  env.Error("operable program or batch file.");
}

// Opens the redirection targets in order; the last one receives the output.
// The error message when a target's folder does not exist or a target
// cannot be written; empty when all are open.
std::string OpenRedirections(Disk& disk, const std::vector<Redirection>& redirections,
                             FailureLog* failures, std::unique_ptr<FileOutput>* output) {
  for (const Redirection& redirection : redirections) {
    std::string path;
    if (!resolve_for_writing(disk, redirection.target, &path)) {
      return "The system cannot find the path specified.";
    }
    std::unique_ptr<OutputFile> file = disk.open_write(path, redirection.append);
    if (!file) {
      failures->note(DiskAction::kWrite, redirection.target, disk.last_error());
      return WriteError(redirection.target, disk.last_error());
    }
    if (*output) (*output)->close(failures);
    *output = std::make_unique<FileOutput>(std::move(file), redirection.target);
  }
  return "";
}

}  // namespace

void CommandLayer::run_command(const std::string& line) {
  CommandLine parsed = ParseCommandLine(line);
  ConsoleOutput console_output(console_);
  if (!parsed.ok) {
    console_->print_error_line("The syntax of the command is incorrect.");
    return;
  }
  std::string piped;
  for (size_t stage = 0; stage < parsed.stages.size(); ++stage) {
    const SimpleCommand& command = parsed.stages[stage];
    bool last = stage + 1 == parsed.stages.size();
    std::unique_ptr<FileOutput> redirected;
    std::string error = OpenRedirections(*disk_, command.redirections, failures_, &redirected);
    if (!error.empty()) {
      console_->print_error_line(error);
      return;
    }
    TextOutput pipe_output;
    CommandOutput* out = redirected ? redirected.get()
                         : last     ? static_cast<CommandOutput*>(&console_output)
                                    : &pipe_output;
    CommandEnv env{*disk_, *console_, *out, stage > 0 ? &piped : nullptr, *failures_, scratch_};
    Dispatch(env, command.words);
    if (redirected) redirected->close(failures_);
    if (!last) piped = pipe_output.text();
  }
}

}  // namespace quillon
