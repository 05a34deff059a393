// End-to-end test support: a fresh folder per test and the real program run
// in it with scripted console input, its console captured as one stream;
// and pieces of what the work phases print and write, for the tests that
// drive a run past the opening screens.

#ifndef QUILLON_TESTS_E2E_WORKSPACE_H_
#define QUILLON_TESTS_E2E_WORKSPACE_H_

#include <initializer_list>
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

/// In a child process: becomes the program, as "quillon" with `args`, in the
/// workspace; a run that hangs is ended after two minutes.
[[noreturn]] void ExecQuillon(const Workspace& workspace, const std::vector<std::string>& args);

/// Runs the program in the workspace as "quillon" with `keys` on standard
/// input (and `args` after its name); a run that hangs is killed after two
/// minutes.
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
