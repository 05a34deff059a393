// End-to-end test support: a fresh folder per test and the real program run
// in it with scripted console input, its console captured as one stream.

#ifndef QUILLON_TESTS_E2E_WORKSPACE_H_
#define QUILLON_TESTS_E2E_WORKSPACE_H_

#include <map>
#include <string>
#include <vector>

namespace quillon {
namespace e2e {

using FileMap = std::map<std::string, std::string>;

/// A path below the source tree.
std::string SourcePath(const std::string& path);
/// A whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);
/// Every file below an absolute folder, relative path to content.
FileMap FilesBelow(const std::string& dir);

class Workspace {
 public:
  Workspace();
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  const std::string& root() const { return root_; }
  /// Writes a file below the root, making its folders.
  void write(const std::string& path, const std::string& content) const;
  std::string read(const std::string& path) const { return ReadFile(root_ + "/" + path); }
  bool Exists(const std::string& path) const;
  /// Every file below the root (or below `dir`), relative path to content.
  FileMap Files(const std::string& dir = "") const {
    return FilesBelow(dir.empty() ? root_ : root_ + "/" + dir);
  }

 private:
  std::string root_;
};

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
