// What the work phases print, piece by piece, for the end-to-end tests of
// intake, selection and the comparison page.

#ifndef QUILLON_TESTS_E2E_PHASE_DIALOGUE_H_
#define QUILLON_TESTS_E2E_PHASE_DIALOGUE_H_

#include <initializer_list>
#include <string>

namespace quillon {
namespace e2e {

/// Keys that pass the three opening screens.
inline std::string Opening(const std::string& keys) {
  return "111" + keys;
}

/// What the run printed after the tool probes, where the work phases begin.
inline std::string AfterProbes(const std::string& transcript) {
  const std::string kLastProbe = "\r\nsort\r\n";
  size_t at = transcript.find(kLastProbe);
  return at == std::string::npos ? "<no probes>" : transcript.substr(at + kLastProbe.size());
}

inline std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

inline std::string BlankLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "\r\n";
  return text;
}

const char kSeparator[] = "----------------------------";

inline std::string ReformatHeading() {
  return Lines({"", kSeparator, "Reformatting *.htm files to *.txt"});
}

/// The work folders of a first run: htm_out missing, htm_wrk and txt_wrk made
/// by the intake.
inline std::string FirstRunFolders() {
  return Lines({"The system cannot find the path specified.",
                "The system cannot find the path specified.", "",
                "A subdirectory or file htm_wrk already exists.",
                "A subdirectory or file txt_wrk already exists."});
}

/// From the intake up to the selection's list, for compare_in with clean names
/// and no .htm file.
inline std::string UpToSelection() {
  return Lines({""}) + ReformatHeading() + Lines({"File Not Found"}) + FirstRunFolders();
}

inline std::string FileList(std::initializer_list<std::string> names) {
  std::string text;
  int number = 0;
  for (const std::string& name : names)
    text += " " + std::to_string(++number) + " " + name + "\r\n";
  return text;
}

inline std::string FirstChoice(const std::string& list, const std::string& answer) {
  return Lines({"", kSeparator}) + list +
         Lines({"", "-- select 1. file for compare --", "",
                "select file with line number = ? " + answer});
}

inline std::string SecondChoice(const std::string& list, const std::string& answer) {
  return Lines({kSeparator}) + list +
         Lines({"-- select 2. file for compare --", "",
                "select file with line number = ? " + answer});
}

inline std::string Chosen(int which, const std::string& name) {
  return Lines(
      {"", "", std::to_string(which) + ". file for compare: " + name, "        1 file(s) copied."});
}

inline std::string WidthQuestion(const std::string& answer) {
  return Lines({"", kSeparator, "Determining the size of the table according to the screen size.",
                "The table size parameter is defined in %",
                "100% means that the table is the same size (width) as the screen, but it is a "
                "matter of choice.",
                "", "size table, a number without the % sign, <enter> = 100 :? " + answer});
}

inline std::string DestinationQuestion(const std::string& answer) {
  return Lines({"", kSeparator, "", "The program enables targeted search.",
                "Google search phrases will be targeted to a specific web address.",
                "If the destination web address is not specified, Google search will run all "
                "over the web.",
                "", "web address for destination search (example: www.amazon.com) =? " + answer,
                ""});
}

/// The whole choice of two files from `list` and the two questions after it.
inline std::string Selection(const std::string& list, int first, const std::string& first_name,
                             int second, const std::string& second_name,
                             const std::string& width = "", const std::string& site = "") {
  return FirstChoice(list, std::to_string(first)) + Chosen(1, first_name) +
         SecondChoice(list, std::to_string(second)) + Chosen(2, second_name) +
         WidthQuestion(width) + DestinationQuestion(site);
}

/// compare.htm for two cells of already trimmed lines.
inline std::string ComparePage(const std::string& width, std::initializer_list<std::string> left,
                               std::initializer_list<std::string> right) {
  std::string page =
      Lines({"<HTML>", "<head>",
             "<meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">", "<title>",
             "compare.htm", "</title>", "</head>", "<body>", "<br>", "<br><br>",
             "<b>Just double-clicking on any word is enough to access the index of all words "
             "(full-text search).</b>",
             "<table style=\"width:" + width + "\">", "<tr valign=\"top\">", "<td>"});
  for (const std::string& line : left) page += " <br>" + line + "\r\n";
  page += Lines({"</td>", "<td>", "<td>"});
  for (const std::string& line : right) page += " <br>" + line + "\r\n";
  return page + Lines({"</td>", "</tr>", "</table>", "<br>", "</body>", "</html>"});
}

}  // namespace e2e
}  // namespace quillon

#endif  // QUILLON_TESTS_E2E_PHASE_DIALOGUE_H_
