#include "index/group_index_pages.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/text.h"
#include "index/page_heads.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using namespace work_files;

// The occurrences of one word on one page, in a row: the first in document
// order (its spelling and number are the entry's) and how many.
struct Entry {
  const Occurrence* first = nullptr;
  long count = 0;
};

class EntryWriter {
 public:
  EntryWriter(BlockWriter& out, const WordTable& table, int group)
      : out_(out),
        table_(table),
        group_(number_text(group)),
        search_page_(group_search_page(group)),
        index_pages_(word_index_page_names(table)) {}

  void WordLink(const Entry& entry) {
    const Occurrence& o = *entry.first;
    const std::string& page = table_.linked_pages[o.page];
    out_.put("<a href=\"");
    out_.put(page);
    out_.put('#');
    out_.put_word_id(o.id);
    out_.put("\" id=\"");
    out_.put_word_id(o.id);
    out_.put("\">");
    out_.put(&table_.text[o.word_at], o.word_size);
    out_.put("</a>&nbsp;&nbsp;&nbsp; (");
    out_.put(page);
    out_.put(", ");
    out_.put_number(static_cast<uint64_t>(entry.count));
    out_.put(')');
  }

  void Write(const Entry& entry) {
    const Occurrence& o = *entry.first;
    const std::string& page = table_.linked_pages[o.page];
    out_.put("<br>\r\n");
    WordLink(entry);
    out_.put("\r\n&nbsp;&nbsp;<a href=\"");
    out_.put(search_page_);
    out_.put('#');
    out_.put_word_id(o.id);
    out_.put('_');
    out_.put_number(o.number);
    out_.put("\">");
    out_.put(kGroupSearchPages.prefix);
    out_.put(group_);
    out_.put("</a>\r\n&nbsp;&nbsp;<a href=\"");
    out_.put(index_pages_[static_cast<size_t>(table_.word_index_page_number(o.id) - 1)]);
    out_.put('#');
    out_.put_word_id(o.id);
    out_.put("\"> index</a>\r\n&nbsp;&nbsp;<a href=\"");
    out_.put(kContentsPage);
    out_.put('#');
    out_.put(page);
    out_.put("\"> Content </a>\r\n");
  }

  // The page's last entry stands on one line, without its links.
  void WriteLast(const Entry& entry) {
    WordLink(entry);
    out_.put("<br>\r\n");
  }

 private:
  BlockWriter& out_;
  const WordTable& table_;
  const std::string group_, search_page_;
  std::vector<std::string> index_pages_;
};

// Entries in word id order, and a word's on a page from its first
// occurrence there.
void write_entries(BlockWriter& out, const WordTable& table, int group) {
  std::pair<size_t, size_t> range = table.group_range(group);
  std::vector<uint64_t> by_id;
  by_id.reserve(range.second - range.first);
  for (size_t i = range.first; i < range.second; ++i) {
    by_id.push_back(uint64_t{table.occurrences[i].id} << 32 | (i - range.first));
  }
  std::sort(by_id.begin(), by_id.end());
  EntryWriter writer(out, table, group);
  Entry current;
  for (uint64_t key : by_id) {
    const Occurrence& o = table.occurrences[range.first + (key & 0xFFFFFFFFu)];
    if (current.first && o.id == current.first->id && o.page == current.first->page) {
      ++current.count;
      continue;
    }
    if (current.first) writer.Write(current);
    current = {&o, 1};
  }
  if (current.first) writer.WriteLast(current);
}

}  // namespace

void write_contents_page(PageWork& work, const WordTable& table) {
  BlockWriter& out = work.out;
  work.open(kContentsPage);
  out.put(common_head_text());
  out.line("<br>");
  for (const std::string& page : table.sorted_pages) {
    out.put("<a href=\"");
    out.put(page);
    out.put("\"><span id = \"");
    out.put(page);
    out.put("\" >");
    out.put(page);
    out.put("</span></a><br>\r\n");
  }
  out.line("<br><br>");
  out.line("</body>");
  out.line("</html>");
  out.close();
}

void write_group_index_page(PageWork& work, const WordTable& table, int group) {
  BlockWriter& out = work.out;
  work.open(group_index_page(group));
  out.put(common_head_text());
  out.line("<br><br>");
  out.line("<a href=\"" + kContentsPage + "\"> Content </a><br>");
  out.line("<br>");
  write_entries(out, table, group);
  out.line("</body>");
  out.line("</html>");
  out.close();
}

}  // namespace quillon
