// End-to-end test support: a fresh folder per test and the real program run
// in it with scripted console input; and pieces of what the work phases
// print and write, for the tests that drive a run past the opening screens.

#ifndef QUILLON_TESTS_E2E_WORKSPACE_H_
#define QUILLON_TESTS_E2E_WORKSPACE_H_

#include <sys/types.h>
#include <sys/wait.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "support/test_run.h"

namespace quillon {
namespace e2e {

std::string SourcePath(const std::string& path);  ///< Below the source tree.

/// The folder a run of the program works in.
using Workspace = TempDir;

/// Writes `files` below `folder` of the workspace.
inline void Put(const Workspace& workspace, const FileMap& files,
                const std::string& folder = "compare_in") {
  for (const auto& file : files) workspace.write(folder + "/" + file.first, file.second);
}

/// In a child process: becomes the program, as "quillon" with `args`, in the
/// workspace; a run that hangs is ended after two minutes.
[[noreturn]] void ExecQuillon(const Workspace& workspace, const std::vector<std::string>& args);

/// The program started in the workspace with `keys` on standard input, which
/// is closed after them unless more keys are to come.
class Command {
 public:
  struct Io {
    Io(int out_fd = -1, bool err_apart = false, bool more_keys = false, const std::string& tmp = "")
        : out_fd(out_fd), err_apart(err_apart), more_keys(more_keys), tmp(tmp) {}
    int out_fd;       ///< Standard output goes there, not into `out`.
    bool err_apart;   ///< Standard error into `err`, not merged into `out`.
    bool more_keys;   ///< Standard input stays open for Type().
    std::string tmp;  ///< TMPDIR, when not empty.
  };
  Command(const Workspace& workspace, const std::vector<std::string>& args,
          const std::string& keys = "", const Io& io = Io());
  ~Command();
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  pid_t pid() const { return pid_; }
  /// Reads the output until it shows `text`; false when the program ended first.
  bool ReadUntil(const std::string& text);
  /// Types the keys that were to come, and closes standard input.
  void Type(const std::string& keys);
  /// Waits for the end; the exit status, or -1 when a signal ended it.
  int Finish();
  /// False once the program has ended.
  bool Running();
  /// The signal that ended it, or 0.
  int Signal() const { return reaped_ && WIFSIGNALED(wait_status_) ? WTERMSIG(wait_status_) : 0; }

  std::string out, err;  ///< What it wrote.

 private:
  pid_t pid_ = -1;
  int in_ = -1, out_ = -1, err_ = -1;
  int wait_status_ = 0;
  bool reaped_ = false;
};

struct Outcome {
  std::string transcript;  ///< Standard output and error, merged in order.
  int status = -1;         ///< Exit status, or -1 when killed by a signal.
};

/// Runs the program in the workspace as "quillon" with `keys` on standard
/// input (and `args` after its name).
Outcome RunQuillon(const Workspace& workspace, const std::string& keys,
                   const std::vector<std::string>& args = {});

const char kSeparator[] = "----------------------------";
/// The console's last wait of a run that reached its end.
const char kLastWait[] = "<...> any key to continue and end\r\n";
/// Choose the first and second file, take the default width and site, end.
const char kCompareFirstTwo[] = "1\n2\n\n\nx";

/// Keys that pass the three opening screens.
inline std::string Opening(const std::string& keys) {
  return "111" + keys;
}

inline bool Printed(const Outcome& o, const std::string& text) {
  return o.transcript.find(text) != std::string::npos;
}

inline bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

inline std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

/// The numbered list of compare_in that the choice of files shows.
inline std::string FileList(std::initializer_list<std::string> names) {
  std::string text;
  int number = 0;
  for (const std::string& name : names)
    text += " " + std::to_string(++number) + " " + name + "\r\n";
  return text;
}

/// compare.htm for two cells of already trimmed lines.
inline std::string ComparePage(const std::string& width, const std::vector<std::string>& left,
                               const std::vector<std::string>& right) {
  std::string page =
      Lines({"<HTML>", "<head>",
             "<meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">", "<title>",
             "compare.htm", "</title>", "</head>", "<body>", "<br>", "<br><br>",
             "<b>Just double-clicking on any word is enough to access the index of all words "
             "(full-text search).</b>",
             "<table style=\"width:" + width + "\">", "<tr valign=\"top\">", "<td>"});
  for (const std::string& line : left) page += " <br>" + line + "\r\n";
  page += Lines({"</td>", "<td>", "<td>"});
  for (const std::string& line : right) page += " <br>" + line + "\r\n";
  return page + Lines({"</td>", "</tr>", "</table>", "<br>", "</body>", "</html>"});
}

}  // namespace e2e
}  // namespace quillon

#endif  // QUILLON_TESTS_E2E_WORKSPACE_H_
