#include "index/word_extraction.h"

#include <algorithm>

#include "base/paths.h"
#include "base/text.h"
#include "index/page_parts.h"
#include "run/file_table.h"
#include "run/work_files.h"

namespace quillon {

namespace {

struct Span {
  long start;
  long end;
};

// Whether `keyword`, found in `searched` (the line or its lower-case form),
// is the name of a tag.
bool BlockTest(const std::string& line, const std::string& searched, const std::string& keyword) {
  return tag_opens(line, find_text(1, searched, keyword));
}

// One kind of block (script, style, title): true while the line lies in it.
bool InBlock(const std::string& line, const std::string& searched, const std::string& opener,
             bool* open, bool* closed) {
  if (!*open && BlockTest(line, searched, opener)) *open = true;
  if (*open && !*closed && BlockTest(line, searched, "/" + opener)) *closed = true;
  if (!*open) return false;
  if (*closed) *open = *closed = false;
  return true;
}

bool SkippedByFilters(const std::string& line, const std::string& lower, ScanState* state) {
  if (InBlock(line, line, "script", &state->script_open, &state->script_closed)) return true;
  bool style_attribute = find_text(1, line, "style=") > 0;
  if (!style_attribute || state->style_open) {
    if (InBlock(line, lower, "style", &state->style_open, &state->style_closed)) return true;
  }
  // The title holds no text of the pages: its words would get elements that
  // the browser shows as raw markup in the tab.
  bool title_attribute = find_text(1, lower, "title=") > 0;
  if (!title_attribute || state->title_open) {
    if (InBlock(line, lower, "title", &state->title_open, &state->title_closed)) return true;
  }
  long h = find_text(1, lower, "href=");
  long offset = 7;
  if (h == 0) {
    h = find_text(1, lower, "href =");
    offset = 8;
  }
  if (h > 0 && text_to_number(substring(line, h + offset, -1)) > 2000) return true;
  long m = find_text(1, lower, "look_at:");
  return m > 0 && m < h;
}

// Tag spans in order; false when the line lies wholly inside a tag.
bool BuildSpans(const std::string& line, ScanState* state, std::vector<Span>* spans) {
  long length = text_length(line);
  long opens = 0, closes = 0;
  for (char c : line) {
    opens += c == '<';
    closes += c == '>';
  }
  if (state->tag_open) {
    if (closes == 0) return false;
    ++opens;
  }
  if (opens == 0 && closes == 0) return true;
  long from = 1;
  if (state->tag_open) {
    long end = find_text(1, line, ">");
    spans->push_back({1, end});
    state->tag_open = false;
    from = end + 1;
  }
  for (;;) {
    long start = find_text(from, line, "<");
    if (start == 0) break;
    long end = find_text(start + 1, line, ">");
    if (end == 0) {
      spans->push_back({start, length});
      state->tag_open = true;
      break;
    }
    spans->push_back({start, end});
    from = end + 1;
  }
  return !(state->tag_open && spans->size() == 1 && (*spans)[0].start == 1 &&
           (*spans)[0].end == length);
}

void TakeCandidate(const std::string& line, long from, long to, long position,
                   std::vector<TakenWord>* words) {
  if (to < from) return;
  TakenWord taken;
  taken.word = substring(line, from, to - from + 1);
  taken.start = from;
  taken.scan_position = position;
  if (!taken.word.empty() && taken.word.front() == '"') {
    taken.word.erase(0, 1);
    ++taken.start;
  }
  if (!taken.word.empty() && taken.word.back() == '"') taken.word.pop_back();
  for (char& c : taken.word) {
    if (c == '"') c = '\'';
  }
  if (text_length(taken.word) >= 3) words->push_back(taken);
}

void Scan(const std::string& line, const std::string& lower, const std::vector<Span>& spans,
          std::vector<TakenWord>* words) {
  long length = text_length(line);
  long tag_start = 0, tag_end = 0, boundary = 0, blank = 0;
  long href = find_text(1, lower, "href=");
  size_t s = 0;
  for (long i = 1; i <= length; ++i) {
    while (s < spans.size() && spans[s].end < i) ++s;
    bool in_span = s < spans.size() && spans[s].start <= i;
    if (in_span && spans[s].start < i && i < spans[s].end) continue;
    if (in_span && spans[s].start == i) tag_start = i;
    if (in_span && spans[s].end == i) tag_end = i;
    bool free_blank = !in_span && line[static_cast<size_t>(i - 1)] == ' ';
    if (free_blank) blank = i;
    if (blank == i) {
      if (boundary < i && tag_start == 0 && tag_end == 0) {
        TakeCandidate(line, boundary + 1, i - 1, i, words);
      }
      if (tag_start < i && tag_end < i && tag_start < tag_end && boundary < tag_start) {
        TakeCandidate(line, tag_end + 1, i - 1, i, words);
      }
      if (boundary < i && tag_start < tag_end && tag_end < boundary) {
        TakeCandidate(line, boundary + 1, i - 1, i, words);
      }
    }
    if (tag_start == i) {
      if (tag_end < i && boundary < tag_end && blank < tag_end) {
        // A link's text is not taken: the rest of the line yields nothing.
        if (href > 0 && href < tag_end) return;
        TakeCandidate(line, tag_end + 1, i - 1, i, words);
      }
      if (tag_end < blank && blank < i) TakeCandidate(line, blank + 1, i - 1, i, words);
    }
    if (i == length) {
      if (blank < tag_start && tag_start < tag_end) TakeCandidate(line, tag_end + 1, i, i, words);
      if (tag_end < blank && blank < i) TakeCandidate(line, blank + 1, i, i, words);
      if (tag_start == 0 && tag_end == 0 && boundary == 0 && blank == 0) {
        TakeCandidate(line, 1, i, i, words);
      }
    }
    if (free_blank) boundary = i;
  }
}

template <typename Container>
void GrowFor(Container* container, size_t needed) {
  if (needed > container->capacity())
    container->reserve(std::max(needed, 2 * container->capacity()));
}

// The listing of each page's lines and words that the straightforward
// procedure writes is never read, so it is not written.
void ExtractPage(Run& run, uint32_t page, ScanState* state, WordTable* table) {
  FileTable& files = run.files;
  int in = files.free_file_number();
  files.open_input(table->pages[page], in);
  // A word takes three bytes and a separator at least: room for every word
  // the page can hold, of which only what is used takes memory. Room grows
  // at least twofold, so that many pages do not copy the table over and over.
  std::string path;
  DirEntry entry;
  if (resolve_path(run.disk, table->pages[page], &path) && run.disk.stat(path, &entry)) {
    GrowFor(&table->text, table->text.size() + entry.size);
    GrowFor(&table->occurrences, table->occurrences.size() + entry.size / 4 + 1);
  }
  state->script_open = state->script_closed = false;
  state->style_open = state->style_closed = false;
  state->title_open = state->title_closed = false;
  uint32_t line_number = 0;
  std::string line;
  std::vector<TakenWord> words;
  while (!files.end_of_file(in)) {
    files.read_line(in, &line);
    ++line_number;
    words.clear();
    if (!extract_line_words(line, state, &words)) continue;
    for (const TakenWord& taken : words) {
      if (taken.start > kLastIndexedStart) continue;
      Occurrence o;
      o.word_at = table->text.size();
      o.word_size = static_cast<uint32_t>(taken.word.size());
      o.page = page;
      o.line = line_number;
      o.start = static_cast<uint32_t>(taken.start);
      table->text += taken.word;
      table->occurrences.push_back(o);
    }
  }
  files.close_file(in);
}

}  // namespace

bool extract_line_words(const std::string& line, ScanState* state, std::vector<TakenWord>* words) {
  std::string lower = to_lower(line);
  if (SkippedByFilters(line, lower, state)) return false;
  std::vector<Span> spans;
  if (!BuildSpans(line, state, &spans)) return false;
  Scan(line, lower, spans, words);
  return true;
}

WordTable extract_words(Run& run) {
  FileTable& files = run.files;
  run.run_command("dir /b page_*.htm > " + work_files::kPageListing);
  int list = files.free_file_number();
  files.open_input(work_files::kPageListing, list);
  WordTable table;
  ScanState state;
  std::string entry;
  while (!files.end_of_file(list)) {
    files.read_line(list, &entry);
    std::string page = to_lower(entry);
    if (find_text(1, page, ".htm") == 0) continue;
    table.pages.push_back(page);
    ExtractPage(run, static_cast<uint32_t>(table.pages.size() - 1), &state, &table);
  }
  files.close_file(list);
  run.print_line("processed 10%");
  return table;
}

}  // namespace quillon
