// Checks of a run whose comparison was indexed in parts (page_001.htm, ...):
// every link and fragment resolves, a page of every kind loads, and a
// double-click on a word opens its part at the word, highlighted, where a
// click on a ">>" navigator lands on the next part at the word, highlighted.
// A book-sized run has hundreds of pages of megabytes each, so the links are
// read from the page sources, as the program writes them; the browser does
// the walking.
import fs from 'node:fs';
import path from 'node:path';

import {doubleClickOpens, fileOf, kRed, openAt, sample, waitForPage} from './browser.mjs';

const matches = (text, re) => [...text.matchAll(re)];

// Every page link names a file of the folder, and its fragment an id there.
function checkLinks(checks, texts) {
  const ids = new Map();
  for (const [file, text] of texts) {
    ids.set(file, new Set(matches(text, /\bid\s*=\s*"([^"]*)"/g).map((m) => m[1])));
  }
  let count = 0;
  const broken = [];
  for (const [file, text] of texts) {
    for (const [, href] of matches(text, /href="([^"]*)"/g)) {
      if (/^https?:/.test(href)) continue;
      count += 1;
      const [target, fragment] = href.split('#');
      const there = ids.get(target || file);
      if (!there || (fragment !== undefined && !there.has(fragment))) broken.push(`${file}: ${href}`);
    }
  }
  checks.check(
      `all ${count} page links name a file of htm_out and an id there`, broken.length === 0,
      sample(broken));
}

/// Runs the checks on the folder `htm` of a run in parts; `least` is the
/// least number of parts the run must have made.
export async function checkParts(checks, page, htm, least) {
  const files = fs.readdirSync(htm).filter((f) => f.endsWith('.htm')).sort();
  const texts = new Map(files.map((f) => [f, fs.readFileSync(path.join(htm, f), 'utf8')]));
  const pages = files.filter((f) => /^page_\d+\.htm$/.test(f));
  if (!checks.check(
          `the comparison is indexed in ${pages.length} parts, at least ${least}`,
          pages.length >= least, files.join(' '))) {
    return;
  }
  checkLinks(checks, texts);
  // The first page of every kind loads: a part, a group index, a search
  // page, the word index and the changes page.
  const notLoaded = [];
  for (const kind of [/^page_/, /^i_/, /^s_/, /^index/, /^changes/]) {
    const file = files.find((f) => kind.test(f));
    if (file) await openAt(page, htm, file);
    if (!file || !(await page.evaluate(() => document.body?.childElementCount > 0))) {
      notLoaded.push(file ?? String(kind));
    }
  }
  checks.check('a page of every kind loads and shows', notLoaded.length === 0, sample(notLoaded));
  const holding = new Map();  // word id -> indices of the parts that hold it
  pages.forEach((name, k) => {
    const ids = matches(texts.get(name), /<span id="(id\d{8})" type = "text\/javascript"/g);
    for (const id of new Set(ids.map((m) => m[1]))) holding.set(id, [...(holding.get(id) ?? []), k]);
  });

  // A user's walk: a word that stands in several parts, double-clicked on its
  // first part, where its last navigator is clicked at ">>".
  const spread = [...holding.entries()].find(([, ks]) => ks.length >= 2);
  if (!checks.check('some word stands in two parts or more', spread !== undefined)) return;
  const [id, ks] = spread;
  const [first, next] = [pages[ks[0]], pages[ks[1]]];
  const colour = (page) => page.evaluate((id) => {
    const e = document.getElementById(id);
    const box = e.getBoundingClientRect();
    return {color: getComputedStyle(e).color, visible: box.bottom > 0 && box.top < innerHeight};
  }, id);
  await openAt(page, htm, first);
  const popup = await doubleClickOpens(
      page, `span[ondblclick][id="${id}"]`, (url) => fileOf(url.href) === first);
  const opened = await colour(popup);
  checks.check(
      `a double-click on ${id} on ${first} opens it at the word, highlighted`,
      popup.url().endsWith(`/${first}#${id}`) && opened.color === kRed,
      `${popup.url()} ${JSON.stringify(opened)}`);
  const far = await popup.evaluateHandle((id) => {
    const navigators = document.querySelectorAll(`span[hidden][id="${id}"]`);
    return [...navigators.item(navigators.length - 1).querySelectorAll('a')]
        .find((a) => a.textContent.includes('>>'));
  }, id);
  await far.click();
  await waitForPage(popup, next, (url) => fileOf(url.href) === next && url.hash === `#${id}`);
  const landed = await colour(popup);
  checks.check(
      `a click on the last ">>" of ${id} on ${first} opens ${next} at the word, highlighted`,
      landed.color === kRed && landed.visible, JSON.stringify(landed));
  await popup.close();
}
