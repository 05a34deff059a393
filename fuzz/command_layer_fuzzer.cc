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
#include "run/run.h"
#include "support/fake_console.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;

const uintmax_t kFolderBytes = 8u << 20;
const size_t kFolderEntries = 20000;

[[noreturn]] void Fail(const std::string& what, const std::string& detail) {
  std::fprintf(stderr, "BROKEN: %s\n  [%s]\n", what.c_str(), detail.c_str());
  std::abort();
}

// What the operating system makes of a disk path, its text up to the first
// NUL byte, must name the folder itself or something below it.
bool Inside(const std::string& operation, const std::string& path) {
  std::string seen = path.substr(0, path.find('\0'));
  if (!seen.empty() && seen[0] == '/') Fail(operation + " of an absolute path", path);
  std::stringstream parts(seen);
  for (std::string part; std::getline(parts, part, '/');) {
    if (part == "..") Fail(operation + " of a path above the folder", path);
  }
  return true;
}

// The real disk, with every path it is given checked first.
class GuardedDisk : public Disk {
 public:
  explicit GuardedDisk(const std::string& root) : disk_(make_real_disk(root)) {}
  bool stat(const std::string& p, DirEntry* e) override {
    return Inside("stat", p) && disk_->stat(p, e);
  }
  bool read_dir(const std::string& p, std::vector<DirEntry>* e) override {
    return Inside("read_dir", p) && disk_->read_dir(p, e);
  }
  std::unique_ptr<InputFile> open_read(const std::string& p) override {
    return Inside("open_read", p) ? disk_->open_read(p) : nullptr;
  }
  std::unique_ptr<OutputFile> open_write(const std::string& p, bool append) override {
    return Inside("open_write", p) ? disk_->open_write(p, append) : nullptr;
  }
  bool make_dir(const std::string& p) override {
    return Inside("make_dir", p) && disk_->make_dir(p);
  }
  bool remove_file(const std::string& p) override {
    return Inside("remove_file", p) && disk_->remove_file(p);
  }
  bool remove_dir(const std::string& p) override {
    return Inside("remove_dir", p) && disk_->remove_dir(p);
  }
  bool rename(const std::string& from, const std::string& to) override {
    return Inside("rename", from) && Inside("Rename", to) && disk_->rename(from, to);
  }
  std::string absolute_path(const std::string& path) override { return disk_->absolute_path(path); }
  uint64_t free_bytes() override { return 1u << 30; }
  bool find_folded(const std::string& p, const std::string& name,
                   std::vector<std::string>* names) override {
    return Inside("find_folded", p) && disk_->find_folded(p, name, names);
  }
  bool lock_root() override { return disk_->lock_root(); }

 private:
  std::unique_ptr<Disk> disk_;
};

void WriteFile(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

// Every file and folder below `root` with its content ("/" for folders).
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> entries;
  for (const auto& item : fs::recursive_directory_iterator(root)) {
    std::stringstream content;
    if (!item.is_directory()) content << std::ifstream(item.path(), std::ios::binary).rdbuf();
    entries[item.path().lexically_relative(root).generic_string()] =
        item.is_directory() ? "/" : content.str();
  }
  return entries;
}

// A temporary folder holding "box", the program's folder, and "outside".
class Sandbox {
 public:
  Sandbox() {
    std::string pattern = (fs::temp_directory_path() / "quillon-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) Fail("no temporary folder", pattern);
    base_ = pattern;
    WriteFile(base_ / "outside" / "marker.txt", "outside the working folder\r\n");
    fs::create_directories(base_ / "outside" / "folder");
    outside_ = Snapshot(base_);
  }
  ~Sandbox() {
    std::error_code error;
    fs::remove_all(base_, error);
  }

  // The files a run finds in the program's folder halfway through.
  std::string fill() {
    const fs::path box = base_ / "box";
    const std::string lines = "The quick brown fox\r\nand the lazy dog\r\nthe end";
    WriteFile(box / "a.txt", lines + "\r\n");
    WriteFile(box / "b.txt", "A quick red fox\nran over the cat\n");
    WriteFile(box / "compare_in" / "a.txt", lines);
    WriteFile(box / "compare_in" / "My File.TXT", "mixed case name\r\n");
    WriteFile(box / "htm_wrk" / "compare.htm", "<html>\r\n<br>The quick brown fox\r\n</html>\r\n");
    WriteFile(box / "wrd_03.txt",
              "\"fox\",\"id00000001\",\"1\"\r\n\"dog\",\"id00000002\",\"1\"\r\n"
              "\"the\",\"id00000003\",\"2\"\r\n");
    WriteFile(box / "page_01.htm", "<br>The quick brown fox\r\n");
    fs::create_directories(box / "txt_in");
    fs::create_directories(box / "wrd_24");
    return box.string();
  }

  // Nothing beside the folder changed, and the folder stayed within bounds.
  void CheckAndEmpty() {
    const fs::path box = base_ / "box";
    uintmax_t bytes = 0;
    size_t entries = 0;
    for (const auto& item : fs::recursive_directory_iterator(box)) {
      if (++entries > kFolderEntries) Fail("runaway entries", box.string());
      if (item.is_regular_file()) bytes += item.file_size();
      if (item.is_symlink()) Fail("symbolic link made", item.path().string());
    }
    if (bytes > kFolderBytes) Fail("runaway growth", std::to_string(bytes) + " bytes");
    std::error_code error;
    fs::remove_all(box, error);
    if (Snapshot(base_) != outside_) Fail("something outside the folder changed", base_.string());
  }

 private:
  fs::path base_;
  std::map<std::string, std::string> outside_;
};

// A command that would grow a file without end meets a failing write instead
// of filling the machine's disk; the size check then reports it.
Sandbox& TheSandbox() {
  static const bool limited = [] {
    struct rlimit limit = {kFolderBytes * 4, kFolderBytes * 4};
    signal(SIGXFSZ, SIG_IGN);
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }();
  if (!limited) Fail("no file size limit", "setrlimit");
  static Sandbox sandbox;
  return sandbox;
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  Sandbox& sandbox = TheSandbox();
  {
    GuardedDisk disk(sandbox.fill());
    // One answer for an overwrite question; the next meets the end of input.
    FakeConsole console("y\n");
    Run run(&disk, &console, "quillon");
    std::stringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    for (int k = 0; k < 8 && std::getline(lines, line, '\n'); ++k) run.run_command(line);
    run.files.close_all();
  }
  sandbox.CheckAndEmpty();
  return 0;
}
