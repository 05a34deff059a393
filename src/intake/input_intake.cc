#include "intake/input_intake.h"

#include <vector>

#include "base/paths.h"
#include "base/text.h"
#include "intake/verified_copy.h"
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
    if (!entry.is_dir) return true;
  }
  return false;
}

[[noreturn]] void StopIntake(Run& run, const std::string& name, const std::string& reason) {
  run.print_line();
  run.print_line(kSeparator);
  run.print_line(kInputFolder + "\\" + name + ": " + reason);
  run.print_line("The intake stopped here and deleted nothing more.");
  run.print_line();
  any_key_end(run, "<...> any key to continue and end");
}

// The file of the program's folder that a command line naming `name` uses.
bool ProgramFolderFile(Disk& disk, const std::string& name, std::string* path) {
  DirEntry entry;
  if (!find_entry(disk, "", name, &entry) || entry.is_dir) return false;
  *path = entry.name;
  return true;
}

bool HasCompleteCopy(Disk& disk, const std::string& original, const std::string& name) {
  std::string copy;
  return ProgramFolderFile(disk, name, &copy) && same_bytes(disk, original, copy);
}

// A file of another kind under the name of one of the run's own files would
// be overwritten or deleted in the program's folder.
bool NamedLikeRunFile(const std::string& name) {
  std::string lower = to_lower(name);
  for (const std::string& run_file : kRunListFiles) {
    if (lower == run_file) return true;
  }
  return lower == kIntakeTemporary;
}

void CheckCopiesOut(Run& run, const InputFolder& folder) {
  for (const DirEntry& entry : folder.entries) {
    if (entry.is_dir || NamedLikeRunFile(entry.name)) continue;
    if (!HasCompleteCopy(run.disk, join_path(folder.path, entry.name), entry.name)) {
      StopIntake(run, entry.name, "its copy in the program's folder is not complete.");
    }
  }
}

void DeleteOriginal(Run& run, const InputFolder& folder, const std::string& name) {
  if (!run.disk.remove_file(join_path(folder.path, name))) {
    StopIntake(run, name, "it could not be deleted; its copy is complete.");
  }
}

// A file of another kind leaves compare_in; its copy in the program's folder
// is checked once more right before, in case a later copy replaced it.
void MoveOut(Run& run, const InputFolder& folder, const std::string& name) {
  if (!HasCompleteCopy(run.disk, join_path(folder.path, name), name)) {
    StopIntake(run, name, "its copy in the program's folder is not complete.");
  }
  DeleteOriginal(run, folder, name);
}

// The program's folder gets a copy under the clean name. A copy there that
// already holds the same bytes is left alone rather than asked about.
void CopyUnderCleanName(Run& run, const InputFolder& folder, const std::string& given,
                        const std::string& clean) {
  std::string original = join_path(folder.path, given);
  std::string existing;
  bool existed = ProgramFolderFile(run.disk, clean, &existing);
  if (existed && same_bytes(run.disk, original, existing)) return;
  run.run_command("copy " + QuoteArgument(given) + " " + QuoteArgument(clean) + " > " + kSink);
  // Over an existing file the copy asked, and the answer stands.
  if (!existed && !HasCompleteCopy(run.disk, original, clean)) {
    StopIntake(run, given, "its copy under the name " + clean + " is not complete.");
  }
}

void MoveThroughTemporary(Run& run, const InputFolder& folder, const std::string& given,
                          const std::string& clean) {
  std::string original = join_path(folder.path, given);
  std::string target = join_path(folder.path, clean);
  if (!copy_verified(run.disk, original, kIntakeTemporary) ||
      !run.disk.rename(kIntakeTemporary, target) || !same_bytes(run.disk, original, target)) {
    run.disk.remove_file(kIntakeTemporary);
    StopIntake(run, given, "its copy under the name " + clean + " could not be completed.");
  }
  DeleteOriginal(run, folder, given);
}

