#include "index/search_pages.h"

#include <algorithm>
#include <array>

#include "base/text.h"
#include "index/page_heads.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using namespace work_files;

const char kSearchAddress[] = "http://www.google.com/search?q=";
// A query longer than this is drawn at random from the line's words.
const int kQueryWords = 28;

}  // namespace

std::string search_query(RandomFractions& random, const std::string& word_list, long word_count,
                         long selection_length) {
  if (word_count <= kQueryWords) return word_list;
  std::array<std::string_view, kQueryWords> slots;
  std::string_view list(word_list);
  for (std::string_view& slot : slots) {
    long p = static_cast<long>(random.random_fraction() * selection_length);
    if (p < 1) p = 1;
    long q = find_text(p, word_list, " ");
    if (q < 1 || q > selection_length) continue;
    long r = find_text(q + 1, word_list, " ");
    if (r > q) slot = list.substr(static_cast<size_t>(q - 1), static_cast<size_t>(r - q));
  }
  for (int i = 0; i < kQueryWords - 1; ++i) {
    for (int j = i + 1; j < kQueryWords; ++j) {
      if (slots[j] == slots[i]) slots[j] = {};
    }
  }
  std::string query;
  for (std::string_view slot : slots) query += slot;
  return query;
}

std::string search_address_text(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  append_search_address_text(&out, text);
  return out;
}

void append_search_address_text(std::string* out_text, std::string_view text) {
  std::string& out = *out_text;
  for (char c : text) {
    switch (c) {
      case '%':
        out += "%25";
        break;
      case '&':
        out += "%26";
        break;
      case '#':
        out += "%23";
        break;
      case '+':
        out += "%2B";
        break;
      case '"':
        out += "%22";
        break;
      default:
        out += c;
    }
  }
}

namespace {

// Whether the word holds "</html>" in any letter case. A line's markup holds
// it only where one of its words does: no other piece of the markup has
// "</" before letters, nor ends or begins where such a word could go on.
bool HoldsPageEnd(std::string_view word) {
  const char html[] = "html";
  for (size_t at = word.find("</"); at != std::string_view::npos; at = word.find("</", at + 1)) {
    if (word.size() - at < 7 || word[at + 6] != '>') continue;
    size_t i = 0;
    while (i < 4 && (word[at + 2 + i] | 0x20) == html[i]) ++i;
    if (i == 4) return true;
  }
  return false;
}

// The end of the page line that starts with occurrence `first`.
size_t LineEnd(const WordTable& table, size_t first, size_t end) {
  const Occurrence& head = table.occurrences[first];
  size_t next = first + 1;
  while (next < end && table.occurrences[next].page == head.page &&
         table.occurrences[next].line == head.line) {
    ++next;
  }
  return next;
}

std::string_view Trimmed(std::string_view word) {
  size_t first = word.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return word.substr(first, word.find_last_not_of(' ') - first + 1);
}

class SearchPageWriter {
 public:
  SearchPageWriter(BlockWriter& out, const WordTable& table, int group, const std::string& site,
                   RandomFractions* random)
      : out_(out),
        table_(table),
        group_(number_text(group)),
        index_page_(group_index_page(group)),
        site_(site),
        index_pages_(word_index_page_names(table)),
        random_(random) {
    append_search_address_text(&site_address_, site);
  }

  // The occurrences [first, end) of one page line; the group's first line
  // is written as if its first word went on an earlier line.
  void WriteLine(size_t first, size_t end, bool group_start);

 private:
  std::string_view Word(const Occurrence& o) const {
    return std::string_view(&table_.text[o.word_at], o.word_size);
  }
  void Anchor(const Occurrence& o) {
    out_.put("<span id=\"");
    out_.put_word_id(o.id);
    out_.put('_');
    out_.put_number(o.number);
    out_.put("\">");
  }
  void IndexLink(const Occurrence& o) {
    out_.put("<a href=\"");
    out_.put(index_page_);
    out_.put('#');
    out_.put_word_id(o.id);
    out_.put("\">");
    out_.put(Word(o));
    out_.put("</a></span>");
  }
  void Query(size_t first, size_t end);

