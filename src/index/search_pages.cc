#include "index/search_pages.h"

#include <algorithm>
#include <array>

#include "base/text.h"
#include "index/page_parts.h"
#include "run/work_files.h"

namespace quillon {

namespace {

const char kSearchAddress[] = "http://www.google.com/search?q=";
// A query longer than this is drawn at random from the line's words.
const int kQueryWords = 28;

struct SearchRecord {
  std::string page;
  std::string word;
  std::string word_id;
  std::string occurrence;
  std::string index_page;  // The page of the index of all words with the word.
};

// One page line of the group, as far as its records have been read.
struct TextLine {
  std::string markup;
  std::string word_list;
  long word_count = 0;
  long selection_length = 0;  // Of the word list before its last word.
  std::string first_id;
  std::string first_index_page;
  std::string page;
};

// The word's anchor and its link into the group index page.
void add_anchor(std::string* markup, const SearchRecord& record) {
  append(markup, "<span id=\"", record.word_id, "_", record.occurrence, "\">");
}

void add_index_link(std::string* markup, const SearchRecord& record, const std::string& group) {
  append(markup, "<a href=\"i_", group, ".htm#", record.word_id, "\">", record.word, "</a></span>");
}

void add_word(TextLine* text, const SearchRecord& record, const std::string& group) {
  text->markup += ' ';
  add_anchor(&text->markup, record);
  add_index_link(&text->markup, record, group);
  text->selection_length = text_length(text->word_list);
  text->word_list += trim_blanks(record.word);
  text->word_list += ' ';
  ++text->word_count;
}

void start_line(TextLine* text, const SearchRecord& record, const std::string& group) {
  text->markup.clear();
  add_anchor(&text->markup, record);
  text->markup += record.word;
  text->markup += " &nbsp </span>&nbsp ";
  add_index_link(&text->markup, record, group);
  text->word_list = trim_blanks(record.word) + " ";
  text->word_count = 1;
  text->first_id = record.word_id;
  text->first_index_page = record.index_page;
  text->page = record.page;
}

}  // namespace

std::string search_query(RandomFractions& random, const std::string& word_list, long word_count,
                         long selection_length) {
  if (word_count <= kQueryWords) return word_list;
  std::array<std::string, kQueryWords> slots;
  for (std::string& slot : slots) {
    long p = static_cast<long>(random.random_fraction() * selection_length);
    if (p < 1) p = 1;
    long q = find_text(p, word_list, " ");
    if (q < 1 || q > selection_length) continue;
    long r = find_text(q + 1, word_list, " ");
    if (r > q) slot = substring(word_list, q, r - q);
  }
  for (int i = 0; i < kQueryWords - 1; ++i) {
    for (int j = i + 1; j < kQueryWords; ++j) {
      if (slots[j] == slots[i]) slots[j].clear();
    }
  }
  std::string query;
  for (const std::string& slot : slots) query += slot;
  return query;
}

namespace {

// Whether the markup holds "</html>" in any letter case.
bool HoldsPageEnd(const std::string& markup) {
  const std::string end = "</html>";
  for (size_t at = markup.find("</"); at != std::string::npos; at = markup.find("</", at + 2)) {
    if (markup.size() - at >= end.size() && to_lower(markup.substr(at, end.size())) == end) {
      return true;
    }
  }
  return false;
}

void write_text_line(Run& run, int file, const std::string& group, const std::string& site,
                     const TextLine& text) {
  std::string b;
  if (!HoldsPageEnd(text.markup)) b = text.markup + "<br>\r\n";
  b += "<a href=\"i_" + group + ".htm#" + text.first_id + "\">i_" + group + "</a>\r\n";
  b += "&nbsp <a href=\"" + text.first_index_page + "#" + text.first_id + "\">index</a>\r\n";
  b += "&nbsp <a href=\"files_list.htm#" + text.page + "\"> Content (" + text.page + ")</a>\r\n";
  std::string link = std::string("&nbsp <a href=\"") + kSearchAddress +
                     search_address_text(search_query(run.random, text.word_list, text.word_count,
                                                      text.selection_length));
  if (!site.empty()) {
    b += link + " site:" + search_address_text(site) + "\"> " + site + "</a>\r\n";
  }
  b += link + "\"> web_search </a>\r\n<br><br>\r\n";
  run.files.print_text(file, b);
}

}  // namespace

void write_search_page_head(Run& run, int file) {
  FileTable& files = run.files;
  const char* lines[] = {
      "<html>",
      "<br>",
      "<head>",
      "<br>",
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
      "<br>",
      "<title>search.htm, content (only words) from input *.htm files</title>",
      "<br>",
      "</head>",
      "<br>",
      "<body>",
  };
  for (const char* line : lines) files.print_line(file, line);
  write_highlight_script(run, file);
}

std::string search_address_text(const std::string& text) {
  std::string out;
  out.reserve(text.size());
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
  return out;
}

void write_group_search_page(Run& run, const WordTable& table, int group,
                             const std::string& destination_site) {
  FileTable& files = run.files;
  std::string g = number_text(group);
  int out = files.free_file_number();
  files.open_output(work_files::group_search_page(group), out);
  write_search_page_head(run, out);
  std::pair<size_t, size_t> range = table.group_range(group);
  TextLine text;
  SearchRecord record;
  for (size_t i = range.first; i < range.second; ++i) {
    const Occurrence& o = table.occurrences[i];
    record.page = table.linked_pages[o.page];
    record.word.assign(table.text, o.word_at, o.word_size);
    record.word_id.clear();
    append_word_id(&record.word_id, o.id);
    record.occurrence.clear();
    append_number(&record.occurrence, o.number);
    const Occurrence* before = i == range.first ? nullptr : &table.occurrences[i - 1];
    // Only a line's first word links into the index of all words.
    bool starts_line = !before || o.page != before->page || o.line != before->line;
    if (starts_line) record.index_page = table.word_index_page(o.id);
    if (!before) {
      text.first_id = record.word_id;
      text.first_index_page = record.index_page;
      text.page = record.page;
    }
    if (!before || (o.page == before->page && o.line == before->line)) {
      add_word(&text, record, g);
    } else {
      write_text_line(run, out, g, destination_site, text);
      start_line(&text, record, g);
    }
  }
  if (range.first < range.second) write_text_line(run, out, g, destination_site, text);
  files.print_line(out, "</body> <br>");
  files.print_line(out, "</html> <br>");
  files.close_file(out);
}

}  // namespace quillon
