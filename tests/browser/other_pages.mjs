// Checks of the pages beside the word page: compare.htm with the two files side
// by side, the indexes and the search page showing every word as it stands
// on the word page, and every link of every delivered page.
import fs from 'node:fs';
import path from 'node:path';

import {openAt, sample} from './browser.mjs';
import {kWordPage, occurrenceOf} from './word_page.mjs';

/// The pages a one-page run delivers, and nothing else.
export const kDeliveredPages = [
  'changes.htm', 'compare.htm', 'files_list.htm', 'i_1.htm', 'index.htm', 'page_01.htm', 's_1.htm'
];

/// Loads compare.htm of the run and checks its table.
export async function checkComparePage(checks, page, run) {
  await openAt(page, run.htm, 'compare.htm');
  const table = await page.evaluate(() => {
    const rows = [...document.querySelectorAll('table tr')];
    const describe = (cell) => {
      const walker = document.createTreeWalker(cell, NodeFilter.SHOW_TEXT, {
        acceptNode: (node) =>
            (node.textContent.trim() ? NodeFilter.FILTER_ACCEPT : NodeFilter.FILTER_SKIP)
      });
      const range = document.createRange();
      range.selectNodeContents(walker.nextNode());
      const {top: textTop, height} = range.getClientRects()[0];
      const {left, right, top} = cell.getBoundingClientRect();
      const lines = cell.innerText.split('\n').map((line) => line.trim()).filter(Boolean);
      return {row: rows.indexOf(cell.parentElement), left, right, top, textTop, height, lines};
    };
    const cells = [...document.querySelectorAll('td')].filter((td) => td.textContent.trim());
    const width = (e) => e.getBoundingClientRect().width;
    const [table, body] = [width(document.querySelector('table')), width(document.body)];
    return {rows: rows.length, cells: cells.map(describe), table, body};
  });
  const [left, right] = table.cells;
  const sideBySide = table.rows === 1 && table.cells.length === 2 && left.row === 0 &&
      right.row === 0 && left.right <= right.left && Math.abs(left.top - right.top) < 1;
  checks.check(
      'compare.htm has one row with two filled cells side by side', sideBySide,
      JSON.stringify(table.cells).slice(0, 300));
  if (!sideBySide) return;
  // Each cell line starts with a break, so the first text stands one line
  // below the cell's top edge; centred content would stand lower in the shorter cell.
  const atTop = (cell) => cell.textTop - cell.top < 1.25 * cell.height;
  checks.check(
      'compare.htm: both cells\' content starts at the top',
      Math.abs(left.textTop - right.textTop) < 1 && atTop(left) && atTop(right),
      `text tops ${left.textTop} ${right.textTop}, cell tops ${left.top} ${right.top}`);
  checks.check(
      'compare.htm: left cell holds the first file, right cell the second, line by line',
      left.lines.join('\n') === run.left.join('\n') &&
          right.lines.join('\n') === run.right.join('\n'),
      `${left.lines[0]} | ${right.lines[0]}`);
  checks.check(
      `compare.htm: table is ${run.widthPercent}% of the window's width`,
      Math.abs(table.table - (table.body * run.widthPercent) / 100) <= 1,
      `${table.table} of ${table.body}`);
}

// The elements with an id of a page, and the first of them for each id.
async function readEntries(page, run, file) {
  await openAt(page, run.htm, file);
  const entries = await page.evaluate(
      () => [...document.querySelectorAll('[id]')].map(
          (e) => ({
            id: e.id,
            tag: e.tagName,
            href: e.getAttribute('href') ?? '',
            text: e.textContent,
            after: e.nextSibling?.textContent ?? '',
            before: e.previousSibling?.textContent.trim() ?? '',
          })));
  const first = new Map();
  for (const entry of entries) first.set(entry.id, first.get(entry.id) ?? entry);
  return {entries, first};
}

