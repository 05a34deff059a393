// Checks of a run whose comparison was indexed in parts (page_001.htm, ...):
// every link and fragment resolves, the navigators of every part lead on to
// the next part that holds the word, the Before and Next links chain the
// parts, the group index and search pages of every group point back at the
// right parts, and in the browser a double-click on a word opens its part at
// the word, highlighted, where a click on a ">>" navigator lands on the next
// part at the word, highlighted. A book-sized run has hundreds of pages
// of megabytes each, so the structure is read from the page sources, as the
// program writes them; the browser does the walking.
import fs from 'node:fs';
import path from 'node:path';

import {doubleClickOpens, fileOf, kRed, openAt, sample, waitForPage} from './browser.mjs';

const matches = (text, re) => [...text.matchAll(re)];

// A numbered page: its word ids in order, its navigators with their links,
// and its Before and Next targets.
function readPart(text) {
  const links = (html) => matches(html, /<a href="([^"]*)">([^<]*)<\/a>/g)
                              .map(([, href, label]) => ({href, label: label.replace(/&gt;/g, '>')}));
  return {
    words: matches(text, /<span id="(id\d{8})" type = "text\/javascript"/g).map((m) => m[1]),
    navigators: matches(text, /<span hidden id="(id\d{8})">([\s\S]*?)<\/span>/g)
                    .map(([, id, html]) => ({id, links: links(html)})),
    // Both link blocks, at the top and at the bottom, each as one text.
    before: matches(text, /<a href="([^"]*)"> Before <\/a>/g).map((m) => m[1]).join(' '),
    next: matches(text, /<a href="([^"]*)"> Next <\/a>/g).map((m) => m[1]).join(' '),
  };
}

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
  const parts = pages.map((name) => ({name, ...readPart(texts.get(name))}));
  const groupOf = (k) => Math.floor(k / 2) + 1;
  const holding = new Map();  // word id -> indices of the parts that hold it
  parts.forEach((part, k) => {
    for (const id of new Set(part.words)) holding.set(id, [...(holding.get(id) ?? []), k]);
  });

  const wrongNext = [], wrongGroup = [];
  parts.forEach((part, k) => {
    for (const n of part.navigators) {
      const later = holding.get(n.id)?.find((j) => j > k);
      const far = n.links.find((l) => l.label === '>>)')?.href;
      const wanted = later === undefined ? undefined : `${pages[later]}#${n.id}`;
      if (far !== wanted) wrongNext.push(`${part.name} ${n.id}: ${far} not ${wanted}`);
      const g = groupOf(k);
      const index = n.links.find((l) => l.label === 'i')?.href ?? '';
      const search = n.links.find((l) => l.label === 's')?.href ?? '';
      if (index !== `i_${g}.htm#${n.id}` || !search.startsWith(`s_${g}.htm#${n.id}_`)) {
        wrongGroup.push(`${part.name}: ${index} ${search}`);
      }
    }
  });
  checks.check(
      '>> leads from every part to the next part that holds the word, and only there',
      wrongNext.length === 0, sample(wrongNext));
  checks.check(
      'the i and s navigators of a part lead to its own group\'s pages', wrongGroup.length === 0,
      sample(wrongGroup));

  const twice = (page) => (page ? `${page} ${page}` : '');
  const broken = parts.filter(
      (part, k) => part.before !== twice(pages[k - 1]) || part.next !== twice(pages[k + 1]));
  checks.check(
      `Before and Next chain all ${parts.length} parts in order`, broken.length === 0,
      sample(broken, (p) => `${p.name}: ${p.before} ${p.next}`));

  // Each group's index entries point at its own parts where the word stands,
  // and its search page holds an anchor for every occurrence of its parts.
  const wrongEntries = [], wrongAnchors = [];
  for (let g = 1; g <= groupOf(parts.length - 1); ++g) {
    const own = [2 * g - 2, 2 * g - 1].filter((k) => k < parts.length);
    const entries = matches(texts.get(`i_${g}.htm`) ?? '', /<a href="([^"#]*)#([^"]*)" id="([^"]*)">/g);
    for (const [, file, word, id] of entries) {
      const k = pages.indexOf(file);
      if (word !== id || !own.includes(k) || !parts[k].words.includes(id)) {
        wrongEntries.push(`i_${g}: ${file}#${word}`);
      }
    }
    const anchors = new Set(
        matches(texts.get(`s_${g}.htm`) ?? '', /<span id="(id\d{8}_\d+)">/g).map((m) => m[1]));
    for (const k of own) {
      for (const n of parts[k].navigators) {
        const anchor = n.links.find((l) => l.label === 's')?.href.split('#')[1];
        if (!anchors.has(anchor)) wrongAnchors.push(`s_${g}: ${anchor}`);
      }
    }
  }
  checks.check(
      'every group index entry points at a part of its group that holds the word',
      wrongEntries.length === 0, sample(wrongEntries));
  checks.check(
      'every group search page has an anchor for each occurrence of its parts',
      wrongAnchors.length === 0, sample(wrongAnchors));

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
