// dir, del, md, copy and rename.

#include <ctime>

#include "base/host.h"
#include "base/paths.h"
#include "base/text.h"
#include "base/wildcard.h"
#include "shell/command_layer.h"
#include "shell/commands.h"

namespace quillon {

namespace {

const char kFileNotFound[] = "The system cannot find the file specified.";
const char kPathNotFound[] = "The system cannot find the path specified.";

std::string WithThousands(uint64_t value) {
  std::string digits = std::to_string(value);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string Stamp(int64_t mtime) {
  struct tm parts = local_time(static_cast<time_t>(mtime));
  int hour = parts.tm_hour % 12 == 0 ? 12 : parts.tm_hour % 12;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d  %02d:%02d %s", parts.tm_mon + 1,
                parts.tm_mday, parts.tm_year + 1900, hour, parts.tm_min,
                parts.tm_hour < 12 ? "AM" : "PM");
  return buffer;
}

std::string Padded(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

bool ShowsDotEntries(const std::string& pattern) {
  return pattern.empty() || pattern == "*" || pattern == "*.*" || pattern == "*.";
}

void FullListing(CommandEnv& env, const Selection& selection) {
  env.out.line(" Volume in drive has no label.");
  env.out.line(" Volume Serial Number is 0000-0000");
  env.out.line("");
  env.out.line(" Directory of " + env.disk.absolute_path(selection.folder));
  env.out.line("");
  if (selection.entries.empty() && !ShowsDotEntries(selection.pattern)) return;
  DirEntry folder;
  int64_t folder_time = env.disk.stat(selection.folder, &folder) ? folder.mtime : 0;
  uint64_t files = 0, bytes = 0, dirs = 0;
  if (ShowsDotEntries(selection.pattern)) {
    for (const char* name : {".", ".."}) {
      env.out.line(Stamp(folder_time) + "    <DIR>          " + name);
      ++dirs;
    }
  }
  for (const DirEntry& entry : selection.entries) {
    if (entry.is_dir) {
      env.out.line(Stamp(entry.mtime) + "    <DIR>          " + entry.name);
      ++dirs;
    } else {
      env.out.line(Stamp(entry.mtime) + " " + Padded(WithThousands(entry.size), 17) + " " +
                   entry.name);
      ++files;
      bytes += entry.size;
    }
  }
  env.out.line(Padded(std::to_string(files), 16) + " File(s) " + Padded(WithThousands(bytes), 14) +
               " bytes");
  env.out.line(Padded(std::to_string(dirs), 16) + " Dir(s) " +
               Padded(WithThousands(env.disk.free_bytes()), 15) + " bytes free");
}

// The destination of one copied file, and how the overwrite question names it.
struct Target {
  std::string path;
  std::string shown;
};

bool AskOverwrite(CommandEnv& env, const std::string& shown, bool* all) {
  for (;;) {
    env.console.print_text("Overwrite " + shown + "? (Yes/No/All): ");
    bool at_end = false;
    std::string answer = env.console.answer_line(&at_end);
    // An answer cut short by the end of the input is no consent.
    if (at_end) return false;
    char first = answer.empty() ? '\0' : answer[0];
    if (first == 'y' || first == 'Y') return true;
    if (first == 'a' || first == 'A') {
      *all = true;
      return true;
    }
    if (first == 'n' || first == 'N') return false;
  }
}

// The program's spelling of a disk path, for messages and the failure log.
std::string Shown(const std::string& path) {
  std::string shown = path;
  for (char& c : shown) {
    if (c == '/') c = '\\';
  }
  return shown;
}

// Writes the sources one after the other into the scratch file, which then
// takes the target's name in one step: a target is never left half written,
// and a link at the target is replaced, never written through. Where the
// scratch file cannot be made, the target is written directly. The error
// message, or empty when the copy is complete.
std::string CopyBytes(CommandEnv& env, const std::vector<std::string>& sources,
                      const std::string& target) {
  Disk& disk = env.disk;
  bool direct = false;
  std::unique_ptr<OutputFile> out = disk.open_write(env.scratch.copy, false);
  if (!out) {
    direct = true;
    out = disk.open_write(target, false);
  }
  if (!out) {
    env.Failed(DiskAction::kWrite, Shown(target), disk.last_error());
    return WriteError(Shown(target), disk.last_error());
  }
  std::vector<char> buffer(65536);
  std::string error;
  for (const std::string& source : sources) {
    std::unique_ptr<InputFile> in = disk.open_read(source);
    if (!in) {
      env.Failed(DiskAction::kRead, Shown(source), disk.last_error());
      if (error.empty()) error = ReadError(Shown(source), disk.last_error());
      continue;
    }
    long got;
    while (error.empty() && (got = in->read(buffer.data(), buffer.size())) > 0) {
      if (!out->write(buffer.data(), static_cast<size_t>(got))) {
        env.Failed(DiskAction::kWrite, Shown(target), out->error());
        error = WriteError(Shown(target), out->error());
      }
    }
    if (error.empty() && got < 0) {
      env.Failed(DiskAction::kRead, Shown(source), in->error());
      error = ReadError(Shown(source), in->error());
    }
  }
  if (!out->close() && error.empty()) {
    env.Failed(DiskAction::kWrite, Shown(target), out->error());
    error = WriteError(Shown(target), out->error());
  }
  if (direct) return error;
  if (error.empty() && !disk.rename(env.scratch.copy, target)) {
    env.Failed(DiskAction::kWrite, Shown(target), disk.last_error());
    error = WriteError(Shown(target), disk.last_error());
  }
  if (!error.empty()) disk.remove_file(env.scratch.copy);
  return error;
}

}  // namespace

std::string ReadError(const std::string& name, DiskError reason) {
  return "The system cannot read from the specified device: " + name + " (" + describe(reason) +
         ").";
}

std::string WriteError(const std::string& name, DiskError reason) {
  return "The system cannot write to the specified device: " + name + " (" + describe(reason) +
         ").";
}

namespace {

bool IsFilesOnlySwitch(const Word& word) {
  return !word.quoted && to_lower(word.text) == "/a-d";
}

}  // namespace

std::vector<std::string> PlainArguments(const std::vector<Word>& args) {
  std::vector<std::string> plain;
  for (const Word& word : args) {
    if (!word.quoted && word.text.size() == 2 && word.text[0] == '/') continue;
    if (IsFilesOnlySwitch(word)) continue;
    plain.push_back(word.text);
  }
  return plain;
}

bool HasFilesOnlySwitch(const std::vector<Word>& args) {
  for (const Word& word : args) {
    if (IsFilesOnlySwitch(word)) return true;
  }
  return false;
}

bool HasSwitch(const std::vector<Word>& args, char name) {
  for (const Word& word : args) {
    if (IsSwitch(word, name)) return true;
  }
  return false;
}

Selection SelectEntries(Disk& disk, const std::string& argument) {
  Selection selection;
  std::string last;
  if (!resolve_parent(disk, argument, &selection.folder, &last)) return selection;
  selection.folder_found = true;
  DirEntry entry;
  if (last.empty()) {
    selection.names_folder = true;
  } else if (!has_wildcard(last) && find_entry(disk, selection.folder, last, &entry) &&
             entry.is_dir) {
    selection.folder = join_path(selection.folder, entry.name);
    selection.names_folder = true;
  } else {
    selection.pattern = last;
  }
  // One name is looked up, not found in a listing of its whole folder: a
  // folder of thousands of files is not read once per name.
  if (!selection.names_folder && !has_wildcard(last)) {
    if (find_entry(disk, selection.folder, last, &entry)) selection.entries.push_back(entry);
    return selection;
  }
  std::vector<DirEntry> all;
  if (!list_folder(disk, selection.folder, &all)) {
    selection.folder_found = false;
    return selection;
  }
  if (selection.names_folder) {
    selection.entries = all;
  } else {
    for (const DirEntry& item : all) {
      if (matches_pattern(last, item.name)) selection.entries.push_back(item);
    }
  }
  return selection;
}

void RunDir(CommandEnv& env, const std::vector<Word>& args) {
  std::vector<std::string> plain = PlainArguments(args);
  Selection selection = SelectEntries(env.disk, plain.empty() ? "" : plain[0]);
  if (HasFilesOnlySwitch(args)) {
    std::vector<DirEntry> files;
    for (const DirEntry& entry : selection.entries) {
      if (entry.is_file()) files.push_back(entry);
    }
    selection.entries = files;
  }
  bool found = !selection.entries.empty();
  if (!HasSwitch(args, 'b')) {
    if (selection.folder_found) FullListing(env, selection);
    // A full listing always shows "." and ".." when the pattern lets them in.
    found = found || (selection.folder_found && ShowsDotEntries(selection.pattern));
  } else {
    for (const DirEntry& entry : selection.entries) env.out.line(entry.name);
  }
  if (!found) env.Error("File Not Found");
}

void RunDel(CommandEnv& env, const std::vector<Word>& args) {
  std::vector<std::string> plain = PlainArguments(args);
  if (plain.empty()) {
    env.Error("The syntax of the command is incorrect.");
    return;
  }
  for (const std::string& argument : plain) {
    Selection selection = SelectEntries(env.disk, argument);
    if (!selection.folder_found) {
      env.Error(kPathNotFound);
      continue;
    }
    bool found = false;
    for (const DirEntry& entry : selection.entries) {
      if (!entry.is_file()) continue;
      found = true;
      std::string path = join_path(selection.folder, entry.name);
      if (!env.disk.remove_file(path)) {
        env.Failed(DiskAction::kDelete, Shown(path), env.disk.last_error());
        env.Error("Access is denied.");
      }
    }
    if (!found) {
      std::string shown = env.disk.absolute_path(selection.folder);
      if (!selection.pattern.empty()) shown += native_separators("\\" + selection.pattern);
      env.Error("Could Not Find " + shown);
    }
  }
}

void RunMd(CommandEnv& env, const std::vector<Word>& args) {
  for (const std::string& name : PlainArguments(args)) {
    std::vector<std::string> parts = split_program_path(name);
    if (parts.empty()) continue;
    std::string resolved;
    DirEntry entry;
    if (resolve_path(env.disk, name, &resolved) && env.disk.stat(resolved, &entry)) {
      env.Error("A subdirectory or file " + name + " already exists.");
      continue;
    }
    std::string dir;
    bool ok = true;
    for (const std::string& part : parts) {
      if (!is_entry_name(part)) {
        ok = false;
      } else if (find_entry(env.disk, dir, part, &entry)) {
        ok = entry.is_dir;
        dir = join_path(dir, entry.name);
      } else {
        dir = join_path(dir, part);
        ok = env.disk.make_dir(dir);
        if (!ok) env.Failed(DiskAction::kMakeFolder, Shown(dir), env.disk.last_error());
      }
      if (!ok) break;
    }
    if (!ok) env.Error(kPathNotFound);
  }
}

void RunCopy(CommandEnv& env, const std::vector<Word>& args) {
  std::vector<std::string> plain = PlainArguments(args);
  bool all = HasSwitch(args, 'y');
  if (plain.empty()) {
    env.Error("The syntax of the command is incorrect.");
    return;
  }
  Selection source = SelectEntries(env.disk, plain[0]);
  std::vector<DirEntry> files;
  for (const DirEntry& entry : source.entries) {
    if (entry.is_file()) files.push_back(entry);
  }
  if (!source.folder_found || files.empty()) {
    env.Error(source.folder_found ? kFileNotFound : kPathNotFound);
    env.out.line("        0 file(s) copied.");
    return;
  }
  // Where the copies go: a folder (named, ending in a separator, or none at
  // all) or one file that receives every source in turn.
  std::string written = plain.size() > 1 ? plain[1] : "";
  std::string dest_folder, dest_last;
  if (!resolve_parent(env.disk, written, &dest_folder, &dest_last)) {
    env.Error(kPathNotFound);
    env.out.line("        0 file(s) copied.");
    return;
  }
  DirEntry existing;
  bool to_folder = dest_last.empty();
  if (!to_folder && find_entry(env.disk, dest_folder, dest_last, &existing) && existing.is_dir) {
    dest_folder = join_path(dest_folder, existing.name);
    to_folder = true;
  }
  std::string shown_folder = written;
  if (!shown_folder.empty() && !ends_with_separator(shown_folder)) shown_folder += "\\";

  // A copy goes to the name as given: where the disk tells letter case
  // apart, a name that differs only in case is another file, never this one.
  std::vector<std::pair<std::vector<std::string>, Target>> jobs;
  if (to_folder) {
    for (const DirEntry& file : files) {
      jobs.push_back({{join_path(source.folder, file.name)},
                      {join_path(dest_folder, file.name), shown_folder + file.name}});
    }
  } else {
    std::string target = join_path(dest_folder, dest_last);
    std::vector<std::string> sources;
    for (const DirEntry& file : files) {
      std::string path = join_path(source.folder, file.name);
      // The target among several sources would be read while it is written,
      // feeding it its own bytes without end; where the disk ignores case it
      // may be given in another case than it is listed in.
      if (files.size() > 1 && to_upper(path) == to_upper(target)) {
        env.Error("The file cannot be copied onto itself.");
        continue;
      }
      sources.push_back(path);
    }
    jobs.push_back({sources, {target, written}});
  }

  int copied = 0;
  bool agreed = false;
  for (const auto& job : jobs) {
    const Target& target = job.second;
    if (job.first.size() == 1 && job.first[0] == target.path) {
      env.Error("The file cannot be copied onto itself.");
      continue;
    }
    // Only a file there is asked about; a link to nothing holds nothing and
    // is replaced itself. The person's yes (or all) lets the disk replace a
    // file of theirs.
    DirEntry present;
    bool there = env.disk.stat(target.path, &present);
    if (!all && there && !present.is_other) {
      if (!AskOverwrite(env, target.shown, &all)) continue;
      agreed = true;
    }
    if (agreed || (there && present.is_other && present.is_link)) {
      env.disk.overwrite_agreed(target.path);
    }
    std::string error = CopyBytes(env, job.first, target.path);
    if (error.empty()) {
      ++copied;
    } else {
      env.Error(error);
    }
  }
  env.out.line("        " + std::to_string(copied) + " file(s) copied.");
}

namespace {

// A new name clashes with an entry of exactly that name (on a disk that
// ignores case, of that name in any case). One that differs from the old one
// only in case names the file itself on such a disk; it clashes only with
// another file of exactly that name, where the disk tells case apart.
bool RenameClashes(Disk& disk, const std::string& folder, const std::string& old_name,
                   const std::string& new_name) {
  if (to_upper(old_name) != to_upper(new_name)) {
    DirEntry clash;
    return disk.stat(join_path(folder, new_name), &clash);
  }
  if (old_name == new_name) return false;
  std::vector<DirEntry> entries;
  if (!disk.read_dir(folder, &entries)) return false;
  for (const DirEntry& entry : entries) {
    if (entry.name == new_name) return true;
  }
  return false;
}

}  // namespace

void RunRename(CommandEnv& env, const std::vector<Word>& args) {
  std::vector<std::string> plain = PlainArguments(args);
  if (plain.size() < 2) {
    env.Error("The syntax of the command is incorrect.");
    return;
  }
  std::string from;
  DirEntry entry;
  if (!resolve_path(env.disk, plain[0], &from) || !env.disk.stat(from, &entry) ||
      !entry.is_file()) {
    env.Error(kFileNotFound);
    return;
  }
  std::vector<std::string> new_parts = split_program_path(plain[1]);
  if (new_parts.size() != 1 || !is_entry_name(new_parts[0])) {
    env.Error("The syntax of the command is incorrect.");
    return;
  }
  size_t slash = from.rfind('/');
  std::string folder = slash == std::string::npos ? "" : from.substr(0, slash);
  if (RenameClashes(env.disk, folder, from.substr(slash + 1), new_parts[0])) {
    env.Error("A duplicate file name exists, or the file cannot be found.");
    return;
  }
  if (!env.disk.rename(from, join_path(folder, new_parts[0]))) {
    env.Failed(DiskAction::kRename, Shown(from), env.disk.last_error());
    env.Error("Access is denied.");
  }
}

}  // namespace quillon
