// Checks of the indexed page page_01.htm: every word clickable, navigators
// hidden until a word is chosen, and a real double-click that opens the page
// at the word with all its occurrences highlighted and their navigators shown.
import {openAt} from './browser.mjs';
import {asciiLower, indexedWords, isNonAscii} from './inputs.mjs';

export const kWordPage = 'page_01.htm';
const kRed = 'rgb(255, 0, 0)';

/// The word elements and navigators of a loaded page, as rendered.
export async function readWordPage(page) {
  return page.evaluate(() => {
    const shown = (e) => getComputedStyle(e).display !== 'none' && e.getClientRects().length > 0;
    const words = [...document.querySelectorAll('span[ondblclick]')].map((e) => {
      const style = getComputedStyle(e);
      const parentSize = parseFloat(getComputedStyle(e.parentElement).fontSize);
      return {
        id: e.id,
        text: e.textContent,
        inCell: e.closest('td') !== null,
        color: style.color,
        weight: Number(style.fontWeight),
        scale: parseFloat(style.fontSize) / parentSize,
      };
    });
    const navigators = [...document.querySelectorAll('span[hidden]')].map(
        (e) => ({
          id: e.id,
          shown: shown(e),
          label: e.textContent.replace(/\s+/g, ''),
          word: e.previousElementSibling?.textContent ?? '',
        }));
    return {words, navigators};
  });
}

/// True when the word element shows the highlight of a chosen word.
export function isHighlighted(word) {
  return word.color === kRed && word.weight >= 700 && Math.abs(word.scale - 1.4) < 0.01;
}

function isPlain(word) { return word.color !== kRed && Math.abs(word.scale - 1) < 0.01; }

function sortedJoin(texts) { return [...texts].sort().join('\n'); }

function countBy(items, key) {
  const counts = new Map();
  for (const item of items) counts.set(key(item), (counts.get(key(item)) ?? 0) + 1);
  return counts;
}

/// The words of the page by id: spelling of the first element, occurrence count.
export function wordsById(state) {
  const byId = new Map();
  for (const word of state.words) {
    if (!byId.has(word.id)) byId.set(word.id, {id: word.id, text: word.text, count: 0});
    byId.get(word.id).count += 1;
  }
  return byId;
}

/// The occurrence number a navigator shows, from its "(K)" label.
export function occurrenceOf(navigator) {
  return Number(/^\((\d+)\)/.exec(navigator.label)?.[1] ?? 0);
}

function checkIdsFollowAsciiCase(checks, run, state) {
  const idsByWord = new Map();
  const foldedById = new Map();
  for (const {id, text} of state.words) {
    const folded = asciiLower(text);
    idsByWord.set(folded, (idsByWord.get(folded) ?? new Set()).add(id));
    foldedById.set(id, (foldedById.get(id) ?? new Set()).add(folded));
  }
  const split = [...idsByWord].filter(([, ids]) => ids.size > 1).map(([w]) => w);
  const merged = [...foldedById].filter(([, words]) => words.size > 1).map(([id]) => id);
  checks.check(
      `${run.name}: words share an id exactly when equal up to ASCII letter case`,
      split.length === 0 && merged.length === 0,
      `split ${split.join(' ')} merged ${merged.join(' ')}`);
}

function checkNavigatorLabels(checks, run, state) {
  const counts = countBy(state.words, (word) => word.id);
  const wrong = state.navigators.filter((navigator) => {
    const k = occurrenceOf(navigator);
    const last = counts.get(navigator.id);
    const expected = k < last ? `(${k})(>,i,s,c)` : `(${k})(i,s,c)`;
    return k < 1 || k > last || navigator.label !== expected;
  });
  const numbered = [...counts].every(([id, count]) => {
    const ks = state.navigators.filter((n) => n.id === id).map(occurrenceOf);
    return sortedJoin(ks.map(String)) ===
        sortedJoin(Array.from({length: count}, (_, i) => String(i + 1)));
  });
  checks.check(
      `${run.name}: navigators number each word's occurrences 1..n, the last without ">"`,
      wrong.length === 0 && numbered,
      wrong.slice(0, 3).map((n) => `${n.id} ${n.label}`).join('; '));
}

