// Cuts arbitrary pages into words, the way the index does after page
// preparation, and checks what every word record must hold: five items that
// read back as written, and a word of three bytes or more that stands at
// the recorded line and position.
//
// Input: the page bytes; a form feed (which page preparation drops) starts
// the next page, up to three.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/field_reader.h"
#include "base/text.h"
#include "index/word_extraction.h"
#include "shell/commands.h"
#include "support/test_run.h"

namespace quillon {
namespace {

void Require(bool holds, const std::string& what, const std::string& detail) {
  if (holds) return;
  std::fprintf(stderr, "BROKEN: %s\n  [%s]\n", what.c_str(), detail.c_str());
  std::abort();
}

// A page as page preparation leaves it: no byte below 16 in its lines, every
// line ended by CR LF.
struct Page {
  std::string name;
  std::vector<std::string> lines;
  std::string content;
};

std::vector<Page> MakePages(const std::string& input) {
  std::vector<Page> pages;
  for (size_t from = 0; from != std::string::npos;) {
    size_t feed = pages.size() < 2 ? input.find('\f', from) : std::string::npos;
    Page page{"page_0" + std::to_string(pages.size() + 1) + ".htm", {}, ""};
    for (const std::string& line : SplitLines(input.substr(from, feed - from))) {
      std::string kept;
      for (char c : line) {
        if (static_cast<unsigned char>(c) >= 16) kept += c;
      }
      page.lines.push_back(kept);
      page.content += kept + "\r\n";
    }
    pages.push_back(page);
    from = feed == std::string::npos ? feed : feed + 1;
  }
  return pages;
}

// A word of 3 bytes or more, free of quotes, blanks and tag starts, standing
// at `start` of its line, where quotes became apostrophes.
void CheckWordAt(const std::string& line, long start, const std::string& word,
                 const std::string& where) {
  Require(text_length(word) >= 3, "word shorter than 3 bytes", where);
  Require(word.find_first_of("\" <") == std::string::npos, "quote, blank or tag start in word",
          where);
  bool fits = start >= 1 && start - 1 + text_length(word) <= text_length(line);
  for (size_t k = 0; fits && k < word.size(); ++k) {
    char c = line[static_cast<size_t>(start - 1) + k];
    fits = (c == '"' ? '\'' : c) == word[k];
  }
  Require(fits, "word not at its position", where);
}

// A right-aligned number item: blanks, then the digits of a positive number.
long AlignedNumber(const std::string& item, long width, const std::string& where) {
  std::string digits = trim_left(item);
  Require(!digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos,
          "number item", where);
  long value = std::stol(digits);
  Require(item == right_aligned(value, width), "alignment of number item", where);
  return value;
}

// Every record against the pages; the words in order.
std::vector<std::string> CheckRecords(const std::string& records, const std::vector<Page>& pages) {
  std::vector<std::string> words;
  size_t page_index = 0;
  Require(records.empty() || (records.size() >= 2 && records.substr(records.size() - 2) == "\r\n"),
          "records end in CR LF", records);
  for (const std::string& record : SplitLines(records)) {
    StringSource in(record);
    std::vector<std::string> items;
    for (int k = 0; k < 5; ++k) items.push_back(read_token_from(in));
    Require(in.peek() == -1, "record of more than five items", record);
    Require(items[0] == items[4], "word items differ", record);
    while (page_index < pages.size() && pages[page_index].name != items[1]) ++page_index;
    Require(page_index < pages.size(), "page item out of order", record);
    const std::vector<std::string>& lines = pages[page_index].lines;
    long line = AlignedNumber(items[2], 10, record);
    Require(line >= 1 && line <= static_cast<long>(lines.size()), "line number", record);
    CheckWordAt(lines[line - 1], AlignedNumber(items[3], 6, record), items[0], record);
    words.push_back(items[0]);
  }
  return words;
}

// The words of a run of extract_words on the pages, as quoted records.
std::string Extract(const std::vector<Page>& pages) {
  FakeRun t;
  for (const Page& page : pages) t.disk.AddFile(page.name, page.content);
  WordTable table = extract_words(t.run, 1);
  Require(t.transcript() == "processed 10%\r\n", "console", t.transcript());
  for (const Page& page : pages) {
    Require(t.disk.HasFile(page.name) && t.disk.Content(page.name) == page.content, "page changed",
            page.name);
  }
  std::string records;
  for (const Occurrence& o : table.occurrences) {
    std::string word = table.word(o);
    records += "\"" + word + "\",\"" + table.pages[o.page] + "\",\"" + right_aligned(o.line, 10) +
               "\",\"" + right_aligned(o.start, 6) + "\",\"" + word + "\"\r\n";
  }
  return records;
}

// The line cutter straight on raw lines, control bytes and all.
void CutRawLines(const std::string& input) {
  ScanState state;
  std::vector<TakenWord> words;
  for (const std::string& line : SplitLines(input)) {
    words.clear();
    bool taken = extract_line_words(line, &state, &words);
    Require(taken || words.empty(), "words from a skipped line", line);
    for (const TakenWord& word : words) {
      CheckWordAt(line, word.start, word.word, line);
      Require(word.scan_position >= word.start && word.scan_position <= text_length(line),
              "scan position", line);
    }
  }
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quillon;
  std::string input(reinterpret_cast<const char*>(data), size);
  CutRawLines(input);
  std::vector<Page> pages = MakePages(input);
  CheckRecords(Extract(pages), pages);
  return 0;
}
