// A whole run for tests: on the in-memory disk, or on a fresh temporary
// folder, with a scripted console.

#ifndef QUILLON_SUPPORT_TEST_RUN_H_
#define QUILLON_SUPPORT_TEST_RUN_H_

#include <map>
#include <memory>
#include <string>

#include "base/end_run.h"
#include "run/run.h"
#include "support/fake_console.h"
#include "support/fake_disk.h"

namespace quillon {

struct RunState;

/// Calls `work`; false when it ended the run.
template <class Work>
bool Completes(Work&& work) {
  try {
    work();
    return true;
  } catch (const RunEnded&) {
    return false;
  }
}

/// Runs the phases from `first` to `last`, as the driver does; false when
/// the run ended on the way.
bool RunPhases(Run& run, RunState& state, const std::string& first, const std::string& last);

/// The text with the date and time lines of page heads made constant.
std::string WithoutClock(const std::string& text);

using FileMap = std::map<std::string, std::string>;

/// A whole file; empty when it cannot be read.
std::string ReadFile(const std::string& path);
/// Every file below a folder, relative path to content.
FileMap FilesBelow(const std::string& dir);

/// A fresh folder in the temporary folder, removed with everything in it at
/// the end (unless QUILLON_KEEP_WORKSPACE is set).
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

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

/// Everything the run printed so far.
inline std::string transcript_of(Run& run, FakeConsole& console) {
  run.console.flush();
  return console.transcript();
}

/// What a command line prints, standard error included.
inline std::string output_of(Run& run, FakeConsole& console, const std::string& line) {
  transcript_of(run, console);
  console.clear();
  run.run_command(line);
  return transcript_of(run, console);
}

/// A run on the fake disk.
struct FakeRun {
  explicit FakeRun(const std::string& keys = "") : console(keys), run(&disk, &console, "quillon") {}
  std::string transcript() { return transcript_of(run, console); }
  std::string issue(const std::string& line) { return output_of(run, console, line); }
  FakeDisk disk;
  FakeConsole console;
  Run run;
};

/// A run on a real temporary folder.
struct DiskRun {
  explicit DiskRun(const std::string& keys = "")
      : disk(make_real_disk(dir.root())), console(keys), run(disk.get(), &console, "quillon") {}
  std::string transcript() { return transcript_of(run, console); }
  std::string issue(const std::string& line) { return output_of(run, console, line); }
  void write(const std::string& path, const std::string& content) { dir.write(path, content); }
  std::string read(const std::string& path) { return dir.read(path); }
  TempDir dir;
  std::unique_ptr<Disk> disk;
  FakeConsole console;
  Run run;
};

}  // namespace quillon

#endif  // QUILLON_SUPPORT_TEST_RUN_H_