/// Loads the page without a fragment and checks its words and hidden
/// navigators against the input; returns the rendered state.
export async function checkWordPage(checks, page, run) {
  await openAt(page, run.htm, kWordPage);
  const state = await readWordPage(page);
  checks.check(
      `${run.name}: every word has a navigator, all hidden before any fragment`,
      state.navigators.length === state.words.length && state.navigators.every((n) => !n.shown),
      `${state.navigators.filter((n) => n.shown).length} shown`);
  checks.check(`${run.name}: no word highlighted before any fragment`, state.words.every(isPlain));
  const expected = indexedWords([...run.left, ...run.right]);
  const inCells = state.words.filter((word) => word.inCell).map((word) => word.text);
  checks.check(
      `${run.name}: the cells' word elements are the input's words of 3+ bytes, as typed`,
      sortedJoin(inCells) === sortedJoin(expected),
      `${inCells.length} elements, ${expected.length} words`);
  const nonAscii = expected.filter(isNonAscii);
  if (nonAscii.length > 0) {
    const rendered = countBy(inCells.filter(isNonAscii), (text) => text);
    const wrong =
        [...countBy(nonAscii, (text) => text)].filter(([text, n]) => rendered.get(text) !== n);
    checks.check(
        `${run.name}: all ${nonAscii.length} non-ASCII words render as the input's characters`,
        wrong.length === 0, wrong.map(([text]) => text).join(' '));
  }
  checkIdsFollowAsciiCase(checks, run, state);
  checkNavigatorLabels(checks, run, state);
  return state;
}

/// Double-clicks the word `target` with real mouse input and checks the page
/// that opens: at #id, every occurrence highlighted, only its navigators shown.
/// Returns the opened page.
export async function checkDoubleClick(checks, page, run, target) {
  await openAt(page, run.htm, kWordPage);
  const element = page.locator(`span[ondblclick][id="${target.id}"]`).first();
  await element.scrollIntoViewIfNeeded();
  // The first line box: a word broken over two lines has its centre elsewhere.
  const box = await element.evaluate((e) => e.getClientRects()[0].toJSON());
  const opened = page.waitForEvent('popup');
  await page.mouse.dblclick(box.x + box.width / 2, box.y + box.height / 2);
  const popup = await opened;
  popup.setDefaultTimeout(10000);
  await popup.waitForLoadState('load');
  const label = `${run.name}: double-click on "${target.text}"`;
  const url = new URL(popup.url());
  checks.check(
      `${label} opens ${kWordPage}#${target.id}`,
      decodeURIComponent(url.pathname) === `${run.htm}/${kWordPage}` &&
          url.hash === `#${target.id}`,
      popup.url());
  const state = await readWordPage(popup);
  const mine = state.words.filter((word) => word.id === target.id);
  checks.check(
      `${label}: all ${target.count} occurrences red, bold and 140%`,
      mine.length === target.count && mine.every(isHighlighted), JSON.stringify(mine[0]));
  checks.check(
      `${label}: no other word highlighted`,
      state.words.filter((word) => word.id !== target.id).every(isPlain));
  const shown = state.navigators.filter((n) => n.shown);
  checks.check(
      `${label}: exactly its ${target.count} navigators visible`,
      shown.length === target.count && shown.every((n) => n.id === target.id),
      `${shown.length} shown`);
  return popup;
}

/// The word to follow through its navigators: the most frequent one, a
/// non-ASCII one where the input has any.
export function mainTarget(byId) {
  const words = [...byId.values()];
  const pool =
      words.some((w) => isNonAscii(w.text)) ? words.filter((w) => isNonAscii(w.text)) : words;
  return pool.reduce((best, word) => (word.count > best.count ? word : best));
}

/// One word per script the input writes in beyond ASCII (Latin, Greek,
/// Cyrillic), the most frequent of each, to be double-clicked as well.
export function scriptTargets(byId) {
  const scripts = [/[\u00c0-\u024f]/, /\p{Script=Greek}/u, /\p{Script=Cyrillic}/u];
  return scripts.map((script) => [...byId.values()].filter((w) => script.test(w.text)))
      .filter((words) => words.length > 0)
      .map((words) => words.reduce((best, word) => (word.count > best.count ? word : best)));
}
