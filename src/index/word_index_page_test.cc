#include "index/word_index_page.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "app/phase_table.h"
#include "support/test_run.h"

namespace quillon {
namespace {

// An index too long for one page is cut at word boundaries into index.htm,
// index_2.htm, ...: every page leads to all of them, every word stands on
// one page, the links of the group index and search pages find it there,
// and only the index's very last entry goes without its count.
TEST(WordIndexPageTest, ALongIndexTakesSeveralPagesThatItsLinksFind) {
  FakeRun fake;
  fake.disk.AddDir("txt_in");
  fake.disk.AddDir("htm_in");
  std::string page = "<html>\r\n<body>\r\n";
  for (int line = 0; line < 12; ++line) page += "alpha beta word" + std::to_string(line) + "\r\n";
  for (const char* name : {"htm_wrk/a.htm", "htm_wrk/b.htm", "htm_wrk/c.htm"}) {
    fake.disk.AddFile(name, page + "</body>\r\n</html>\r\n");
  }
  RunState state;
  state.page_number_pad = "00";
  run_phases(fake.run, state, "page preparation", "occurrence lists");
  plan_word_index_pages(&state.words, 600);
  run_phases(fake.run, state, "group pages", "word index");
  std::map<std::string, std::string> files = fake.disk.Files();
  std::map<std::string, std::string> page_of;  // word id -> the index page of its heading
  const std::regex entry("href=\"i_\\d+\\.htm#(id\\d{8})\" id=\"id\\d{8}\">\\(i_\\d+(,&nbsp;)?");
  std::vector<std::string> pages;
  for (int n = 1; files.count(work_files::word_index_page(n)); ++n) {
    pages.push_back(work_files::word_index_page(n));
  }
  ASSERT_GE(pages.size(), 3u);
  int uncounted = 0;
  for (const std::string& name : pages) {
    const std::string& text = files[name];
    for (const std::string& other : pages) {
      EXPECT_NE(text.find("<a href=\"" + other + "\">"), std::string::npos) << name << other;
    }
    for (std::sregex_iterator m(text.begin(), text.end(), entry), end; m != end; ++m) {
      EXPECT_EQ(page_of.emplace((*m)[1], name).first->second, name);
      uncounted += (*m)[2].length() == 0;
    }
  }
  EXPECT_EQ(uncounted, 1);
  const std::regex link("href=\"(index[_0-9]*\\.htm)#(id\\d{8})\"");
  int links = 0;
  for (const auto& file : files) {
    for (std::sregex_iterator m(file.second.begin(), file.second.end(), link), end; m != end;
         ++m, ++links) {
      EXPECT_EQ(page_of[(*m)[2]], (*m)[1]) << file.first;
    }
  }
  EXPECT_GT(links, 20);
}

}  // namespace
}  // namespace quillon
