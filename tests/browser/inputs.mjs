// What the pages should show, taken from a scripted run's own inputs: the two
// text files (left and right cell) and the keys typed at the dialogue.
import fs from 'node:fs';
import path from 'node:path';

/// The lines of a text file with blanks trimmed at both ends, empty ones left out.
export function textLines(file) {
  return fs.readFileSync(file, 'utf8')
      .split(/\r?\n/)
      .map((line) => line.replace(/^ +| +$/g, ''))
      .filter((line) => line !== '');
}

/// Every word the index takes from the lines: runs between blanks of at
/// least 3 bytes (bytes, not characters: "Öl" is a word).
export function indexedWords(lines) {
  return lines.flatMap((line) => line.split(' '))
      .filter((word) => Buffer.byteLength(word, 'utf8') >= 3);
}

/// Letter case folded the way the index folds it: ASCII letters only.
export function asciiLower(text) { return text.replace(/[A-Z]/g, (c) => c.toLowerCase()); }

/// True when the text holds a character outside ASCII.
export function isNonAscii(text) { return /[^\x00-\x7f]/.test(text); }

/// A scripted run: its folder, the two input files in the order the cells
/// show them, and the table width and destination address it was given.
export function describeRun(name, dir, keysFile) {
  const inputs = fs.readdirSync(path.join(dir, 'compare_in'))
                     .filter((file) => file.toLowerCase().endsWith('.txt'))
                     .sort()
                     .map((file) => path.join(dir, 'compare_in', file));
  // The keys answer, line by line: three opening screens and the first file,
  // the second file, the table width, the destination address.
  const answers = fs.readFileSync(keysFile, 'utf8').split('\n');
  return {
    name,
    dir,
    htm: path.join(dir, 'htm_out'),
    left: textLines(inputs[0]),
    right: textLines(inputs[1]),
    widthPercent: Number(answers[2] || '100'),
    site: answers[3] ?? '',
  };
}
