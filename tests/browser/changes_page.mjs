// Checks of changes.htm, the two files aligned row by row: it opens without a
// script, its rows hold the lines of both files in order, the changed words
// are marked in a way that shows without colour too, it fits a phone's width
// and prints without its links; and in a run in parts, its Before and Next
// links chain every changes page.
import fs from 'node:fs';
import path from 'node:path';

import {openAt, sample} from './browser.mjs';

export const kChangesPage = 'changes.htm';

/// Loads changes.htm of the run (`inputs` names its two files, `left` and
/// `right` are their lines, blanks trimmed, empty ones left out) and checks
/// what a reader sees.
export async function checkChangesPage(checks, page, run) {
  await openAt(page, run.htm, kChangesPage);
  const seen = await page.evaluate(() => {
    const rows = [...document.querySelectorAll('table.d tbody tr')];
    const cells = rows.map((tr) => [...tr.cells].map((td) => td.textContent));
    const marks = [...document.querySelectorAll('del, ins')].map((e) => {
      const box = e.getBoundingClientRect();
      const style = getComputedStyle(e);
      const row = getComputedStyle(e.closest('td'));
      return {
        tag: e.tagName,
        text: e.textContent,
        column: [...e.closest('tr').cells].indexOf(e.closest('td')),
        shown: box.width > 0 && box.height > 0,
        line: style.textDecorationLine,
        tinted: style.backgroundColor !== row.backgroundColor,
      };
    });
    return {
      scripts: document.scripts.length,
      viewport: document.querySelector('meta[name="viewport"]')?.content ?? '',
      heading: document.querySelector('h1')?.textContent ?? '',
      cells,
      marks,
    };
  });
  checks.check('changes.htm has no script', seen.scripts === 0, `${seen.scripts} scripts`);
  checks.check(
      'changes.htm has a viewport line', seen.viewport.includes('width=device-width'),
      seen.viewport);
  const [first, second] = run.inputs;
  checks.check(
      'changes.htm names both files', seen.heading === `Changes from ${first} to ${second}`,
      seen.heading);
  // Columns: number, line, mark, number, line. Folded rows count as well.
  const side = (k) => seen.cells.map((c) => c[k].replace(/^ +| +$/g, '')).filter(Boolean);
  checks.check(
      'changes.htm rows hold every line of both files in order',
      side(1).join('\n') === run.left.join('\n') && side(4).join('\n') === run.right.join('\n'),
      `${side(1)[0]} | ${side(4)[0]}`);
  const unequal = seen.cells.filter((c) => c[2] === '' && c[1] !== c[4]);
  checks.check(
      'changes.htm: the rows without a mark hold the same line on both sides', unequal.length === 0,
      sample(unequal, (c) => `${c[1]} | ${c[4]}`));
  const wrong = seen.marks.filter(
      (m) => !m.shown || !m.tinted ||
          (m.tag === 'DEL' ? m.column !== 1 || m.line !== 'line-through' :
                             m.column !== 4 || m.line !== 'underline'));
  checks.check(
      'changes.htm: removed words struck through on the left, added ones underlined on the right',
      seen.marks.length > 0 && wrong.length === 0, sample(wrong, JSON.stringify));

  await page.setViewport({width: 360, height: 640});
  const phone = await page.evaluate(
      () => document.scrollingElement.scrollWidth <= document.documentElement.clientWidth);
  checks.check('changes.htm fits a phone\'s width, long lines wrapped', phone);
  await page.setViewport({width: 1000, height: 700});
  checks.check('changes.htm prints without its links', await printsWithoutLinks(page));
}

// Whether the links are hidden in print: seen as printed where the driver
// can emulate print media, else read from the page's own print rules.
async function printsWithoutLinks(page) {
  try {
    await page.emulateMediaType('print');
    const hidden = await page.evaluate(
        () => getComputedStyle(document.querySelector('.links')).display === 'none');
    await page.emulateMediaType('screen');
    return hidden;
  } catch {
    return page.evaluate(() => [...document.styleSheets].some(
        (sheet) => [...sheet.cssRules].some(
            (rule) => rule.media?.mediaText === 'print' &&
                [...rule.cssRules].some(
                    (inner) => inner.selectorText?.split(',').includes('.links') &&
                        inner.style.display === 'none'))));
  }
}

/// In a large run, changes.htm leads through Next to every changes page and
/// back through Before (a run whose changes fit one page has no links).
export function checkChangesParts(checks, htm) {
  const files = fs.readdirSync(htm).filter((f) => /^changes(_\d+)?\.htm$/.test(f));
  const link = (text, label) => text.match(new RegExp(`<a href="([^"]*)">${label}</a>`))?.[1];
  const chain = [];
  const broken = [];
  for (let file = kChangesPage, before; file && chain.length <= files.length;) {
    const text = fs.readFileSync(path.join(htm, file), 'utf8');
    if (link(text, 'Before') !== before) broken.push(`${file}: Before ${link(text, 'Before')}`);
    chain.push(file);
    before = file;
    file = link(text, 'Next');
  }
  checks.check(
      `Next leads from changes.htm through all ${files.length} changes pages, Before back`,
      chain.length === files.length && broken.length === 0,
      `${chain.length} in the chain; ${sample(broken)}`);
}
