# Writes the table of the code points that a terminal shows in no column or in
# two, as C++ initialisers {first, last, columns}, from the Unicode data:
#   awk -v output=display_width_table.inc -f display_width.awk \
#       DerivedGeneralCategory.txt HangulSyllableType.txt DerivedEastAsianWidth.txt
# No columns: combining and enclosing marks, format and control characters,
# and the vowels and final consonants that join a Hangul syllable. Two: wide
# and fullwidth characters, unassigned ones in the wide blocks included. A
# code point in both is a mark and takes no column.

function hex(text,    value, i) {
  value = 0
  for (i = 1; i <= length(text); i++) value = value * 16 + index("0123456789ABCDEF", substr(text, i, 1)) - 1
  return value
}

# Marks the code points of "XXXX" or "XXXX..YYYY" as `columns` wide.
function mark(range, columns,    bounds, first, last, cp) {
  gsub(/[ \t]/, "", range)
  if (split(range, bounds, /\.\./) == 2) {
    first = hex(bounds[1]); last = hex(bounds[2])
  } else {
    first = last = hex(bounds[1])
  }
  for (cp = first; cp <= last; cp++) {
    if (columns == 2 && (cp in width)) continue
    width[cp] = columns
  }
}

# "range ; value # comment", or the comment "# @missing: range; Wide".
{
  line = $0
  missing = sub(/^# @missing: /, "", line)
  if (!missing && line ~ /^#/) next
  sub(/#.*/, "", line)
  if (split(line, field, ";") < 2) next
  value = field[2]
  gsub(/[ \t]/, "", value)
  if (FILENAME ~ /GeneralCategory/ && (value == "Mn" || value == "Me" || value == "Cf" || value == "Cc")) mark(field[1], 0)
  if (FILENAME ~ /HangulSyllableType/ && (value == "V" || value == "T")) mark(field[1], 0)
  if (FILENAME ~ /EastAsianWidth/ && (value == "W" || value == "F" || value == "Wide")) mark(field[1], 2)
}

END {
  print "// Made at build time by cmake/display_width.awk from the Unicode data." > output
  open = 0
  for (cp = 0; cp <= 1114111; cp++) {
    columns = (cp in width) ? width[cp] : 1
    if (open && columns == open_columns && cp == last + 1) {
      last = cp
      continue
    }
    if (open) printf "{0x%X, 0x%X, %d},\n", first, last, open_columns > output
    open = columns != 1
    if (open) { first = last = cp; open_columns = columns }
  }
  if (open) printf "{0x%X, 0x%X, %d},\n", first, last, open_columns > output
}
