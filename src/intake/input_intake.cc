#include "intake/input_intake.h"

#include <set>
#include <vector>

#include "base/end_run.h"
#include "base/paths.h"
#include "base/text.h"
#include "base/verified_copy.h"
#include "run/clean_name.h"
#include "run/console_waits.h"
#include "run/work_files.h"
#include "run/work_folders.h"
#include "shell/command_line.h"

namespace quillon {

namespace {

using namespace work_files;

struct InputFolder {
  bool found = false;
  std::string path;  ///< Disk path of compare_in.
  std::vector<DirEntry> entries;
};

InputFolder ListInputFolder(Disk& disk) {
  InputFolder folder;
  DirEntry entry;
  folder.found = resolve_path(disk, kInputFolder, &folder.path) && disk.stat(folder.path, &entry) &&
                 entry.is_dir && list_folder(disk, folder.path, &folder.entries);
  return folder;
}

bool HoldsFiles(const InputFolder& folder) {
  for (const DirEntry& entry : folder.entries) {
    if (entry.is_file()) return true;
  }
  return false;
}

// The run fails: no file of compare_in goes without a complete copy, and
// the driver removes what the run made, so the next run starts afresh.
[[noreturn]] void StopIntake(Console& console, const std::string& name, const std::string& reason) {
  console.print_line();
  console.print_line(kSeparator);
  console.print_line(printable_name(in_folder(kInputFolder, name)) + ": " + reason);
  console.print_line("The intake stopped here; every file of compare_in is kept.");
  fail_run();
}

// The file of the program's folder that a copy to `name` writes: the name
// exactly, as the copy command takes it.
bool ProgramFolderFile(Disk& disk, const std::string& name, std::string* path) {
  DirEntry entry;
  if (!disk.stat(name, &entry) || !entry.is_file()) return false;
  *path = name;
  return true;
}

bool HasCompleteCopy(Disk& disk, const std::string& original, const std::string& name) {
  std::string copy;
  return ProgramFolderFile(disk, name, &copy) && same_bytes(disk, original, copy);
}

// Why the copy of `original` is not complete: the original cannot be read,
// or the copy was not written whole.
std::string IncompleteCopy(Disk& disk, const std::string& original, const std::string& what) {
  if (!disk.open_read(original)) {
    return "it cannot be read (" + describe(disk.last_error()) + ").";
  }
  return what + " is not complete.";
}

// Takes the files of compare_in out and back on the disk itself, one step
// at a time, and stops the run at the first step that fails.
class FolderIntake {
 public:
  FolderIntake(Disk& disk, FailureLog& failures, Console& console, const InputFolder& folder)
      : disk_(disk), failures_(failures), console_(console), folder_(folder) {}

  void CheckCopiesOut() {
    for (const DirEntry& entry : folder_.entries) {
      if (!entry.is_file() || named_like_run_file(entry.name)) continue;
      std::string original = Original(entry.name);
      if (!HasCompleteCopy(disk_, original, entry.name)) {
        Stop(entry.name, IncompleteCopy(disk_, original, "its copy in the program's folder"));
      }
    }
  }

  // The copies of the files of other kinds become the user's before their
  // originals leave compare_in, all at once: a run killed in between leaves
  // two copies of the user's, never one of the user's only copy as the run's.
  void GiveAwayCopies() {
    std::vector<std::string> copies;
    for (const DirEntry& entry : folder_.entries) {
      NameParts parts = input_name_parts(entry.name);
      if (entry.is_file() && parts.marker == 0 && !named_like_run_file(entry.name)) {
        copies.push_back(entry.name);
      }
    }
    if (copies.empty() || disk_.disown(copies)) return;
    failures_.note(DiskAction::kWrite, kOwnRecord, disk_.last_error());
    Stop(copies.front(),
         "its copy could not be recorded as yours (" + describe(disk_.last_error()) + ").");
  }

  void TakeBack(const DirEntry& entry, const std::string& clean) {
    NameParts parts = input_name_parts(entry.name);
    if (parts.marker == 0) {
      // A file of another kind leaves compare_in; one whose only copy would
      // be one the run overwrites stays where it is.
      if (!named_like_run_file(entry.name)) DeleteOriginal(entry.name, entry.name);
      return;
    }
    // A name that is already clean stays where it is.
    if (clean == entry.name) return;
    console_.print_line();
    CopyUnderCleanName(entry.name, clean);
    console_.print_line();
    PutBackUnderCleanName(entry.name, clean);
  }

 private:
  std::string Original(const std::string& name) const { return join_path(folder_.path, name); }

  [[noreturn]] void Stop(const std::string& name, const std::string& reason) {
    StopIntake(console_, name, reason);
  }

  // The original goes only once `copy` holds its bytes, checked right before,
  // in case the file changed since it was copied.
  void DeleteOriginal(const std::string& name, const std::string& copy) {
    if (disk_.remove_moved_original(Original(name), copy)) return;
    if (disk_.last_error() == DiskError::kChanged) {
      Stop(name, "it changed while it was copied; start quillon again.");
    }
    failures_.note(DiskAction::kDelete, in_folder(kInputFolder, name), disk_.last_error());
    Stop(name, "it could not be deleted; its copy is complete.");
  }

