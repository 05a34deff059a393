#include "index/word_extraction.h"

#include <algorithm>
#include <memory>

#include "base/paths.h"
#include "base/text.h"
#include "index/tag_names.h"
#include "run/file_table.h"
#include "run/ordered_tasks.h"
#include "run/work_files.h"

namespace quillon {

namespace {

using Span = ScanState::Span;

// Whether `keyword`, found in `searched` (the line or its lower-case form),
// is the name of a tag.
bool BlockTest(const std::string& line, const std::string& searched, const std::string& keyword) {
  return tag_opens(line, find_text(1, searched, keyword));
}

// The keywords of the filters, made once: every line meets them.
const std::string kScript = "script", kScriptEnd = "/script", kStyle = "style",
                  kStyleEnd = "/style", kTitle = "title", kTitleEnd = "/title",
                  kStyleAttribute = "style=", kTitleAttribute = "title=", kHref = "href=",
                  kHrefSpaced = "href =", kLookAt = "look_at:";

// One kind of block (script, style, title): true while the line lies in it.
bool InBlock(const std::string& line, const std::string& searched, const std::string& opener,
             const std::string& closer, bool* open, bool* closed) {
  if (!*open && BlockTest(line, searched, opener)) *open = true;
  if (*open && !*closed && BlockTest(line, searched, closer)) *closed = true;
  if (!*open) return false;
  if (*closed) *open = *closed = false;
  return true;
}

bool SkippedByFilters(const std::string& line, const std::string& lower, ScanState* state) {
  if (InBlock(line, line, kScript, kScriptEnd, &state->script_open, &state->script_closed)) {
    return true;
  }
  bool style_attribute = find_text(1, line, kStyleAttribute) > 0;
  if (!style_attribute || state->style_open) {
    if (InBlock(line, lower, kStyle, kStyleEnd, &state->style_open, &state->style_closed)) {
      return true;
    }
  }
  // The title holds no text of the pages: its words would get elements that
  // the browser shows as raw markup in the tab.
  bool title_attribute = find_text(1, lower, kTitleAttribute) > 0;
  if (!title_attribute || state->title_open) {
    if (InBlock(line, lower, kTitle, kTitleEnd, &state->title_open, &state->title_closed)) {
      return true;
    }
  }
  long h = find_text(1, lower, kHref);
  long offset = 7;
  if (h == 0) {
    h = find_text(1, lower, kHrefSpaced);
    offset = 8;
  }
  if (h > 0 && text_to_number(substring(line, h + offset, -1)) > 2000) return true;
  long m = find_text(1, lower, kLookAt);
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
  if (text_length(taken.word) >= 3) words->push_back(std::move(taken));
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

// Makes room for `needed` items, of which `part` of all the pages' bytes
// have brought `used` so far: room for what the rest will likely bring,
// so that the table is copied to larger room a few times only and never
// takes much more than it needs (its occurrences are the run's largest
// piece of memory).
template <typename Container>
void GrowFor(Container* container, size_t needed, double part) {
  if (needed <= container->capacity()) return;
  size_t likely = part > 0.05 ? static_cast<size_t>(static_cast<double>(needed) / part * 1.05) : 0;
  container->reserve(std::max(needed, std::min(likely, 2 * container->capacity() + needed)));
}

// The words of one page, taken on any thread: its text and occurrences as
// if the page stood alone, and the scan state it starts and ends with.
struct PageWords {
  std::string text;
  std::vector<Occurrence> occurrences;
  bool tag_open_before = false;
  bool tag_open_after = false;
};

// Reads a page as the file table would: a missing page is an empty one, and
// anything else that keeps it from being read is a failure.
void ReadPage(Disk& disk, const std::string& name, FailureLog* failures, std::string* text) {
  text->clear();
  std::string path;
  DirEntry entry;
  if (!resolve_path(disk, name, &path) || !disk.stat(path, &entry) || !entry.is_file()) {
    if (entry.is_dir || entry.is_other)
      failures->note(DiskAction::kRead, name, DiskError::kNotRegular);
    return;
  }
  std::unique_ptr<InputFile> in = disk.open_read(path);
  if (!in) {
    if (disk.last_error() != DiskError::kNotFound) {
      failures->note(DiskAction::kRead, name, disk.last_error());
    }
    return;
  }
  text->resize(static_cast<size_t>(entry.size) + 1);
  size_t got = 0;
  for (long n; (n = in->read(&(*text)[got], text->size() - got)) != 0;) {
    if (n < 0) {
      failures->note(DiskAction::kRead, name, in->error());
      break;
    }
    got += static_cast<size_t>(n);
    if (got == text->size()) text->resize(2 * got);
  }
  text->resize(got);
}

// The listing of each page's lines and words that the straightforward
// procedure writes is never read, so it is not written.
void ExtractPage(const std::string& page_text, uint32_t page, bool tag_open, PageWords* words) {
  words->text.clear();
  words->occurrences.clear();
  words->tag_open_before = tag_open;
  ScanState state;
  state.tag_open = tag_open;
  uint32_t line_number = 0;
  std::string line;
  std::vector<TakenWord> taken_words;
  // Lines as the file table reads them: split at LF, a CR before it (or as
  // the very last byte) dropped.
  for (size_t at = 0; at < page_text.size();) {
    size_t lf = page_text.find('\n', at);
    size_t end = lf == std::string::npos ? page_text.size() : lf;
    line.assign(page_text, at, end - at);
    at = lf == std::string::npos ? page_text.size() : lf + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++line_number;
    taken_words.clear();
    if (!extract_line_words(line, &state, &taken_words)) continue;
    for (const TakenWord& taken : taken_words) {
      if (taken.start > kLastIndexedStart) continue;
      Occurrence o;
      o.word_at = words->text.size();
      o.word_size = static_cast<uint32_t>(taken.word.size());
      o.page = page;
      o.line = line_number;
      o.start = static_cast<uint32_t>(taken.start);
      words->text += taken.word;
      words->occurrences.push_back(o);
    }
  }
  words->tag_open_after = state.tag_open;
}

// A page's words join the table's; `part` of all the pages' bytes have
// been read with it.
void AddPage(const PageWords& words, double part, WordTable* table) {
  GrowFor(&table->text, table->text.size() + words.text.size(), part);
  GrowFor(&table->occurrences, table->occurrences.size() + words.occurrences.size(), part);
  uint64_t offset = table->text.size();
  table->text += words.text;
  for (Occurrence o : words.occurrences) {
    o.word_at += offset;
    table->occurrences.push_back(o);
  }
}

// The numbered pages, as the listing that delivery reads again names them.
std::vector<std::string> ListedPages(CommandLayer& commands, FileTable& files) {
  using namespace work_files;
  commands.run_command("dir /b " + kNumberedPages.pattern() + " > " + kPageListing);
  TableFile listing = files.input(kPageListing);
  std::vector<std::string> pages;
  for (std::string line; listing.next_line(&line);) {
    std::string page = to_lower(line);
    if (find_text(1, page, kPageExtension) > 0) pages.push_back(page);
  }
  return pages;
}

// The bytes of the pages, for the room the table will take.
uint64_t PageBytes(Disk& disk, const std::vector<std::string>& pages) {
  uint64_t bytes = 0;
  std::string path;
  DirEntry entry;
  for (const std::string& page : pages) {
    if (resolve_path(disk, page, &path) && disk.stat(path, &entry)) bytes += entry.size;
  }
  return bytes;
}

}  // namespace

bool extract_line_words(const std::string& line, ScanState* state, std::vector<TakenWord>* words) {
  std::string& lower = state->lower;
  lower.assign(line);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (SkippedByFilters(line, lower, state)) return false;
  std::vector<Span>& spans = state->spans;
  spans.clear();
  if (!BuildSpans(line, state, &spans)) return false;
  Scan(line, lower, spans, words);
  return true;
}

// Only whether a line ended inside a tag goes from one page to the next. The
// pages are taken on several threads, each as if it began outside a tag,
// and joined in order; the rare page that begins inside one is taken again.
WordTable extract_words(Run& run, int jobs) {
  WordTable table;
  table.pages = ListedPages(run.commands, run.files);

  int threads = threads_for_jobs(jobs);
  std::vector<std::string> texts(static_cast<size_t>(threads));
  std::vector<PageWords> taken(table.pages.size());
  std::vector<uint64_t> page_bytes(table.pages.size());
  double all_bytes = static_cast<double>(PageBytes(run.disk, table.pages)), bytes_read = 0;
  bool tag_open = false;
  run_ordered_tasks(
      threads, table.pages.size(),
      [&](size_t page, int worker, FailureLog* failures) {
        std::string& text = texts[static_cast<size_t>(worker)];
        ReadPage(run.disk, table.pages[page], failures, &text);
        page_bytes[page] = text.size();
        ExtractPage(text, static_cast<uint32_t>(page), false, &taken[page]);
      },
      [&](size_t page) {
        PageWords& words = taken[page];
        if (words.tag_open_before != tag_open) {
          std::string text;
          ReadPage(run.disk, table.pages[page], &run.failures, &text);
          ExtractPage(text, static_cast<uint32_t>(page), tag_open, &words);
        }
        tag_open = words.tag_open_after;
        bytes_read += static_cast<double>(page_bytes[page]);
        AddPage(words, all_bytes > 0 ? std::min(1.0, bytes_read / all_bytes) : 0, &table);
        words = PageWords();
      },
      &run.failures);
  run.print_line("processed 10%");
  return table;
}

}  // namespace quillon
