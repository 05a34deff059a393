// What the program made in its folder, and nothing else, is its own to
// change. A record in the folder names every file and folder it made there,
// written before each one is made, so that a run killed at any moment leaves
// nothing unrecorded; and a door to the disk keeps every layer above it to
// the record: it shows only what the record names (and the user's folder of
// inputs), makes a new name only once the record holds it, removes only what
// the record names, and never writes over a name the record does not hold.

#ifndef QUILLON_BASE_OWN_FILES_H_
#define QUILLON_BASE_OWN_FILES_H_

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "base/disk.h"

namespace quillon {

/// A record of paths, relative to the disk's root with '/' between folders,
/// one a line with LF after each: the same bytes on every platform. Names
/// are added one line at a time as they are made; names that are gone are
/// forgotten at once and leave the file when it is next written anew. Safe to
/// use from several threads.
class OwnRecord {
 public:
  /// The record `name` (a path of `disk`) kept through `disk`. It is written
  /// anew under the same name with ".new" added, which then takes its place.
  OwnRecord(Disk* disk, const std::string& name);
  ~OwnRecord();

  /// Reads the record; false when there is none or it cannot be read
  /// (`error()` says which). Lines that are no plain relative path are left out.
  bool read();
  bool holds(const std::string& path) const;
  /// Every path it holds, in byte order.
  std::vector<std::string> paths() const;
  /// Appends the path, unless it holds it already; false when the record
  /// could not be written (`error()` says why): then the thing must not be made.
  bool add(const std::string& path);
  /// Forgets the path: the thing is gone.
  void drop(const std::string& path);
  /// Forgets the paths and writes the record anew at once, so that they are
  /// not the program's even if it is killed next; false, and nothing
  /// forgotten, when the record could not be written.
  bool give_up(const std::vector<std::string>& paths);
  /// Writes the record anew from what it holds, replacing the old one in one
  /// step; false when it could not (the old one stays and still counts).
  bool rewrite();
  const std::string& name() const { return name_; }
  std::string scratch_name() const { return name_ + ".new"; }
  DiskError error() const;

  /// A path the record may hold: relative, no empty, "." or ".." part.
  static bool plain_path(const std::string& path);

 private:
  bool RewriteLocked();
  bool AppendLocked(const std::string& text);

  Disk* disk_;
  std::string name_;
  mutable std::mutex mutex_;
  std::set<std::string> paths_;
  std::unique_ptr<OutputFile> out_;
  bool broken_ = false;  ///< An append failed: the file may end in half a line.
  size_t forgotten_ = 0;
  DiskError error_ = DiskError::kNone;
};

/// The disk as the run may use it, in front of the real one. Until `start()`
/// it passes everything through; from then on it keeps to the record.
/// `user_folder` (compare_in, in any letter case) is the user's: it is seen
/// whole and nothing in it is ever recorded, and in it the door makes only
/// new names, and replaces or removes a file only where the person agreed at
/// a question of the program's or through the intake's verified move.
class OwnDisk : public Disk {
 public:
  /// `record` is the name of the record in the folder; `user_folder` the
  /// folder of the user's inputs, which the run may read and change.
  OwnDisk(Disk* inner, const std::string& user_folder, const std::string& record);

  Disk& inner() { return *inner_; }
  OwnRecord& record() { return record_; }
  /// Reads the record; true when there is one.
  bool read_record() { return record_.read(); }
  /// Records an existing file or folder as the program's own (a copy an
  /// earlier run left that holds what the run would write there).
  bool adopt(const std::string& path) { return record_.add(path); }
  /// From now on the door keeps to the record, which is written anew
  /// without the names of what is gone (or made, when there was none).
  /// False when it cannot be written: the run must not go on.
  bool start();
  bool started() const { return started_; }
  /// Entries of the run's folder and of its recorded folders that are
  /// neither the program's nor were there at the start, in byte order:
  /// what the user put there while the run worked.
  std::vector<std::string> appeared();
  /// Writes the record anew, as the run ends.
  bool finish();
  /// The copies given to the user (`disown`) whose originals are still
  /// there, as a run stops in the middle of the intake's moves: the
  /// program's own again, to go with its other files.
  void take_back_pending();

  bool stat(const std::string& path, DirEntry* entry) override;
  bool read_dir(const std::string& dir, std::vector<DirEntry>* entries) override;
  bool find_folded(const std::string& dir, const std::string& name,
                   std::vector<std::string>* names) override;
  std::unique_ptr<InputFile> open_read(const std::string& path) override;
  std::unique_ptr<OutputFile> open_write(const std::string& path, bool append) override;
  std::unique_ptr<OutputFile> create_new(const std::string& path) override;
  bool make_dir(const std::string& path) override;
  bool remove_file(const std::string& path) override;
  bool remove_dir(const std::string& path) override;
  bool rename(const std::string& from, const std::string& to) override;
  bool rename_new(const std::string& from, const std::string& to) override;
  std::string absolute_path(const std::string& path) override;
  uint64_t free_bytes() override { return inner_->free_bytes(); }
  bool lock_root() override { return Pass(inner_->lock_root()); }
  bool tells_case_apart() override { return inner_->tells_case_apart(); }
  bool remove_moved_original(const std::string& original, const std::string& copy) override;
  bool disown(const std::vector<std::string>& paths) override;
  void overwrite_agreed(const std::string& path) override;

 private:
  bool Pass(bool ok);
  bool IsRecord(const std::string& path) const;
  bool InUserFolder(const std::string& path) const;
  bool Visible(const std::string& path) const;
  /// Makes a name the record does not hold through `make`, recording it first.
  template <typename Make>
  bool CreateRecorded(const std::string& path, Make make);
  bool Move(const std::string& from, const std::string& to, bool replace);
  std::set<std::string> Strangers();

  Disk* inner_;
  std::string user_folder_;
  OwnRecord record_;
  bool started_ = false;
  std::mutex mutex_;
  std::set<std::string> at_start_;    ///< Strangers when the run started.
  std::set<std::string> given_away_;  ///< Made by the run, now the user's.
  std::set<std::string> pending_;     ///< Given away, the original not yet gone.
  std::set<std::string> agreed_;      ///< The person agreed to replace them.
};

}  // namespace quillon

#endif  // QUILLON_BASE_OWN_FILES_H_
