#include "app/one_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/phase_table.h"
#include "app/run_driver.h"
#include "base/console.h"
#include "base/interrupts.h"
#include "base/line_io.h"
#include "base/paths.h"
#include "base/private_folder.h"
#include "base/text.h"
#include "run/output_record.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using namespace work_files;

const size_t kChunk = 65536;

// The reason in the words other tools use for it.
std::string Reason(DiskError error) {
  switch (error) {
    case DiskError::kNotFound:
      return "No such file or directory";
    case DiskError::kDenied:
      return "Permission denied";
    case DiskError::kFull:
      return "No space left on device";
    case DiskError::kNotRegular:
      return "not a regular file";
    case DiskError::kExists:
      return "File exists";
    case DiskError::kTooLong:
      return "File name too long";
    case DiskError::kReadOnly:
      return "Read-only file system";
    case DiskError::kLink:
      return "Too many levels of symbolic links";
    case DiskError::kNotOwn:
      return "not quillon's own";
    case DiskError::kChanged:
      return "changed while it was read";
    case DiskError::kNone:
    case DiskError::kIo:
      break;
  }
  return "Input/output error";
}

// The last part of a path as the command line gave it.
std::string NameOf(const std::string& path) {
  std::string folder, last;
  split_host_path(path, &folder, &last);
  return last;
}

bool g_stderr_failed = false;

// One line on standard error, at once: it must come before what follows on
// standard output.
void Tell(const std::string& line) {
  std::string text = line + "\n";
  if (std::fwrite(text.data(), 1, text.size(), stderr) != text.size() || std::fflush(stderr) != 0) {
    g_stderr_failed = true;
  }
}

void Say(const std::string& line) {
  Tell("quillon: " + line);
}

bool EndsWithFolded(const std::string& name, const std::string& end) {
  return name.size() >= end.size() && to_lower(name.substr(name.size() - end.size())) == end;
}

// The dialogue's console, answered from a script and shown to nobody: only
// its warnings reach standard error. Its last lines are kept, to say where
// a run stopped that did not reach its end.
class AnsweringConsole : public ConsoleDevice {
 public:
  explicit AnsweringConsole(std::string keys) : keys_(std::move(keys)) {}

  void write_out(const char* data, size_t n) override { Keep(data, n); }
  void write_err(const char* data, size_t n) override { Keep(data, n); }
  void write_warning(const char* data, size_t n) override {
    std::string line(data, n);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    Tell(line);
  }
  bool scripted() override { return true; }
  KeyStatus next_key(int, std::string* key) override {
    if (next_ >= keys_.size()) return KeyStatus::kEnd;
    *key = std::string(1, keys_[next_++]);
    return KeyStatus::kKey;
  }
  int width() override { return 80; }

  /// The last line of the dialogue that is not one of its waits.
  std::string last_words() const {
    std::string last;
    for (size_t start = 0; start < tail_.size();) {
      size_t end = tail_.find('\n', start);
      if (end == std::string::npos) end = tail_.size();
      std::string line = trim_blanks(tail_.substr(start, end - start));
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line[0] != '<' && line != kSeparatorLine) last = line;
      start = end + 1;
    }
    return last;
  }

 private:
  static constexpr const char* kSeparatorLine = "----------------------------";

  void Keep(const char* data, size_t n) {
    tail_.append(data, n);
    if (tail_.size() > 2 * kKept) tail_.erase(0, tail_.size() - kKept);
  }

  static const size_t kKept = 4096;
  std::string keys_;
  size_t next_ = 0;
  std::string tail_;
};

// The keys of the dialogue: the three opening screens, files 1 and 2, the
// width and the address; then "1", which goes on past the question that two
// inputs with the same lines raise, or else ends the results screen.
std::string Answers(const RunOptions& options) {
  return "111"
         "1\n"
         "2\n" +
         options.width + "\n" + options.site + "\n" + "1" + "x";
}

struct Input {
  std::string path;  ///< As given.
  std::string leaf;
  std::unique_ptr<Disk> disk;  ///< Rooted at its folder.
  bool html = false;
};

