// Checks of the indexed page page_01.htm: every word clickable, navigators
// hidden until a word is chosen, a real double-click that opens the page at
// the word with all its occurrences highlighted and their navigators shown,
// and those navigators clicked as a user clicks them.
import {doubleClickOpens, fileOf, kRed, openAt, waitForPage} from './browser.mjs';

export const kWordPage = 'page_01.htm';

export const isNonAscii = (text) => /[^\x00-\x7f]/.test(text);
const sortedJoin = (texts) => [...texts].sort().join('\n');
const isHighlighted = (w) => w.color === kRed && w.weight >= 700 && Math.abs(w.scale - 1.4) < 0.01;
const isPlain = (w) => w.color !== kRed && Math.abs(w.scale - 1) < 0.01;

/// The occurrence number a navigator shows, from its "(K)" label.
export const occurrenceOf = (n) => Number(/^\((\d+)\)/.exec(n.label)?.[1] ?? 0);

// The word elements and navigators of a loaded page, as rendered.
async function readWordPage(page) {
  return page.evaluate(() => {
    const fontSize = (e) => parseFloat(getComputedStyle(e).fontSize);
    const words = [...document.querySelectorAll('span[ondblclick]')].map(
        (e) => ({
          id: e.id,
          text: e.textContent,
          inCell: e.closest('td') !== null,
          color: getComputedStyle(e).color,
          weight: Number(getComputedStyle(e).fontWeight),
          scale: fontSize(e) / fontSize(e.parentElement),
        }));
    const navigators = [...document.querySelectorAll('span[hidden]')].map(
        (e) => ({
          id: e.id,
          shown: getComputedStyle(e).display !== 'none' && e.getClientRects().length > 0,
          label: e.textContent.replace(/\s+/g, ''),
          word: e.previousElementSibling?.textContent ?? '',
        }));
    return {words, navigators};
  });
}

// The words of the page by id: spelling of the first element, occurrence
// count, and the spelling at occurrence 1 as its navigator follows it.
function wordsOf(state) {
  const words = new Map();
  for (const {id, text} of state.words) {
    if (!words.has(id)) words.set(id, {id, text, count: 0});
    words.get(id).count += 1;
  }
  for (const n of state.navigators) {
    if (occurrenceOf(n) === 1 && words.has(n.id)) words.get(n.id).first = n.word;
  }
  return words;
}

/// Loads the page without a fragment and checks its words and hidden
/// navigators against the input; returns the rendered state and its words.
export async function checkWordPage(checks, page, run) {
  await openAt(page, run.htm, kWordPage);
  const state = await readWordPage(page);
  checks.check(
      'every word has a navigator, all hidden and no word highlighted before any fragment',
      state.navigators.length === state.words.length && state.navigators.every((n) => !n.shown) &&
          state.words.every(isPlain),
      `${state.navigators.filter((n) => n.shown).length} shown`);
  // The index takes runs between blanks of at least 3 bytes (bytes, not
  // characters: "Öl" is a word) as the page holds them, where a text's "&",
  // "<" and ">" stand as their escapes: "<" alone is a word.
  const onPage = (word) => word.replace(/&/g, '&amp;').replace(/[<>]/g, '&lt;');
  const expected = [...run.left, ...run.right]
                       .flatMap((line) => line.split(' '))
                       .filter((word) => Buffer.byteLength(onPage(word), 'utf8') >= 3);
  const inCells = state.words.filter((word) => word.inCell).map((word) => word.text);
  checks.check(
      'the cells\' word elements are the input\'s words of 3+ bytes, as typed',
      sortedJoin(inCells) === sortedJoin(expected),
      `${inCells.length} elements, ${expected.length} words`);
  const words = wordsOf(state);
  return {state, words};
}

