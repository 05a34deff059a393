#include "app/clean.h"

#include <algorithm>
#include <memory>

#include "app/run_driver.h"
#include "base/end_run.h"
#include "base/paths.h"
#include "base/wildcard.h"
#include "run/run.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using namespace work_files;

// A page the last run delivered: the person's result, kept.
bool DeliveredPage(const std::string& path) {
  std::string folder = path.substr(0, path.find('/'));
  if (folder != kHtmlOut) return false;
  return path == kHtmlOut || matches_pattern(kEveryHtmPage, path.substr(kHtmlOut.size() + 1));
}

struct Removal {
  std::vector<std::string> files;
  std::vector<std::string> folders;
};

// Files first, then the folders, the deepest first, each only when empty.
void Remove(Disk& disk, const Removal& removal, OwnRecord* record, long* removed) {
  for (const std::string& path : removal.files) {
    if (disk.remove_file(path)) {
      if (record) record->drop(path);
      ++*removed;
    }
  }
  std::vector<std::string> folders = removal.folders;
  std::sort(folders.rbegin(), folders.rend());
  for (const std::string& path : folders) {
    if (disk.remove_dir(path)) {
      if (record) record->drop(path);
      ++*removed;
    }
  }
}

// What the record names, but the delivered pages: plain files and real
// folders only, so that a link put in the place of one is never followed.
Removal Recorded(Disk& disk, const OwnRecord& record) {
  Removal removal;
  for (const std::string& path : record.paths()) {
    DirEntry entry;
    if (DeliveredPage(path) || !disk.stat(path, &entry)) continue;
    if (entry.is_plain_file()) removal.files.push_back(path);
    if (entry.is_real_folder()) removal.folders.push_back(path);
  }
  return removal;
}

// Exact work names the record does not name: the work files of the folder,
// and the work folders but htm_out with their plain files.
Removal Unrecorded(Disk& disk, const OwnRecord* record, std::vector<std::string>* pages) {
  Removal removal;
  std::vector<DirEntry> entries, inside;
  if (!list_folder(disk, "", &entries)) return removal;
  auto own = [&](const std::string& path) { return record && record->holds(path); };
  for (const DirEntry& entry : entries) {
    if (own(entry.name)) continue;
    if (entry.is_plain_file() && is_work_file_name(entry.name)) removal.files.push_back(entry.name);
    if (!entry.is_real_folder() || !is_work_folder_name(entry.name)) continue;
    if (entry.name == kHtmlOut) {
      // The pages of an earlier run stay, as the run's own: the next run
      // replaces them as it replaces its own.
      pages->push_back(entry.name);
      if (list_folder(disk, entry.name, &inside)) {
        for (const DirEntry& page : inside) {
          if (page.is_plain_file() && is_work_file_name(page.name)) {
            pages->push_back(join_path(entry.name, page.name));
          }
        }
      }
      continue;
    }
    removal.folders.push_back(entry.name);
    if (!list_folder(disk, entry.name, &inside)) continue;
    for (const DirEntry& item : inside) {
      std::string path = join_path(entry.name, item.name);
      if (item.is_plain_file() && !own(path)) removal.files.push_back(path);
    }
  }
  return removal;
}

bool Confirmed(Console& console, bool yes) {
  if (yes) return true;
  if (console.scripted()) {
    console.print_line("None of them was removed: \"quillon --clean --yes\" removes them.");
    return false;
  }
  console.print_text("Remove them? (y/n) ");
  std::string answer;
  try {
    answer = console.answer_line();
  } catch (const RunEnded&) {
  }
  return !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

}  // namespace

int clean_folder(OwnDisk& own, Console& console, bool yes) {
  Disk& disk = own.inner();
  if (!disk.lock_root()) {
    console.print_line("Another quillon run is working in this folder. Wait until it ends.");
    console.flush();
    return kExitRefused;
  }
  OwnRecord& record = own.record();
  bool has_record = own.read_record();
  long removed = 0;
  if (has_record) Remove(disk, Recorded(disk, record), &record, &removed);
  std::vector<std::string> pages;
  Removal unrecorded = Unrecorded(disk, has_record ? &record : nullptr, &pages);
  bool confirmed = true;
  if (!unrecorded.files.empty() || !unrecorded.folders.empty()) {
    console.print_line(
        std::string("These have the names of quillon's work files, but its record (") + kOwnRecord +
        ") does not name them:");
    std::vector<std::string> listed = unrecorded.folders;
    listed.insert(listed.end(), unrecorded.files.begin(), unrecorded.files.end());
    std::sort(listed.begin(), listed.end());
    for (const std::string& path : listed) console.print_line(printable_name(path));
    confirmed = Confirmed(console, yes);
    if (confirmed) Remove(disk, unrecorded, nullptr, &removed);
  }
  bool recorded = true;
  // A folder that never had a record gets none for nothing: --clean run by
  // mistake in a home folder leaves it as it was.
  if (confirmed && (has_record || !pages.empty())) {
    for (const std::string& page : pages) recorded = record.add(page) && recorded;
    recorded = record.rewrite() && recorded;
  }
  console.print_line("quillon --clean removed " + std::to_string(removed) +
                     (removed == 1 ? " file or folder" : " files and folders") +
                     "; compare_in, htm_out and your other files are as they were.");
  if (!recorded) {
    console.print_line(std::string("It could not write its record ") + kOwnRecord + ": " +
                       describe(record.error()) + ".");
  }
  console.flush();
  return recorded ? kExitDone : kExitFailed;
}

int clean_main(const char* argv0, bool yes) {
  std::unique_ptr<Disk> disk = make_real_disk(".");
  std::unique_ptr<ConsoleDevice> device = make_standard_console();
  Run run(disk.get(), device.get(), argv0 ? argv0 : "");
  return clean_folder(run.own, run.console, yes);
}

}  // namespace quillon