// Opens the input to be read as text; what is wrong with it otherwise.
std::string CheckInput(const std::string& path, Input* input) {
  std::string folder;
  input->path = path;
  split_host_path(path, &folder, &input->leaf);
  input->disk = make_real_disk(folder.empty() ? "." : folder);
  DirEntry entry;
  if (!input->disk->stat(input->leaf, &entry)) return Reason(input->disk->last_error());
  if (entry.is_dir) return "Is a directory";
  std::unique_ptr<InputFile> in = input->disk->open_read(input->leaf);
  if (!in) return Reason(input->disk->last_error());
  std::vector<char> chunk(kChunk);
  long got;
  while ((got = in->read(chunk.data(), chunk.size())) > 0) {
    if (std::memchr(chunk.data(), '\0', static_cast<size_t>(got))) {
      return "not a text file (it holds NUL bytes)";
    }
  }
  if (got < 0) return Reason(in->error());
  input->html = EndsWithFolded(input->leaf, work_files::kPageExtension) ||
                EndsWithFolded(input->leaf, work_files::kLongPageExtension);
  return "";
}

bool CopyInput(Input& input, Disk& work, const std::string& to, DiskError* error) {
  std::unique_ptr<InputFile> in = input.disk->open_read(input.leaf);
  if (!in) {
    *error = input.disk->last_error();
    return false;
  }
  std::unique_ptr<OutputFile> out = work.open_write(to, false);
  if (!out) {
    *error = work.last_error();
    return false;
  }
  std::vector<char> chunk(kChunk);
  long got;
  while ((got = in->read(chunk.data(), chunk.size())) > 0) {
    if (!out->write(chunk.data(), static_cast<size_t>(got))) {
      *error = out->error();
      return false;
    }
  }
  if (got < 0) *error = in->error();
  if (!out->close() && got == 0) *error = out->error();
  return got == 0 && *error == DiskError::kNone;
}

bool SameLines(Disk& disk, const std::string& a, const std::string& b) {
  LineReader first(disk.open_read(a)), second(disk.open_read(b));
  std::string line_a, line_b;
  for (;;) {
    bool more_a = first.next(&line_a), more_b = second.next(&line_b);
    if (more_a != more_b || line_a != line_b) return false;
    if (!more_a) return !first.failed() && !second.failed();
  }
}

// The first numbered page: page 1, with at least one zero before it as the
// part count needs.
bool IsFirstPage(const std::string& name) {
  if (!kNumberedPages.holds(name)) return false;
  std::string number = page_number_text(name);
  return number.size() >= 2 && number.find_first_not_of('0') == number.size() - 1 &&
         number.back() == '1';
}

class OneCommand {
 public:
  OneCommand(const char* argv0, const RunOptions& options) : argv0_(argv0), options_(options) {}
  ~OneCommand() { RemoveWorkFolder(); }

  int run() {
    note_interrupts();
    Input inputs[2];
    const std::string* paths[] = {&options_.first_input, &options_.second_input};
    for (int i = 0; i < 2; ++i) {
      std::string wrong = CheckInput(*paths[i], &inputs[i]);
      if (!wrong.empty()) return Refuse(*paths[i] + ": " + wrong);
    }
    if (!CheckOutput()) return kExitRefused;
    RemoveStaleWorkFolders();
    std::string unmade = MakeWorkFolder(inputs);
    if (Interrupted()) return EndInterrupted();
    if (!unmade.empty()) return Fail(unmade);

    AnsweringConsole console(Answers(options_));
    size_t last_phase = 0;
    int status;
    std::string first_failure;
    // The changes pages name the files as the person knows them, not by the
    // names of their copies in the work folder.
    RunOptions options = options_;
    options.first_shown_name = NameOf(options_.first_input);
    options.second_shown_name = NameOf(options_.second_input);
    {
      Run run(work_.get(), &console, argv0_ ? argv0_ : "");
      status = drive_run(run, options, &last_phase);
      if (!run.failures.empty()) first_failure = describe(run.failures.first().front());
    }
    if (Interrupted()) return EndInterrupted();
    if (!first_failure.empty() || status == kExitFailed) {
      return Fail("the run failed: " +
                  (first_failure.empty() ? console.last_words() : first_failure));
    }
    if (status != kExitDone || last_phase != phase_index("results")) {
      return Fail("the run stopped: " + console.last_words());
    }
    if (SameLines(*work_, join_path(kTextWork, one_command_working_copy(0)),
                  join_path(kTextWork, one_command_working_copy(1)))) {
      Tell("Warning: " + options_.first_input + " and " + options_.second_input +
           " have the same lines");
    }
    return Deliver();
  }

 private:
  int Refuse(const std::string& line) {
    Say(line);
    return kExitRefused;
  }

  int Fail(const std::string& line) {
    Say(line);
    return kExitFailed;
  }

  bool Interrupted() const { return noted_interrupt() != 0; }

  [[noreturn]] int EndInterrupted() {
    work_.reset();
    RemoveWorkFolder();
    end_as_interrupted();
  }

