#include "index/group_index_pages.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_run.h"

namespace quillon {
namespace {

// A record of wrd_14_[g].txt: word id, page, line, position, word, word id,
// occurrence number.
std::string Record(const std::string& id, const std::string& page, int line,
                   const std::string& word, int number) {
  std::string n = std::to_string(number);
  return "\"" + id + "\",\"" + page + "\",\"         " + std::to_string(line) + "\",\"     1\",\"" +
         word + "\",\"" + id + "\",\"" + n + "\"\r\n";
}

// The page after the head, the Content link and its break.
std::string Entries(const std::string& page) {
  const std::string links = "<a href=\"files_list.htm\"> Content </a><br>\r\n<br>\r\n";
  size_t at = page.find(links);
  return at == std::string::npos ? "" : page.substr(at + links.size());
}

std::string Entry(const std::string& page, const std::string& id, const std::string& word,
                  int count) {
  return "<a href=\"" + page + "#" + id + "\" id=\"" + id + "\">" + word +
         "</a>&nbsp;&nbsp;&nbsp; (" + page + ", " + std::to_string(count) + ")";
}

std::string Links(const std::string& page, const std::string& id, int first) {
  return "&nbsp;&nbsp;<a href=\"s_2.htm#" + id + "_" + std::to_string(first) +
         "\">s_2</a>\r\n&nbsp;&nbsp;<a href=\"index.htm#" + id +
         "\"> index</a>\r\n&nbsp;&nbsp;<a href=\"files_list.htm#" + page + "\"> Content </a>\r\n";
}

// The reference run has one page; here a word spans two, and a group has none.
TEST(GroupIndexPageTest, OneEntryPerWordAndPageCountingItsOccurrences) {
  FakeRun fake;
  fake.disk.AddFile("wrd_14_2.txt", Record("id00000000", "page_03.htm", 1, "Apple", 1) +
                                        Record("id00000000", "page_03.htm", 4, "apple", 2) +
                                        Record("id00000000", "page_03.htm", 9, "APPLE", 3) +
                                        Record("id00000000", "page_04.htm", 2, "apple", 4) +
                                        Record("id00000004", "page_04.htm", 2, "pear", 1));
  fake.disk.AddFile("wrd_14_1.txt", "");
  write_group_index_page(fake.run, 2);
  write_group_index_page(fake.run, 1);
  EXPECT_EQ(Entries(fake.disk.Content("i_2.htm")),
            "<br>\r\n" + Entry("page_03.htm", "id00000000", "Apple", 3) + "\r\n" +
                Links("page_03.htm", "id00000000", 1) + "<br>\r\n" +
                Entry("page_04.htm", "id00000000", "apple", 1) + "\r\n" +
                Links("page_04.htm", "id00000000", 4) +
                Entry("page_04.htm", "id00000004", "pear", 1) + "<br>\r\n</body>\r\n</html>\r\n");
  EXPECT_EQ(Entries(fake.disk.Content("i_1.htm")), "</body>\r\n</html>\r\n");
}

}  // namespace
}  // namespace quillon
