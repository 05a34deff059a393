#include "app/arguments.h"

#include <getopt.h>

#include <cstring>
#include <vector>

#include "base/field_reader.h"

namespace quillon {

namespace {

using Action = Arguments::Action;

// One option of the command line. `apply` takes the value (empty for an
// option without one) and gives "" or what is wrong with it; an option of
// the one-command form is refused without the two files. A new option is
// one more row.
struct OptionRow {
  const char* name;
  char letter;  ///< The short form, or 0.
  bool takes_value;
  bool one_command_only;
  std::string (*apply)(const std::string& value, Arguments* arguments);
};

bool AllDigits(const std::string& text, size_t most) {
  return !text.empty() && text.size() <= most &&
         text.find_first_not_of("0123456789") == std::string::npos;
}

std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

const OptionRow kOptions[] = {
    {"help", 'h', false, false,
     [](const std::string&, Arguments* a) {
       a->action = Action::kHelp;
       return std::string();
     }},
    {"version", 0, false, false,
     [](const std::string&, Arguments* a) {
       a->action = Action::kVersion;
       return std::string();
     }},
    {"output", 'o', true, true,
     [](const std::string& value, Arguments* a) {
       if (value.empty()) return std::string("the output folder (-o) is empty");
       a->options.output_folder = value;
       return std::string();
     }},
    {"width", 0, true, true,
     [](const std::string& value, Arguments* a) {
       if (!valid_width(value)) {
         return "invalid table width " + Quoted(value) +
                ": a number greater than 0, such as 80 or 62.5";
       }
       a->options.width = value;
       return std::string();
     }},
    {"site", 0, true, true,
     [](const std::string& value, Arguments* a) {
       if (!valid_site(value)) {
         return "invalid address " + Quoted(value) +
                ": a host name and path of letters, digits and . - _ / : ~ only";
       }
       a->options.site = value;
       return std::string();
     }},
    // Digits only, so that a typing slip is not taken for a size.
    {"part-size", 0, true, false,
     [](const std::string& value, Arguments* a) {
       if (!AllDigits(value, 12)) {
         return "invalid part size " + Quoted(value) + ": a number of bytes, 0 for one page";
       }
       a->options.part_size = std::stol(value);
       return std::string();
     }},
    {"jobs", 0, true, false,
     [](const std::string& value, Arguments* a) {
       if (!AllDigits(value, 3)) {
         return "invalid number of jobs " + Quoted(value) + ": 0 (one per core) to 999";
       }
       a->options.jobs = std::stoi(value);
       return std::string();
     }},
    {"clean", 0, false, false,
     [](const std::string&, Arguments* a) {
       a->clean = true;
       return std::string();
     }},
    {"yes", 0, false, false,
     [](const std::string&, Arguments* a) {
       a->yes = true;
       return std::string();
     }},
    {"quiet", 'q', false, false,
     [](const std::string&, Arguments* a) {
       a->options.quiet = true;
       return std::string();
     }},
};

// What getopt_long returns for the row: its letter, or a code past every
// character for a long option alone.
int CodeOf(const OptionRow& row) {
  return row.letter ? row.letter : 256 + static_cast<int>(&row - kOptions);
}

const OptionRow* RowOf(int code) {
  for (const OptionRow& row : kOptions) {
    if (code == CodeOf(row)) return &row;
  }
  return nullptr;
}

Arguments Refuse(const std::string& error) {
  Arguments arguments;
  arguments.action = Action::kUsageError;
  arguments.error = error;
  return arguments;
}

// What getopt stumbled on, named as the user wrote it. A letter that is
// no option may sit inside a cluster ("-qx"), so it is named alone.
std::string GetoptError(int code, int argc, char* const* argv) {
  std::string written = optind >= 1 && optind <= argc ? argv[optind - 1] : "";
  if (code == ':') return "option " + Quoted(written) + " needs a value";
  const OptionRow* row = RowOf(optopt);
  if (row && !row->takes_value &&
      written.compare(0, 3 + std::strlen(row->name), std::string("--") + row->name + "=") == 0) {
    return "option " + Quoted(std::string("--") + row->name) + " takes no value";
  }
  if (optopt == 0 || optopt >= 256) return "unrecognized option " + Quoted(written);
  return "invalid option " + Quoted(std::string("-") + static_cast<char>(optopt));
}

}  // namespace

bool valid_width(const std::string& value) {
  size_t point = value.find('.');
  std::string whole = value.substr(0, point);
  std::string fraction = point == std::string::npos ? "1" : value.substr(point + 1);
  // Nine digits at most: the dialogue's reading of a longer number wraps.
  if (!AllDigits(whole, 9) || !AllDigits(fraction, 60)) return false;
  StringSource source(value);
  return read_number_from(source) > 0;
}

bool valid_site(const std::string& value) {
  for (char c : value) {
    bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!letter && !std::strchr(".-_/:~", c)) return false;
  }
  return true;
}

Arguments parse_arguments(int argc, char* const* argv) {
  std::vector<struct option> longs;
  std::string letters = ":";  // a missing value is told apart from an unknown option
  for (const OptionRow& row : kOptions) {
    longs.push_back(
        {row.name, row.takes_value ? required_argument : no_argument, nullptr, CodeOf(row)});
    if (row.letter) letters += std::string(1, row.letter) + (row.takes_value ? ":" : "");
  }
  longs.push_back({nullptr, 0, nullptr, 0});

  Arguments arguments;
  const OptionRow* first_one_command_option = nullptr;
  opterr = 0;
  optind = 0;  // a fresh scan, also when called again
  for (int code; (code = getopt_long(argc, argv, letters.c_str(), longs.data(), nullptr)) != -1;) {
    const OptionRow* row = code == '?' || code == ':' ? nullptr : RowOf(code);
    if (!row) return Refuse(GetoptError(code, argc, argv));
    std::string error = row->apply(optarg ? optarg : "", &arguments);
    if (!error.empty()) return Refuse(error);
    if (arguments.action != Action::kRun) return arguments;
    if (row->one_command_only && !first_one_command_option) first_one_command_option = row;
  }

  std::vector<std::string> files(argv + optind, argv + argc);
  if (files.size() == 1)
    return Refuse("missing the second file to compare after " + Quoted(files[0]));
  if (files.size() > 2) return Refuse("extra operand " + Quoted(files[2]));
  if (files.empty() && first_one_command_option) {
    return Refuse("option " + Quoted(std::string("--") + first_one_command_option->name) +
                  " needs the two files to compare");
  }
  if (arguments.clean) {
    if (!files.empty()) return Refuse("option '--clean' takes no files");
    arguments.action = Action::kClean;
    return arguments;
  }
  if (arguments.yes) return Refuse("option '--yes' goes with --clean");
  if (files.size() == 2) {
    for (const std::string& file : files) {
      if (file.empty()) return Refuse("an empty file name");
    }
    arguments.options.first_input = files[0];
    arguments.options.second_input = files[1];
  }
  return arguments;
}

}  // namespace quillon