  // The output folder is made or replaced only when nothing of anyone else's
  // can be lost with it.
  bool CheckOutput() {
    shown_ = options_.output_folder;
    while (shown_.size() > 1 && shown_.back() == '/') shown_.pop_back();
    split_host_path(shown_, &parent_, &name_);
    if (name_.empty() || name_ == "." || name_ == "..") {
      Say(shown_ + ": not a folder of its own for the pages; name one with -o");
      return false;
    }
    parent_disk_ = make_real_disk(parent_.empty() ? "." : parent_);
    DirEntry entry;
    if (!parent_disk_->stat(name_, &entry)) {
      if (parent_disk_->last_error() == DiskError::kNotFound) {
        DirEntry folder;
        if (parent_disk_->stat("", &folder) && folder.is_dir) return true;
        Say((parent_.empty() ? "." : parent_) + ": No such file or directory");
      } else {
        Say(shown_ + ": " + Reason(parent_disk_->last_error()));
      }
      return false;
    }
    if (entry.is_link || !entry.is_dir) {
      Say(shown_ + (entry.is_link ? ": a link; name the folder itself" : ": Not a directory"));
      return false;
    }
    output_existed_ = true;
    ForeignEntry foreign = first_foreign_entry(*parent_disk_, name_);
    if (foreign.name.empty()) return true;
    if (foreign.name == ".") {
      Say(shown_ + ": cannot be read");
    } else {
      Say(shown_ + "/" + foreign.name +
          (foreign.changed      ? ": changed since quillon wrote it"
           : foreign.unreadable ? ": cannot be read"
                                : ": not written by quillon"));
    }
    Say(shown_ + " is left as it is; name another folder with -o");
    return false;
  }

  // What a run that was killed left beside the output: a work folder that
  // holds the marker and whose lock no run holds any more. Where such a run
  // had moved the earlier output aside and no output stands, it goes back.
  void RemoveStaleWorkFolders() {
    std::vector<DirEntry> entries;
    if (!parent_disk_->read_dir("", &entries)) return;
    for (const DirEntry& entry : entries) {
      const std::string& name = entry.name;
      if (name.size() != kOneCommandFolderPrefix.size() + 6 ||
          name.compare(0, kOneCommandFolderPrefix.size(), kOneCommandFolderPrefix) != 0 ||
          !entry.is_dir || entry.is_link) {
        continue;
      }
      DirEntry marker;
      std::string path = join_host_path(parent_, name);
      {
        std::unique_ptr<Disk> stale = make_real_disk(path);
        if (!stale->stat(kOneCommandMarker, &marker) || !marker.is_file() || marker.is_link ||
            !stale->lock_root()) {
          continue;
        }
      }
      DirEntry output, earlier;
      DiskError error = DiskError::kNone;
      if (!parent_disk_->stat(name_, &output) &&
          parent_disk_->stat(join_path(name, kEarlierOutput), &earlier) && earlier.is_dir &&
          !move_folder(join_host_path(path, kEarlierOutput), join_host_path(parent_, name_),
                       &error)) {
        continue;
      }
      remove_tree(path);
    }
  }

  // The work folder with the inputs in its compare_in; what went wrong.
  std::string MakeWorkFolder(Input* inputs) {
    DiskError error = DiskError::kNone;
    std::string name = make_private_folder(parent_, kOneCommandFolderPrefix, &error);
    if (name.empty()) {
      return "cannot make a work folder in " + (parent_.empty() ? "." : parent_) + ": " +
             Reason(error);
    }
    work_path_ = join_host_path(parent_, name);
    work_ = stopping_disk(make_real_disk(work_path_));
    // Locked before it is marked, so that no other run takes it for a
    // leftover while this one works in it.
    std::unique_ptr<OutputFile> marker;
    if (!work_->lock_root() || !(marker = work_->open_write(kOneCommandMarker, false)) ||
        !marker->close() || !work_->make_dir(kInputFolder)) {
      return "cannot prepare the work folder " + work_path_ + ": " + Reason(work_->last_error());
    }
    for (int i = 0; i < 2; ++i) {
      std::string copy = join_path(kInputFolder, one_command_input(i, inputs[i].html));
      if (!CopyInput(inputs[i], *work_, copy, &error)) {
        return "cannot copy " + inputs[i].path + " into the work folder: " + Reason(error);
      }
    }
    return "";
  }