  // The program's folder gets a copy under the clean name, taken from the
  // file itself by its name as it is, whatever bytes it holds. A copy there
  // that already holds the same bytes is left alone.
  void CopyUnderCleanName(const std::string& given, const std::string& clean) {
    std::string original = Original(given);
    std::string existing;
    if (ProgramFolderFile(disk_, clean, &existing) && same_bytes(disk_, original, existing)) {
      return;
    }
    if (!copy_verified(disk_, original, clean, &failures_)) {
      Stop(given, IncompleteCopy(disk_, original, "its copy under the name " + clean));
    }
  }

  // A file whose name differs from the clean name only in letter case is
  // another file where the disk tells case apart: only the exact name counts.
  void PutBackUnderCleanName(const std::string& given, const std::string& clean) {
    DirEntry existing;
    std::string target = Original(clean);
    if (!disk_.stat(target, &existing)) return MoveThroughTemporary(given, clean);
    // The same bytes under the clean name: a copy that an interrupted run
    // completed, or a true duplicate.
    if (same_bytes(disk_, Original(given), target)) return DeleteOriginal(given, target);
    // Names that clean to one name were refused before the run began: this
    // one appeared since, and neither file is touched.
    Stop(given, "the name " + clean + " was taken while the run took the files in.");
  }

  void MoveThroughTemporary(const std::string& given, const std::string& clean) {
    std::string target = Original(clean);
    bool copied = copy_verified(disk_, Original(given), kIntakeTemporary, &failures_);
    bool renamed = copied && disk_.rename(kIntakeTemporary, target);
    if (copied && !renamed) {
      failures_.note(DiskAction::kRename, kIntakeTemporary, disk_.last_error());
    }
    if (!renamed) {
      disk_.remove_file(kIntakeTemporary);
      Stop(given, "its copy under the name " + clean + " could not be completed.");
    }
    DeleteOriginal(given, target);
  }

  Disk& disk_;
  FailureLog& failures_;
  Console& console_;
  const InputFolder& folder_;
};

// A file that silently left compare_in would make the person look for it,
// or doubt the run when it says that compare_in is empty.
void WarnLeftOut(Console& console, const std::vector<std::string>& left_out) {
  for (const std::string& name : left_out) {
    console.print_warning(
        name + " is not a .txt or .htm file: it is left out and " +
        (named_like_run_file(name) ? "stays in compare_in." : "now lies beside compare_in."));
  }
}

void PrepareWorkFolder(CommandLayer& commands, FileTable& files, const std::string& folder) {
  commands.run_command("dir /b " + kEveryFolder + " > " + kFolderListing);
  if (folder_listed(files, kFolderListing, folder)) {
    commands.run_command("del /q " + in_folder(folder, kEveryFile) + " > " + kSink);
  } else {
    commands.run_command("md " + folder + " > " + kSink);
  }
}

void RequireTextWork(CommandLayer& commands, FileTable& files, Console& console,
                     const FailureLog& failures) {
  commands.run_command("dir /b " + kEveryFolder + " > " + kFolderListing);
  if (folder_listed(files, kFolderListing, kTextWork)) return;
  console.print_line(kSeparator);
  console.print_line("Subfolder txt_wrk must be created.");
  console.print_line();
  any_key_end(console, failures, "<...> any key to continue and end");
}

}  // namespace

bool named_like_run_file(const std::string& name) {
  return is_work_file_name(to_lower(name));
}

std::map<std::string, std::string> clean_names(const std::vector<DirEntry>& entries) {
  std::set<std::string> taken;
  for (const DirEntry& entry : entries) taken.insert(to_upper(entry.name));
  std::map<std::string, std::string> names;
  for (const DirEntry& entry : entries) {
    if (!entry.is_file()) continue;
    NameParts parts = input_name_parts(entry.name);
    if (parts.marker == 0) continue;
    std::string clean = clean_name(parts);
    if (clean.size() > kMaxNameBytes) {
      clean = fitted_name(clean, parts.extension, kMaxNameBytes,
                          [&](const std::string& name) { return taken.count(to_upper(name)) > 0; });
      taken.insert(to_upper(clean));
    }
    names[entry.name] = clean;
  }
  return names;
}

void take_in_input_folder(Run& run) {
  CommandLayer& commands = run.commands;
  commands.run_command("dir /b " + kInputFolder + "\\ > " + kInputListing);
  InputFolder folder = ListInputFolder(run.disk);
  commands.run_command("copy /y " + in_folder(kInputFolder, kEveryFile) + " > " + kSink);
  // With no file in compare_in the delete is harmless, and it reports the
  // empty or missing folder; otherwise each file is deleted on its own, once
  // it is safe elsewhere.
  if (!HoldsFiles(folder)) {
    commands.run_command("del /q " + in_folder(kInputFolder, kEveryFile) + " > " + kSink);
  }
  FolderIntake intake(run.disk, run.failures, run.console, folder);
  intake.CheckCopiesOut();
  intake.GiveAwayCopies();
  std::map<std::string, std::string> clean = clean_names(folder.entries);
  // The files of other kinds, which the comparison leaves out.
  std::vector<std::string> left_out;
  for (const DirEntry& entry : folder.entries) {
    if (!entry.is_file()) continue;
    intake.TakeBack(entry, clean[entry.name]);
    if (input_name_parts(entry.name).marker == 0) left_out.push_back(entry.name);
  }
  run.console.print_line();
  commands.run_command("dir /b " + kInputFolder + "\\ > " + kInputListing);
  PrepareWorkFolder(commands, run.files, kTextWork);
  PrepareWorkFolder(commands, run.files, kHtmlWork);
  RequireTextWork(commands, run.files, run.console, run.failures);
  WarnLeftOut(run.console, left_out);
}

}  // namespace quillon
