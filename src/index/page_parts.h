// Blocks of lines that several index pages share.

#ifndef QUILLON_INDEX_PAGE_PARTS_H_
#define QUILLON_INDEX_PAGE_PARTS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/block_writer.h"
#include "base/disk.h"
#include "base/failure_log.h"
#include "index/word_table.h"
#include "run/run.h"

namespace quillon {

/// What one thread that writes index pages works with: the disk, the log
/// its failures go to, one writer whose buffer serves file after file, and
/// the text of the page it reads.
struct PageWork {
  PageWork(Disk& disk, FailureLog* failures) : disk(disk), failures(failures) {}
  Disk& disk;
  FailureLog* failures;
  BlockWriter out;
  std::string text;

  /// Starts writing the work file or page the run calls `name`.
  void open(const std::string& name) { out.open(disk, name, failures); }
  /// Reads the file the run calls `name` whole into `text`, and gives its
  /// disk path; a file that cannot be read is a failure, and reads as empty.
  std::string read_whole(const std::string& name);
};

/// The names of the pages of the index of all words, the first at 0.
std::vector<std::string> word_index_page_names(const WordTable& table);

/// The 25 head lines of the contents, group index and word index pages,
/// each ended by CR LF, with the date and time of now.
std::string common_head_text();
void write_common_head(Run& run, int file);

/// How the word a page address points at is shown: in red, larger, inline.
inline const char kHighlightColor[] = "red";
inline const char kHighlightSize[] = "140%";

/// The script that highlights the word the page address points at (the
/// lines from `<script language="javascript">` to `</script>`, each ended by
/// CR LF).
const std::string& highlight_script_text();
void write_highlight_script(Run& run, int file);

/// Whether the keyword at position `q` of the line is a tag name: the line's
/// first "<" comes before it, and the "<" that belongs to it stands right
/// before it or with only blanks between.
bool tag_opens(const std::string& line, long q);

/// "id" and the number filled to 8 digits.
std::string word_id_text(long long number);

/// Append to a text being built what number_text, right_aligned and
/// word_id_text give, without a text of their own: the pages are made of
/// millions of them.
void append_number(std::string* out, uint64_t value);
void append_right_aligned(std::string* out, uint64_t value, size_t width);
void append_word_id(std::string* out, uint64_t number);

/// Appends every piece (texts) to `out`.
template <typename... Pieces>
void append(std::string* out, const Pieces&... pieces) {
  (out->append(pieces), ...);
}

}  // namespace quillon

#endif  // QUILLON_INDEX_PAGE_PARTS_H_
