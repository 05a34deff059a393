// Checks that the group index, the search page and the index of all words
// show every word of the indexed page, spelled and counted as it stands there.
import {openAt} from './browser.mjs';
import {kWordPage, occurrenceOf} from './word_page.mjs';

async function readEntries(page) {
  return page.evaluate(
      () => [...document.querySelectorAll('[id]')].map(
          (e) => ({
            id: e.id,
            tag: e.tagName,
            href: e.getAttribute('href') ?? '',
            text: e.textContent,
            after: e.nextSibling?.textContent ?? '',
            before: e.previousSibling?.textContent.trim() ?? '',
          })));
}

function firstById(entries) {
  const first = new Map();
  for (const entry of entries)
    if (!first.has(entry.id)) first.set(entry.id, entry);
  return first;
}

function checkGroupIndex(checks, run, words, entries) {
  const first = firstById(entries);
  const wrong = [...words.values()].filter((word) => {
    const entry = first.get(word.id);
    return !entry || entry.tag !== 'A' || entry.text !== word.text ||
        entry.href !== `${kWordPage}#${word.id}` ||
        !entry.after.includes(`(${kWordPage}, ${word.count})`);
  });
  checks.check(
      `${run.name}: i_1.htm has an entry per word with its spelling, page and count`,
      wrong.length === 0 && entries.length === words.size,
      wrong.slice(0, 3).map((w) => w.text).join(' '));
}

// Every entry shows the group and the word's count in it, except the very
// last entry of the page, which shows the group alone.
function checkAllWordsIndex(checks, run, words, entries) {
  const last = entries.at(-1);
  const wrong = [...words.values()].filter((word) => {
    const entry = firstById(entries).get(word.id);
    const shows = entry === last ? '(i_1)' : `(i_1,\u00a0\u00a0${word.count})`;
    return !entry || entry.href !== `i_1.htm#${word.id}` || entry.text !== shows ||
        entry.before !== word.text;
  });
  checks.check(
      `${run.name}: index.htm lists every word under its heading with its count in i_1`,
      wrong.length === 0 && entries.length === words.size,
      wrong.slice(0, 3).map((w) => w.text).join(' '));
}

function checkSearchAnchors(checks, run, state, entries) {
  const byId = new Map(entries.map((entry) => [entry.id, entry]));
  const missing = state.navigators.filter((navigator) => {
    const anchor = byId.get(`${navigator.id}_${occurrenceOf(navigator)}`);
    return !anchor || !anchor.text.includes(navigator.word);
  });
  checks.check(
      `${run.name}: s_1.htm has an anchor holding the word for each of ${
          state.navigators.length} occurrences`,
      missing.length === 0, missing.slice(0, 3).map((n) => `${n.id}_${occurrenceOf(n)}`).join(' '));
}

/// Checks i_1.htm, index.htm and s_1.htm against the word page's `state`
/// (and `words`, its words by id).
export async function checkIndexPages(checks, page, run, state, words) {
  await openAt(page, run.htm, 'i_1.htm');
  checkGroupIndex(checks, run, words, await readEntries(page));
  await openAt(page, run.htm, 'index.htm');
  checkAllWordsIndex(checks, run, words, await readEntries(page));
  await openAt(page, run.htm, 's_1.htm');
  checkSearchAnchors(checks, run, state, await readEntries(page));
}
