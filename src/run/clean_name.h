// Clean names for the user's files: a stem of ASCII letters, digits and "_"
// only, so that later command lines can use the name bare, and never a name
// that starts like one of the generated "page_" files.

#ifndef QUILLON_RUN_CLEAN_NAME_H_
#define QUILLON_RUN_CLEAN_NAME_H_

#include <cstddef>
#include <functional>
#include <string>

namespace quillon {

/// A listed name taken apart around its marker (".txt" or ".htm").
struct NameParts {
  long marker = 0;        ///< Position of the marker from 1; 0 when there is none.
  std::string given;      ///< The name without blanks at both ends.
  std::string stem;       ///< Before the marker, without blanks at both ends.
  std::string extension;  ///< From the marker on, as written.
};

/// Position of the first `marker` in `text`, ASCII case ignored; 0 if none.
long find_marker(const std::string& text, const std::string& marker);

/// An entry of the input folder: marked by ".txt", else by ".htm".
NameParts input_name_parts(const std::string& entry);

/// A working copy's name: marked by ".txt" only, the extension taken from
/// the given name.
NameParts working_copy_name_parts(const std::string& line);

/// Every byte of the stem that is no ASCII letter or digit becomes "_"; the
/// length stays.
std::string clean_stem(const std::string& stem);

/// The cleaned stem and the extension, with "file_" in front of a name that
/// would begin with "page_" (in any letter case). In the extension, only the
/// bytes that a path, a pattern or a listing's line would take apart ("\",
/// "/", "*", "?", bytes below 32 and 127) become "_".
std::string clean_name(const NameParts& parts);

/// A clean name cut to at most `limit` bytes: the part before `extension`
/// is shortened, the extension kept. Where the cut name is `taken`, the
/// shortened part ends in "_2", "_3", ... instead, the first that is free.
std::string fitted_name(const std::string& clean, const std::string& extension, size_t limit,
                        const std::function<bool(const std::string&)>& taken);

}  // namespace quillon

#endif  // QUILLON_RUN_CLEAN_NAME_H_