  BlockWriter& out_;
  const WordTable& table_;
  const std::string group_, index_page_;
  const std::string& site_;
  std::string site_address_;
  std::vector<std::string> index_pages_;
  RandomFractions* random_;
  std::string word_list_, query_;
};

// The escaped query of the line's words: the word list itself, or for a
// long line the words drawn from it.
void SearchPageWriter::Query(size_t first, size_t end) {
  query_.clear();
  size_t count = end - first;
  if (count <= static_cast<size_t>(kQueryWords)) {
    for (size_t i = first; i < end; ++i) {
      append_search_address_text(&query_, Trimmed(Word(table_.occurrences[i])));
      query_ += ' ';
    }
    return;
  }
  word_list_.clear();
  long selection_length = 0;
  for (size_t i = first; i < end; ++i) {
    selection_length = static_cast<long>(word_list_.size());
    word_list_ += Trimmed(Word(table_.occurrences[i]));
    word_list_ += ' ';
  }
  append_search_address_text(
      &query_, search_query(*random_, word_list_, static_cast<long>(count), selection_length));
}

void SearchPageWriter::WriteLine(size_t first, size_t end, bool group_start) {
  const Occurrence& head = table_.occurrences[first];
  bool page_end = false;
  for (size_t i = first; i < end && !page_end; ++i) {
    page_end = HoldsPageEnd(Word(table_.occurrences[i]));
  }
  if (!page_end) {
    size_t i = first;
    if (!group_start) {
      Anchor(head);
      out_.put(Word(head));
      out_.put(" &nbsp </span>&nbsp ");
      IndexLink(head);
      ++i;
    }
    for (; i < end; ++i) {
      const Occurrence& o = table_.occurrences[i];
      out_.put(' ');
      Anchor(o);
      IndexLink(o);
    }
    out_.put("<br>\r\n");
  }
  const std::string& page = table_.linked_pages[head.page];
  out_.put("<a href=\"");
  out_.put(index_page_);
  out_.put('#');
  out_.put_word_id(head.id);
  out_.put("\">");
  out_.put(kGroupIndexPages.prefix);
  out_.put(group_);
  out_.put("</a>\r\n&nbsp <a href=\"");
  out_.put(index_pages_[static_cast<size_t>(table_.word_index_page_number(head.id) - 1)]);
  out_.put('#');
  out_.put_word_id(head.id);
  out_.put("\">index</a>\r\n&nbsp <a href=\"");
  out_.put(kContentsPage);
  out_.put('#');
  out_.put(page);
  out_.put("\"> Content (");
  out_.put(page);
  out_.put(")</a>\r\n");
  Query(first, end);
  if (!site_.empty()) {
    out_.put("&nbsp <a href=\"");
    out_.put(kSearchAddress);
    out_.put(query_);
    out_.put(" site:");
    out_.put(site_address_);
    out_.put("\"> ");
    out_.put(site_);
    out_.put("</a>\r\n");
  }
  out_.put("&nbsp <a href=\"");
  out_.put(kSearchAddress);
  out_.put(query_);
  out_.put("\"> web_search </a>\r\n<br><br>\r\n");
}

}  // namespace

void write_group_search_page(PageWork& work, const WordTable& table, int group,
                             const std::string& destination_site, RandomFractions* random) {
  BlockWriter& out = work.out;
  work.open(group_search_page(group));
  out.put(search_page_head_text());
  std::pair<size_t, size_t> range = table.group_range(group);
  SearchPageWriter writer(out, table, group, destination_site, random);
  for (size_t first = range.first; first < range.second;) {
    size_t end = LineEnd(table, first, range.second);
    writer.WriteLine(first, end, first == range.first);
    first = end;
  }
  out.line("</body> <br>");
  out.line("</html> <br>");
  out.close();
}

long search_draws(const WordTable& table, int group) {
  std::pair<size_t, size_t> range = table.group_range(group);
  long draws = 0;
  for (size_t first = range.first; first < range.second;) {
    size_t end = LineEnd(table, first, range.second);
    if (end - first > static_cast<size_t>(kQueryWords)) draws += kQueryWords;
    first = end;
  }
  return draws;
}

}  // namespace quillon
