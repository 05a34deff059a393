#include "app/folder_check.h"

#include <map>
#include <set>

#include "base/own_files.h"
#include "base/paths.h"
#include "base/text.h"
#include "base/verified_copy.h"
#include "intake/html_reformat.h"
#include "intake/input_intake.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using namespace work_files;

// What compare_in holds, and the names the intake writes from it.
class Inputs {
 public:
  explicit Inputs(Disk& disk) : disk_(disk), exact_(disk.tells_case_apart()) {
    DirEntry folder;
    if (!find_entry(disk, "", kInputFolder, &folder) || !folder.is_real_folder()) return;
    path_ = folder.name;
    if (!list_folder(disk, path_, &entries_)) return;
    for (const DirEntry& entry : entries_) {
      if (entry.is_file()) written_.insert(Spelled(entry.name));
    }
    for (const auto& names : clean_names(entries_)) {
      written_.insert(Spelled(names.second));
      std::string twin = text_twin_name(names.second);
      if (!twin.empty()) twins_[twin] = names.first;
    }
  }

  /// True when the intake or the HTML inputs write a file of this name.
  bool Writes(const std::string& name) const {
    return written_.count(Spelled(name)) > 0 || twins_.count(name) > 0;
  }

  /// The files that would leave compare_in under the name of a work folder
  /// or of the run's record.
  std::vector<std::string> NamedLikeFolders() const {
    std::vector<std::string> names;
    for (const DirEntry& entry : entries_) {
      std::string lower = to_lower(entry.name);
      if (entry.is_file() && (is_work_folder_name(lower) || lower == kOwnRecord ||
                              lower == std::string(kOwnRecord) + ".new")) {
        names.push_back(entry.name);
      }
    }
    return names;
  }

  /// True when the file holds the bytes of a file of compare_in, or of the
  /// text twin of one of its HTML files.
  bool Copied(const DirEntry& file) {
    // Inputs are told apart by size and checksum before bytes are compared,
    // so that thousands of small inputs of one size cost one pass each.
    uint64_t checksum = 0;
    if (!content_checksum(disk_, file.name, &checksum)) return false;
    auto same = Checksums().equal_range({file.size, checksum});
    for (auto it = same.first; it != same.second; ++it) {
      if (same_bytes(disk_, file.name, join_path(path_, it->second))) return true;
    }
    auto twin = twins_.find(file.name);
    if (twin == twins_.end()) return false;
    std::string text;
    if (!text_twin(disk_, join_path(path_, twin->second), &text)) return false;
    std::unique_ptr<InputFile> in = disk_.open_read(file.name);
    std::string content;
    std::vector<char> buffer(65536);
    for (long got; in && (got = in->read(buffer.data(), buffer.size())) > 0;) {
      content.append(buffer.data(), static_cast<size_t>(got));
      if (content.size() > text.size()) return false;
    }
    return content == text;
  }

 private:
  using Key = std::pair<uint64_t, uint64_t>;  // size and checksum

  const std::multimap<Key, std::string>& Checksums() {
    if (!summed_) {
      summed_ = true;
      for (const DirEntry& entry : entries_) {
        uint64_t checksum = 0;
        if (entry.is_file() && content_checksum(disk_, join_path(path_, entry.name), &checksum)) {
          by_content_.insert({{entry.size, checksum}, entry.name});
        }
      }
    }
    return by_content_;
  }

  std::string Spelled(const std::string& name) const { return exact_ ? name : fold_name(name); }

  Disk& disk_;
  bool exact_;
  std::string path_;
  std::vector<DirEntry> entries_;
  std::set<std::string> written_;
  bool summed_ = false;
  std::multimap<Key, std::string> by_content_;
  std::map<std::string, std::string> twins_;  // twin name to the HTML input's given name
};

bool WorkName(const std::string& name) {
  return is_work_file_name(name) || is_work_folder_name(name);
}

