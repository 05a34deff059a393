#include "index/group_index_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/test_run.h"

namespace quillon {
namespace {

// A record of wrd_14_[g].txt: word id, page, line, position, word, word id,
// occurrence number.
std::string Record(const std::string& id, const std::string& page, int line,
                   const std::string& word, int number) {
  std::string line_text = std::to_string(line);
  return "\"" + id + "\",\"" + page + "\",\"" + std::string(10 - line_text.size(), ' ') +
         line_text + "\",\"     1\",\"" + word + "\",\"" + id + "\",\"" + std::to_string(number) +
         "\"\r\n";
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

std::string Links(const std::string& group, const std::string& page, const std::string& id,
                  int first) {
  return "&nbsp;&nbsp;<a href=\"s_" + group + ".htm#" + id + "_" + std::to_string(first) + "\">s_" +
         group + "</a>\r\n&nbsp;&nbsp;<a href=\"index.htm#" + id +
         "\"> index</a>\r\n&nbsp;&nbsp;<a href=\"files_list.htm#" + page + "\"> Content </a>\r\n";
}

TEST(GroupIndexPageTest, OneEntryPerWordAndPageCountingItsOccurrences) {
  FakeRun fake;
  fake.disk.AddFile("wrd_14_2.txt", Record("id00000000", "page_03.htm", 1, "Apple", 1) +
                                        Record("id00000000", "page_03.htm", 4, "apple", 2) +
                                        Record("id00000000", "page_03.htm", 9, "APPLE", 3) +
                                        Record("id00000000", "page_04.htm", 2, "apple", 4) +
                                        Record("id00000004", "page_04.htm", 2, "pear", 1));
  write_group_index_page(fake.run, 2);
  EXPECT_EQ(Entries(fake.disk.Content("i_2.htm")),
            "<br>\r\n" + Entry("page_03.htm", "id00000000", "Apple", 3) + "\r\n" +
                Links("2", "page_03.htm", "id00000000", 1) + "<br>\r\n" +
                Entry("page_04.htm", "id00000000", "apple", 1) + "\r\n" +
                Links("2", "page_04.htm", "id00000000", 4) +
                Entry("page_04.htm", "id00000004", "pear", 1) + "<br>\r\n</body>\r\n</html>\r\n");
}

TEST(GroupIndexPageTest, ASingleRunIsTheOneLineEntryAndNoRecordIsNoEntry) {
  FakeRun fake;
  fake.disk.AddFile("wrd_14_1.txt", Record("id00000000", "page_01.htm", 1, "only", 1) +
                                        Record("id00000000", "page_01.htm", 2, "only", 2));
  fake.disk.AddFile("wrd_14_2.txt", "");
  write_group_index_page(fake.run, 1);
  write_group_index_page(fake.run, 2);
  EXPECT_EQ(Entries(fake.disk.Content("i_1.htm")),
            Entry("page_01.htm", "id00000000", "only", 2) + "<br>\r\n</body>\r\n</html>\r\n");
  EXPECT_EQ(Entries(fake.disk.Content("i_2.htm")), "</body>\r\n</html>\r\n");
}

}  // namespace
}  // namespace quillon
