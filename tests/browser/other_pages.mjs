// Checks of the pages beside the word page: compare.htm with the two files side
// by side, and every link of every delivered page.
import fs from 'node:fs';
import path from 'node:path';

import {openAt, sample} from './browser.mjs';

/// The pages a one-page run delivers, and nothing else.
export const kDeliveredPages = [
  'changes.htm', 'compare.htm', 'files_list.htm', 'i_1.htm', 'index.htm', 'page_01.htm', 's_1.htm'
];

/// Loads compare.htm of the run and checks its table, on a phone's width
/// and on a wide window (where the table takes the width it was given).
export async function checkComparePage(checks, page, run) {
  await openAt(page, run.htm, 'compare.htm');
  for (const [width, height] of [[360, 640], [1000, 700]]) {
    await page.setViewport({width, height});
    await checkCompareLayout(checks.of({name: `${width}px`}), page, run, width >= 1000);
  }
}

async function checkCompareLayout(checks, page, run, wide) {
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
  if (!wide) return;
  checks.check(
      `compare.htm: table is ${run.widthPercent}% of the window's width`,
      Math.abs(table.table - (table.body * run.widthPercent) / 100) <= 1,
      `${table.table} of ${table.body}`);
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
              (a) => ({raw: a.getAttribute('href'), url: a.href})),
          anchors: [...document.querySelectorAll('[id], [name]')].flatMap(
              (e) => [e.id, e.getAttribute('name')]),
        }));
    // Web links are never followed; search_pages_test checks how they are made.
    const own = read.links.filter((link) => !/^https?:\/\//.test(link.raw));
    links.push(...own.map((link) => ({...link, file})));
    anchors.set(file, new Set(read.anchors.filter(Boolean)));
  }
  const local = links.map((l) => ({...l, to: new URL(l.url)}));
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
}