// Inside a work folder: what the record does not name is left alone and
// unseen, unless the run writes that very name there.
void CheckWorkFolder(Disk& disk, const OwnRecord* record, const DirEntry& folder,
                     const Inputs& inputs, FolderCheck* check) {
  if (!folder.is_real_folder()) {
    check->in_the_way.push_back(folder.name);
    return;
  }
  std::vector<DirEntry> entries;
  list_folder(disk, folder.name, &entries);
  for (const DirEntry& entry : entries) {
    std::string path = folder.name + "/" + entry.name;
    bool own = record ? record->holds(path) : true;
    bool written = WorkName(entry.name) || inputs.Writes(entry.name);
    if (own ? !entry.is_plain_file() : written) check->in_the_way.push_back(path);
  }
}

// What the intake names a file of compare_in: its clean name, or its given
// name when it is of another kind and leaves the folder.
std::string IntakeName(const std::map<std::string, std::string>& clean, const std::string& given) {
  auto it = clean.find(given);
  return it == clean.end() ? given : it->second;
}

}  // namespace

std::vector<SharedName> inputs_sharing_a_name(Disk& disk) {
  std::vector<SharedName> shared;
  DirEntry folder;
  std::vector<DirEntry> entries;
  if (!find_entry(disk, "", kInputFolder, &folder) || !folder.is_real_folder() ||
      !list_folder(disk, folder.name, &entries)) {
    return shared;
  }
  std::map<std::string, std::string> clean = clean_names(entries);
  bool exact = disk.tells_case_apart();
  std::map<std::string, SharedName> by_name;
  std::map<std::string, bool> with_folder;
  std::vector<std::string> order;
  // A folder of compare_in keeps its name, and no file can take it.
  for (const DirEntry& entry : entries) {
    std::string name = entry.is_file() ? IntakeName(clean, entry.name) : entry.name;
    std::string key = exact ? name : fold_name(name);
    SharedName& group = by_name[key];
    if (group.given.empty()) {
      group.name = name;
      order.push_back(key);
    }
    group.given.push_back(entry.name);
    if (!entry.is_file()) with_folder[key] = true;
  }
  for (const std::string& key : order) {
    const SharedName& group = by_name[key];
    if (group.given.size() < 2) continue;
    bool same = !with_folder[key];
    std::string first = join_path(folder.name, group.given[0]);
    for (size_t i = 1; same && i < group.given.size(); ++i) {
      same = same_bytes(disk, first, join_path(folder.name, group.given[i]));
    }
    if (!same) shared.push_back(group);
  }
  return shared;
}

FolderCheck check_folder(Disk& disk, const OwnRecord* record) {
  FolderCheck check;
  std::vector<DirEntry> entries;
  if (!list_folder(disk, "", &entries)) return check;
  bool exact = disk.tells_case_apart();
  Inputs inputs(disk);
  for (const DirEntry& entry : entries) {
    const std::string& name = entry.name;
    std::string lower = to_lower(name);
    if (lower == kInputFolder) {
      // The user's own folder; the run works in it only when it is real,
      // and moves nothing out of it onto a name of its own folders.
      if (entry.is_link) check.in_the_way.push_back(name);
      for (const std::string& input : inputs.NamedLikeFolders()) {
        check.in_the_way.push_back(name + "/" + input);
      }
      continue;
    }
    bool own = record && record->holds(name);
    if (own && is_work_folder_name(name)) {
      CheckWorkFolder(disk, record, entry, inputs, &check);
    } else if (own) {
      if (!entry.is_plain_file()) check.in_the_way.push_back(name);
    } else if (WorkName(name) || (!exact && WorkName(lower))) {
      // A work folder left by a run without a record holds what that run
      // made; its entries are looked at once it is the run's own again.
      bool plain = entry.is_plain_file() || entry.is_real_folder();
      (record || !plain ? check.in_the_way : check.earlier_runs).push_back(name);
    } else if (inputs.Writes(name)) {
      if (entry.is_plain_file() && inputs.Copied(entry)) {
        check.adopt.push_back(name);
      } else {
        check.in_the_way.push_back(name);
      }
    }
  }
  return check;
}

void warn_about_new_entries(OwnDisk& disk, Console& console) {
  for (const std::string& path : disk.appeared()) {
    console.print_warning(printable_name(path) +
                          " appeared in the folder during the run; quillon left it as it is.");
  }
}

bool has_input_folder(Disk& disk) {
  DirEntry folder;
  return find_entry(disk, "", kInputFolder, &folder) && folder.is_dir;
}

}  // namespace quillon