/// Double-clicks the word `target` with real mouse input and checks the page
/// that opens: at #id, every occurrence highlighted, only its navigators shown.
/// Returns the opened page.
export async function checkDoubleClick(checks, page, run, target) {
  await openAt(page, run.htm, kWordPage);
  const popup = await doubleClickOpens(
      page, `span[ondblclick][id="${target.id}"]`, (url) => fileOf(url.href) === kWordPage);
  const url = new URL(popup.url());
  checks.check(
      `double-click on "${target.text}" opens ${kWordPage}#${target.id}`,
      decodeURIComponent(url.pathname) === `${run.htm}/${kWordPage}` &&
          url.hash === `#${target.id}`,
      popup.url());
  const {words, navigators} = await readWordPage(popup);
  const mine = words.filter((word) => word.id === target.id);
  const shown = navigators.filter((n) => n.shown);
  checks.check(
      `double-click on "${target.text}": all ${target.count} occurrences red, bold and 140%, ` +
          'no other word highlighted, exactly their navigators visible',
      mine.length === target.count && mine.every(isHighlighted) &&
          words.filter((word) => word.id !== target.id).every(isPlain) &&
          shown.length === target.count && shown.every((n) => n.id === target.id),
      `${JSON.stringify(mine[0])}, ${shown.length} shown`);
  return popup;
}

async function targetState(page) {
  const state = await page.evaluate(() => {
    const target = document.querySelector(':target');
    const box = target?.getBoundingClientRect();
    return target && {
      id: target.id,
      tag: target.tagName,
      text: target.textContent,
      after: target.nextSibling?.textContent ?? '',
      before: target.previousElementSibling?.textContent.replace(/\s+/g, '') ?? '',
      color: getComputedStyle(target).color,
      inView: box.top >= 0 && box.top <= window.innerHeight,
    };
  });
  return state ?? {id: ''};
}

// Clicks the link (an element handle), waits for the page it names; returns
// its href and the target there.
async function follow(page, link) {
  const href = await link.evaluate((a) => a.getAttribute('href'));
  await link.click();
  const [file, fragment = ''] = href.split('#');
  await waitForPage(
      page, href,
      (url) => fileOf(url.href) === (file || kWordPage) &&
          url.hash === (fragment ? `#${fragment}` : ''));
  return {href, at: await targetState(page)};
}

/// Follows the navigators of `target` on `page`, which shows the word page
/// opened at the word by a double-click: ">" from occurrence to occurrence,
/// "i" to the group index, "s" to the search page.
export async function checkNavigatorLinks(checks, page, run, target) {
  const label = `navigators of "${target.text}"`;
  // The first link of `selector` in the navigator of occurrence k.
  const link = (selector, k = 1) => page.evaluateHandle((id, k, selector) => {
    const navigator = [...document.querySelectorAll(`span[hidden][id="${id}"]`)]
                          .find((n) => n.textContent.trim().startsWith(`(${k})`));
    return navigator.querySelector(selector);
  }, target.id, k, selector);
  const steps = [];
  for (let k = 1; k < target.count; k += 1) {
    const {at} = await follow(page, await link('a', k));
    steps.push(at.id);
    if (at.id !== `${target.id}_${k + 1}` || !at.before.startsWith(`(${k + 1})`) || !at.inView) {
      steps.push('(wrong)');
      break;
    }
  }
  checks.check(
      `${label}: ">" leads from occurrence 1 through ${target.count}, each scrolled into view`,
      steps.length === target.count - 1 && !steps.includes('(wrong)'), steps.join(' '));
  let {href, at} = await follow(page, await link('a[href^="i_"]'));
  checks.check(
      `${label}: "i" opens the group index at the word's entry`,
      /^i_\d+\.htm#/.test(href) && at.id === target.id && at.tag === 'A' &&
          at.text === target.text && at.after.includes(`(${kWordPage}, ${target.count})`),
      `${href} ${at.text} ${at.after?.trim()}`);
  await openAt(page, run.htm, kWordPage, `#${target.id}`);
  ({href, at} = await follow(page, await link('a[href^="s_"]')));
  checks.check(
      `${label}: "s" opens the search page at occurrence 1, highlighted`,
      /^s_\d+\.htm#/.test(href) && at.id === `${target.id}_1` && at.text.includes(target.first) &&
          at.color === kRed,
      `${href} ${at.id} ${at.color}`);
}