// The clean name is taken in compare_in: the copy command asks the user
// whether to overwrite it. Declined, the given file stays where it is.
void ReplaceAfterQuestion(Run& run, const InputFolder& folder, const std::string& given,
                          const std::string& clean, const std::string& target) {
  std::string original = join_path(folder.path, given);
  uint64_t before = 0, after = 0;
  bool readable_before = content_checksum(run.disk, target, &before);
  run.run_command("copy " + QuoteArgument(kInputFolder + "\\" + given) + " " +
                  QuoteArgument(kInputFolder + "\\" + clean) + " > " + kSink);
  if (same_bytes(run.disk, original, target)) return DeleteOriginal(run, folder, given);
  bool readable_after = content_checksum(run.disk, target, &after);
  if (readable_before == readable_after && before == after) return;
  StopIntake(run, given, "its copy under the name " + clean + " is not complete.");
}

void PutBackUnderCleanName(Run& run, const InputFolder& folder, const std::string& given,
                           const std::string& clean) {
  DirEntry existing;
  if (!find_entry(run.disk, folder.path, clean, &existing)) {
    return MoveThroughTemporary(run, folder, given, clean);
  }
  std::string target = join_path(folder.path, existing.name);
  // The same bytes under the clean name: a copy that an interrupted run
  // completed, or a true duplicate.
  if (same_bytes(run.disk, join_path(folder.path, given), target)) {
    return DeleteOriginal(run, folder, given);
  }
  ReplaceAfterQuestion(run, folder, given, clean, target);
}

void TakeBackEntry(Run& run, const InputFolder& folder, const DirEntry& entry) {
  NameParts parts = input_name_parts(entry.name);
  if (parts.marker == 0) {
    // Its only copy would be one the run overwrites: it stays where it is.
    if (!NamedLikeRunFile(entry.name)) MoveOut(run, folder, entry.name);
    return;
  }
  std::string clean = clean_name(parts);
  // A name that is already clean stays where it is.
  if (clean == entry.name) return;
  run.print_line();
  CopyUnderCleanName(run, folder, entry.name, clean);
  run.print_line();
  PutBackUnderCleanName(run, folder, entry.name, clean);
}

void TakeInFiles(Run& run) {
  run.run_command("dir /b " + kInputFolder + "\\ > " + kInputListing);
  InputFolder folder = ListInputFolder(run.disk);
  run.run_command("copy /y " + kInputFolder + "\\*.* > " + kSink);
  // With no file in compare_in the delete is harmless, and it reports the
  // empty or missing folder; otherwise each file is deleted on its own, once
  // it is safe elsewhere.
  if (!HoldsFiles(folder)) run.run_command("del /q " + kInputFolder + "\\*.* > " + kSink);
  CheckCopiesOut(run, folder);
  for (const DirEntry& entry : folder.entries) {
    if (!entry.is_dir) TakeBackEntry(run, folder, entry);
  }
  run.print_line();
  run.run_command("dir /b " + kInputFolder + "\\ > " + kInputListing);
}

void PrepareWorkFolder(Run& run, const std::string& folder) {
  run.run_command("dir /b *. > " + kFolderListing);
  if (folder_listed(run, kFolderListing, folder)) {
    run.run_command("del /q " + folder + "\\*.* > " + kSink);
  } else {
    run.run_command("md " + folder + " > " + kSink);
  }
}

void PrepareWorkFolders(Run& run) {
  PrepareWorkFolder(run, kTextWork);
  PrepareWorkFolder(run, kHtmlWork);
  run.run_command("dir /b *. > " + kFolderListing);
  if (folder_listed(run, kFolderListing, kTextWork)) return;
  run.print_line(kSeparator);
  run.print_line("Subfolder txt_wrk must be created.");
  run.print_line();
  any_key_end(run, "<...> any key to continue and end");
}

}  // namespace

void take_in_input_folder(Run& run) {
  TakeInFiles(run);
  PrepareWorkFolders(run);
}

}  // namespace quillon