  // The marker goes last: a folder that could not be removed whole still
  // says whose it is, and the next run removes the rest.
  void RemoveWorkFolder() {
    if (work_path_.empty()) return;
    work_.reset();
    std::vector<DirEntry> entries;
    make_real_disk(work_path_)->read_dir("", &entries);
    bool removed = true;
    for (const DirEntry& entry : entries) {
      if (entry.name != kOneCommandMarker) {
        removed = remove_tree(join_host_path(work_path_, entry.name)) && removed;
      }
    }
    if (!removed || !remove_tree(work_path_)) {
      Tell("Warning: could not remove the work folder " + work_path_ +
           "; the next run beside it will");
    }
    work_path_.clear();
  }

  int Deliver() {
    const std::string& pages = kHtmlOut;
    DiskError error = DiskError::kNone;
    if (!write_output_record(*work_, pages, &error)) {
      return Fail("cannot write the record of the pages: " + Reason(error));
    }
    std::vector<DirEntry> entries;
    std::string first_page;
    if (list_folder(*work_, pages, &entries)) {
      for (const DirEntry& entry : entries) {
        if (IsFirstPage(entry.name)) first_page = entry.name;
      }
    }
    if (first_page.empty()) return Fail("the run delivered no page to open");
    if (Interrupted()) return EndInterrupted();
    if (g_stderr_failed) return kExitFailed;

    std::string fresh = join_host_path(work_path_, pages);
    std::string output = join_host_path(parent_, name_);
    Placement placement = Place(fresh, output);
    if (placement == Placement::kFailed) return kExitFailed;
    std::string line = shown_ + "/" + first_page + "\n";
    if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size() ||
        std::fflush(stdout) != 0) {
      Undo(placement, fresh, output);
      return Fail(std::string("cannot write the page's path: ") + std::strerror(errno));
    }
    return kExitDone;
  }

  enum class Placement { kFailed, kMoved, kExchanged, kMovedAside };

  // Puts the new pages at `output`: by one exchange where the system can,
  // else by moving the earlier folder aside first. The earlier folder is
  // looked at again once it is out of the way; what appeared in it during
  // the run sends everything back.
  Placement Place(const std::string& fresh, const std::string& output) {
    DiskError error = DiskError::kNone;
    if (!output_existed_) {
      if (move_folder(fresh, output, &error)) return Placement::kMoved;
      Say("cannot put the pages in place as " + shown_ + ": " + Reason(error));
      return Placement::kFailed;
    }
    Placement placement;
    std::string earlier;
    Exchange exchange = exchange_folders(fresh, output, &error);
    if (exchange == Exchange::kDone) {
      placement = Placement::kExchanged;
      earlier = kHtmlOut;
    } else if (exchange == Exchange::kUnsupported &&
               move_folder(output, join_host_path(work_path_, kEarlierOutput), &error)) {
      placement = Placement::kMovedAside;
      earlier = kEarlierOutput;
    } else {
      Say("cannot put the pages in place as " + shown_ + ": " + Reason(error));
      return Placement::kFailed;
    }
    ForeignEntry foreign = first_foreign_entry(*work_, earlier);
    if (!foreign.name.empty()) {
      Undo(placement, fresh, output);
      Say(shown_ + "/" + foreign.name + ": added or changed during the run; " + shown_ +
          " is left as it was");
      return Placement::kFailed;
    }
    if (placement == Placement::kMovedAside && !move_folder(fresh, output, &error)) {
      Undo(placement, fresh, output);
      Say("cannot put the pages in place as " + shown_ + ": " + Reason(error));
      return Placement::kFailed;
    }
    return placement;
  }

  void Undo(Placement placement, const std::string& fresh, const std::string& output) {
    DiskError error = DiskError::kNone;
    std::string aside = join_host_path(work_path_, kEarlierOutput);
    switch (placement) {
      case Placement::kMoved:
        move_folder(output, fresh, &error);
        break;
      case Placement::kExchanged:
        exchange_folders(fresh, output, &error);
        break;
      case Placement::kMovedAside: {
        DirEntry entry;
        if (parent_disk_->stat(name_, &entry)) move_folder(output, fresh, &error);
        move_folder(aside, output, &error);
        break;
      }
      case Placement::kFailed:
        break;
    }
  }

  const char* argv0_;
  RunOptions options_;
  std::string shown_;   ///< The output folder as -o names it.
  std::string parent_;  ///< Its folder ("" for the current one).
  std::string name_;    ///< Its name in that folder.
  std::unique_ptr<Disk> parent_disk_;
  bool output_existed_ = false;
  std::string work_path_;
  std::unique_ptr<Disk> work_;
};

}  // namespace

int run_one_command(const char* argv0, const RunOptions& options) {
  return OneCommand(argv0, options).run();
}

}  // namespace quillon
