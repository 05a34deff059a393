#include "run/work_folders.h"

#include "base/text.h"
#include "run/work_files.h"

namespace quillon {

long count_lines(FileTable& files, const std::string& name,
                 const std::function<bool(const std::string&)>& counts) {
  TableFile in = files.input(name);
  long count = 0;
  for (std::string line; in.next_line(&line);) {
    if (counts(line)) ++count;
  }
  return count;
}

bool folder_listed(FileTable& files, const std::string& listing, const std::string& folder) {
  return count_lines(files, listing, [&](const std::string& line) {
           return find_text(1, to_lower(line), folder) > 0;
         }) > 0;
}

void clear_folder(CommandLayer& commands, const std::string& folder) {
  using namespace work_files;
  // The listing puts one file into the folder, so the delete always finds one.
  commands.run_command("dir > " + in_folder(folder, kClearingFile));
  commands.run_command("del /q " + in_folder(folder, kEveryFile) + " > " + kSink);
}

namespace {

// The run writes nothing else, and removes nothing else.
bool OwnFile(const DirEntry& entry) {
  return entry.is_file() && !entry.is_link && entry.links <= 1;
}

void RemoveFiles(Disk& disk, const std::string& folder,
                 const std::function<bool(const std::string&)>& own) {
  std::vector<DirEntry> entries;
  if (!disk.read_dir(folder, &entries)) return;
  for (const DirEntry& entry : entries) {
    if (OwnFile(entry) && own(entry.name)) disk.remove_file(join_path(folder, entry.name));
  }
}

}  // namespace

void remove_work_files(OwnDisk& disk, bool with_output) {
  using namespace work_files;
  bool started = disk.started();
  RemoveFiles(disk, "",
              [&](const std::string& name) { return started || is_work_file_name(name); });
  std::vector<std::string> folders(std::begin(kWorkFolders), std::end(kWorkFolders));
  folders.push_back(kOccurrenceCopies);
  for (const std::string& folder : folders) {
    DirEntry entry;
    if (folder == kHtmlOut && !with_output) continue;
    if (!disk.stat(folder, &entry) || !entry.is_dir || entry.is_link) continue;
    RemoveFiles(disk, folder, [](const std::string&) { return true; });
  }
}

}  // namespace quillon
