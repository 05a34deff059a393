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
[[noreturn]] void StopIntake(Run& run, const std::string& name, const std::string& reason) {
  run.print_line();
  run.print_line(kSeparator);
  run.print_line(printable_name(kInputFolder + "\\" + name) + ": " + reason);
  run.print_line("The intake stopped here; every file of compare_in is kept.");
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

void CheckCopiesOut(Run& run, const InputFolder& folder) {
  for (const DirEntry& entry : folder.entries) {
    if (!entry.is_file() || named_like_run_file(entry.name)) continue;
    std::string original = join_path(folder.path, entry.name);
    if (!HasCompleteCopy(run.disk, original, entry.name)) {
      StopIntake(run, entry.name,
                 IncompleteCopy(run.disk, original, "its copy in the program's folder"));
    }
  }
}

// The original goes only once `copy` holds its bytes, checked right before,
// in case the file changed since it was copied.
void DeleteOriginal(Run& run, const InputFolder& folder, const std::string& name,
                    const std::string& copy) {
  if (run.disk.remove_moved_original(join_path(folder.path, name), copy)) return;
  if (run.disk.last_error() == DiskError::kChanged) {
    StopIntake(run, name, "it changed while it was copied; start quillon again.");
  }
  run.failures.note(DiskAction::kDelete, kInputFolder + "\\" + name, run.disk.last_error());
  StopIntake(run, name, "it could not be deleted; its copy is complete.");
}

// The copies of the files of other kinds become the user's before their
// originals leave compare_in, all at once: a run killed in between leaves
// two copies of the user's, never one of the user's only copy as the run's.
void GiveAwayCopies(Run& run, const InputFolder& folder) {
  std::vector<std::string> copies;
  for (const DirEntry& entry : folder.entries) {
    NameParts parts = input_name_parts(entry.name);
    if (entry.is_file() && parts.marker == 0 && !named_like_run_file(entry.name)) {
      copies.push_back(entry.name);
    }
  }
  if (copies.empty() || run.disk.disown(copies)) return;
  run.failures.note(DiskAction::kWrite, kOwnRecord, run.disk.last_error());
  StopIntake(run, copies.front(),
             "its copy could not be recorded as yours (" + describe(run.disk.last_error()) + ").");
}

// A file of another kind leaves compare_in.
void MoveOut(Run& run, const InputFolder& folder, const std::string& name) {
  DeleteOriginal(run, folder, name, name);
}

// The program's folder gets a copy under the clean name, taken from the
// file itself by its name as it is, whatever bytes it holds. A copy there
// that already holds the same bytes is left alone.
void CopyUnderCleanName(Run& run, const InputFolder& folder, const std::string& given,
                        const std::string& clean) {
  std::string original = join_path(folder.path, given);
  std::string existing;
  if (ProgramFolderFile(run.disk, clean, &existing) && same_bytes(run.disk, original, existing)) {
    return;
  }
  if (!copy_verified(run.disk, original, clean, &run.failures)) {
    StopIntake(run, given, IncompleteCopy(run.disk, original, "its copy under the name " + clean));
  }
}

void MoveThroughTemporary(Run& run, const InputFolder& folder, const std::string& given,
                          const std::string& clean) {
  std::string original = join_path(folder.path, given);
  std::string target = join_path(folder.path, clean);
  bool copied = copy_verified(run.disk, original, kIntakeTemporary, &run.failures);
  bool renamed = copied && run.disk.rename(kIntakeTemporary, target);
  if (copied && !renamed) {
    run.failures.note(DiskAction::kRename, kIntakeTemporary, run.disk.last_error());
  }
  if (!renamed) {
    run.disk.remove_file(kIntakeTemporary);
    StopIntake(run, given, "its copy under the name " + clean + " could not be completed.");
  }
  DeleteOriginal(run, folder, given, target);
}

// A file whose name differs from the clean name only in letter case is
// another file where the disk tells case apart: only the exact name counts.
void PutBackUnderCleanName(Run& run, const InputFolder& folder, const std::string& given,
                           const std::string& clean) {
  DirEntry existing;
  std::string target = join_path(folder.path, clean);
  if (!run.disk.stat(target, &existing)) return MoveThroughTemporary(run, folder, given, clean);
  // The same bytes under the clean name: a copy that an interrupted run
  // completed, or a true duplicate.
  if (same_bytes(run.disk, join_path(folder.path, given), target)) {
    return DeleteOriginal(run, folder, given, target);
  }
  // Names that clean to one name were refused before the run began: this
  // one appeared since, and neither file is touched.
  StopIntake(run, given, "the name " + clean + " was taken while the run took the files in.");
}

void TakeBackEntry(Run& run, const InputFolder& folder, const DirEntry& entry,
                   const std::string& clean) {
  NameParts parts = input_name_parts(entry.name);
  if (parts.marker == 0) {
    // Its only copy would be one the run overwrites: it stays where it is.
    if (!named_like_run_file(entry.name)) MoveOut(run, folder, entry.name);
    return;
  }
  // A name that is already clean stays where it is.
  if (clean == entry.name) return;
  run.print_line();
  CopyUnderCleanName(run, folder, entry.name, clean);
  run.print_line();
  PutBackUnderCleanName(run, folder, entry.name, clean);
}

// Gives the files of other kinds, which the comparison leaves out.
std::vector<std::string> TakeInFiles(Run& run) {
  run.run_command("dir /b " + kInputFolder + "\\ > " + kInputListing);
  InputFolder folder = ListInputFolder(run.disk);
  run.run_command("copy /y " + kInputFolder + "\\*.* > " + kSink);
  // With no file in compare_in the delete is harmless, and it reports the
  // empty or missing folder; otherwise each file is deleted on its own, once
  // it is safe elsewhere.
  if (!HoldsFiles(folder)) run.run_command("del /q " + kInputFolder + "\\*.* > " + kSink);
  CheckCopiesOut(run, folder);
  GiveAwayCopies(run, folder);
  std::map<std::string, std::string> clean = clean_names(folder.entries);
  std::vector<std::string> left_out;
  for (const DirEntry& entry : folder.entries) {
    if (!entry.is_file()) continue;
    TakeBackEntry(run, folder, entry, clean[entry.name]);
    if (input_name_parts(entry.name).marker == 0) left_out.push_back(entry.name);
  }
  run.print_line();
  run.run_command("dir /b " + kInputFolder + "\\ > " + kInputListing);
  return left_out;
}

// A file that silently left compare_in would make the person look for it,
// or doubt the run when it says that compare_in is empty.
void WarnLeftOut(Run& run, const std::vector<std::string>& left_out) {
  for (const std::string& name : left_out) {
    run.console.print_warning(
        name + " is not a .txt or .htm file: it is left out and " +
        (named_like_run_file(name) ? "stays in compare_in." : "now lies beside compare_in."));
  }
}

void PrepareWorkFolder(Run& run, const std::string& folder) {
  run.run_command("dir /b *. > " + kFolderListing);
  if (folder_listed(run.files, kFolderListing, folder)) {
    run.run_command("del /q " + folder + "\\*.* > " + kSink);
  } else {
    run.run_command("md " + folder + " > " + kSink);
  }
}

void PrepareWorkFolders(Run& run) {
  PrepareWorkFolder(run, kTextWork);
  PrepareWorkFolder(run, kHtmlWork);
  run.run_command("dir /b *. > " + kFolderListing);
  if (folder_listed(run.files, kFolderListing, kTextWork)) return;
  run.print_line(kSeparator);
  run.print_line("Subfolder txt_wrk must be created.");
  run.print_line();
  any_key_end(run.console, run.failures, "<...> any key to continue and end");
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
  std::vector<std::string> left_out = TakeInFiles(run);
  PrepareWorkFolders(run);
  WarnLeftOut(run, left_out);
}

}  // namespace quillon