/// Checks i_1.htm, index.htm and s_1.htm against the word page's `state`
/// and `words`, its words by id.
export async function checkIndexPages(checks, page, run, state, words) {
  const all = [...words.values()];
  const group = await readEntries(page, run, 'i_1.htm');
  let wrong = all.filter((w) => {
    const e = group.first.get(w.id);
    return !e || e.tag !== 'A' || e.text !== w.text || e.href !== `${kWordPage}#${w.id}` ||
        !e.after.includes(`(${kWordPage}, ${w.count})`);
  });
  checks.check(
      'i_1.htm has an entry per word with its spelling, page and count',
      wrong.length === 0 && group.entries.length === words.size, sample(wrong, (w) => w.text));
  // Every entry shows the group and the word's count in it, except the very
  // last entry of the page, which shows the group alone.
  const index = await readEntries(page, run, 'index.htm');
  wrong = all.filter((w) => {
    const e = index.first.get(w.id);
    const shows = e === index.entries.at(-1) ? '(i_1)' : `(i_1,\u00a0\u00a0${w.count})`;
    return !e || e.href !== `i_1.htm#${w.id}` || e.text !== shows || e.before !== w.text;
  });
  checks.check(
      'index.htm lists every word under its heading with its count in i_1',
      wrong.length === 0 && index.entries.length === words.size, sample(wrong, (w) => w.text));
  const search = await readEntries(page, run, 's_1.htm');
  const anchor = (n) => `${n.id}_${occurrenceOf(n)}`;
  const missing =
      state.navigators.filter((n) => !search.first.get(anchor(n))?.text.includes(n.word));
  checks.check(
      `s_1.htm has an anchor holding the word for each of ${state.navigators.length} occurrences`,
      missing.length === 0, sample(missing, anchor));
}

// A search link carries the line's words in q, restricted to the destination
// address by its site link, whose text is that address. Never fetched.
function isBadWebLink(run, link) {
  const url = URL.canParse(link.url) && new URL(link.url);
  if (!url || !url.hostname.includes('.') || /\s/.test(url.hostname)) return true;
  if (url.pathname !== '/search') return false;
  const query = url.searchParams.get('q') ?? '';
  if (link.text === 'web_search') return query.trim() === '';
  return run.site === '' || link.text !== run.site || !query.endsWith(` site:${run.site}`);
}

/// Loads every page of htm_out and checks its links: a page link names a file
/// of htm_out and its fragment an id (or name) in that file.
export async function checkPageLinks(checks, page, run) {
  const files = fs.readdirSync(run.htm).sort();
  checks.check(
      'htm_out holds exactly the delivered pages', files.join(' ') === kDeliveredPages.join(' '),
      files.join(' '));
  const links = [];
  const anchors = new Map();
  for (const file of files) {
    await openAt(page, run.htm, file);
    const read = await page.evaluate(
        () => ({
          links: [...document.querySelectorAll('a[href]')].map(
              (a) => ({raw: a.getAttribute('href'), url: a.href, text: a.textContent.trim()})),
          anchors: [...document.querySelectorAll('[id], [name]')].flatMap(
              (e) => [e.id, e.getAttribute('name')]),
        }));
    links.push(...read.links.map((link) => ({...link, file, web: /^https?:\/\//.test(link.raw)})));
    anchors.set(file, new Set(read.anchors.filter(Boolean)));
  }
  const local = links.filter((l) => !l.web).map((l) => ({...l, to: new URL(l.url)}));
  const target = (l) => anchors.get(path.basename(decodeURIComponent(l.to.pathname)));
  const noFile = local.filter(
      (l) => l.to.protocol !== 'file:' || !target(l) ||
          path.dirname(decodeURIComponent(l.to.pathname)) !== run.htm);
  const noId = local.filter(
      (l) => target(l) && l.to.hash && !target(l).has(decodeURIComponent(l.to.hash.slice(1))));
  const show = (l) => `${l.file}: ${l.raw}`;
  checks.check(
      `all ${local.length} page links name a file of htm_out`, noFile.length === 0,
      sample(noFile, show));
  checks.check(`every #fragment names an id of its page`, noId.length === 0, sample(noId, show));
  const web = links.filter((l) => l.web);
  const bad = web.filter((l) => isBadWebLink(run, l));
  checks.check(
      `all ${web.length} web links well formed`, web.length > 0 && bad.length === 0,
      sample(bad, show));
  const searches = web.filter((l) => l.file === 's_1.htm' && l.text === 'web_search').length;
  const sites = web.filter((l) => l.file === 's_1.htm' && run.site !== '' && l.text === run.site);
  checks.check(
      's_1.htm has a web search link per text line' +
          (run.site === '' ? ', no site link' : `, each with a site:${run.site} link`),
      searches > 0 && sites.length === (run.site === '' ? 0 : searches),
      `${searches} web, ${sites.length} site`);
}
