// Runs arbitrary command lines through the built-in command layer on a real
// throw-away folder and checks that nothing outside it is ever named to the
// disk or changed, and that no command grows the folder without bound.
//
// Input: up to eight command lines, one a line (LF). The folder is filled
// afresh before every input; beside it lies a folder "outside" that must
// stay as it is.

#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/disk.h"
#include "base/fake_console.h"
#include "base/run.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

const uintmax_t kFolderBytes = 8u << 20;
const size_t kFolderEntries = 20000;
const char kMarkerName[] = "marker.txt";
const char kMarkerText[] = "outside the working folder\r\n";

[[noreturn]] void Fail(const std::string& what, const std::string& detail) {
  std::fprintf(stderr, "BROKEN: %s\n  [%s]\n", what.c_str(), detail.c_str());
  std::abort();
}

// What the operating system makes of a disk path: its text up to the first
// NUL byte. That must name the folder itself or something below it.
void CheckInside(const char* operation, const std::string& path) {
  std::string seen = path.substr(0, path.find('\0'));
  if (!seen.empty() && seen[0] == '/') Fail(std::string(operation) + " of an absolute path", path);
  std::stringstream parts(seen);
  for (std::string part; std::getline(parts, part, '/');) {
    if (part == "..") Fail(std::string(operation) + " of a path above the folder", path);
  }
}

// The real disk, with every path it is given checked first.
class GuardedDisk : public Disk {
 public:
  explicit GuardedDisk(const std::string& root) : disk_(MakeRealDisk(root)) {}
  bool Stat(const std::string& path, DirEntry* entry) override {
    CheckInside("Stat", path);
    return disk_->Stat(path, entry);
  }
  bool ReadDir(const std::string& dir, std::vector<DirEntry>* entries) override {
    CheckInside("ReadDir", dir);
    return disk_->ReadDir(dir, entries);
  }
  std::unique_ptr<InputFile> OpenRead(const std::string& path) override {
    CheckInside("OpenRead", path);
    return disk_->OpenRead(path);
  }
  std::unique_ptr<OutputFile> OpenWrite(const std::string& path, bool append) override {
    CheckInside("OpenWrite", path);
    return disk_->OpenWrite(path, append);
  }
  bool MakeDir(const std::string& path) override {
    CheckInside("MakeDir", path);
    return disk_->MakeDir(path);
  }
  bool RemoveFile(const std::string& path) override {
    CheckInside("RemoveFile", path);
    return disk_->RemoveFile(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    CheckInside("Rename", from);
    CheckInside("Rename", to);
    return disk_->Rename(from, to);
  }
  std::string AbsolutePath(const std::string& path) override { return disk_->AbsolutePath(path); }
  uint64_t FreeBytes() override { return 1u << 30; }

 private:
  std::unique_ptr<Disk> disk_;
};

void WriteFile(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << content;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// The files a run finds in the program's folder halfway through.
void FillFolder(const fs::path& box) {
  const std::string lines = "The quick brown fox\r\nand the lazy dog\r\nthe end";
  WriteFile(box / "a.txt", lines + "\r\n");
  WriteFile(box / "b.txt", "A quick red fox\nran over the cat\n");
  WriteFile(box / "compare_in" / "a.txt", lines);
  WriteFile(box / "compare_in" / "My File.TXT", "mixed case name\r\n");
  WriteFile(box / "htm_wrk" / "compare.htm", "<html>\r\n<br>The quick brown fox\r\n</html>\r\n");
  WriteFile(
      box / "wrd_03.txt",
      "\"fox\",\"id00000001\",\"1\"\r\n\"dog\",\"id00000002\",\"1\"\r\n\"the\",\"id00000003\","
      "\"2\"\r\n");
  WriteFile(box / "page_01.htm", "<br>The quick brown fox\r\n");
  fs::create_directories(box / "txt_in");
  fs::create_directories(box / "wrd_24");
}

// Every file and folder below `root` with its content ("/" for folders).
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> entries;
  for (const auto& item : fs::recursive_directory_iterator(root)) {
    std::string name = item.path().lexically_relative(root).generic_string();
    entries[name] = item.is_directory() ? "/" : ReadFile(item.path());
  }
  return entries;
}

class Sandbox {
 public:
  Sandbox() {
    std::string pattern = (fs::temp_directory_path() / "quillon-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) Fail("no temporary folder", pattern);
    base_ = pattern;
    box_ = base_ / "box";
    WriteFile(base_ / "outside" / kMarkerName, kMarkerText);
    fs::create_directories(base_ / "outside" / "folder");
    outside_ = Snapshot(base_);
  }
  ~Sandbox() {
    std::error_code error;
    fs::remove_all(base_, error);
  }

  void Reset() {
    std::error_code error;
    fs::remove_all(box_, error);
    fs::create_directories(box_);
    FillFolder(box_);
  }

  // Nothing beside the folder changed, and the folder stayed within bounds.
  void Check() {
    uintmax_t bytes = 0;
    size_t entries = 0;
    for (const auto& item : fs::recursive_directory_iterator(box_)) {
      if (++entries > kFolderEntries) Fail("runaway entries", box_.string());
      if (item.is_regular_file()) bytes += item.file_size();
      if (item.is_symlink()) Fail("symbolic link made", item.path().string());
    }
    if (bytes > kFolderBytes) Fail("runaway growth", std::to_string(bytes) + " bytes");
    std::error_code error;
    fs::remove_all(box_, error);
    if (Snapshot(base_) != outside_) Fail("something outside the folder changed", base_.string());
  }

  std::string root() const { return box_.string(); }

 private:
  fs::path base_;
  fs::path box_;
  std::map<std::string, std::string> outside_;
};

// A command that would grow a file without end meets a failing write instead
// of filling the machine's disk; the size check then reports it.
bool LimitFileSize() {
  struct rlimit limit = {kFolderBytes * 4, kFolderBytes * 4};
  signal(SIGXFSZ, SIG_IGN);
  return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

Sandbox& TheSandbox() {
  static bool limited = LimitFileSize();
  static Sandbox sandbox;
  if (!limited) Fail("no file size limit", "setrlimit");
  return sandbox;
}

std::vector<std::string> CommandLines(const std::string& input) {
  std::vector<std::string> lines;
  std::stringstream parts(input);
  for (std::string line; lines.size() < 8 && std::getline(parts, line, '\n');) {
    lines.push_back(line);
  }
  return lines;
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  Sandbox& sandbox = TheSandbox();
  sandbox.Reset();
  {
    GuardedDisk disk(sandbox.root());
    // One answer for an overwrite question; the next meets the end of input.
    FakeConsole console("y\n");
    Run run(&disk, &console, "quillon");
    std::string input(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : CommandLines(input)) run.run_command(line);
    run.files.close_all();
  }
  sandbox.Check();
  return 0;
}
