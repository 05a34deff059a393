// Checks of changes.htm, the two files aligned row by row: its rows hold the
// lines of both files in order, and the changed words are marked in a way
// that shows without colour too, on a phone's width as on a wide window.
import {openAt, sample} from './browser.mjs';

export const kChangesPage = 'changes.htm';

/// Loads changes.htm of the run (`inputs` names its two files, `left` and
/// `right` are their lines, blanks trimmed, empty ones left out) and checks
/// what a reader sees.
export async function checkChangesPage(checks, page, run) {
  await openAt(page, run.htm, kChangesPage);
  for (const [width, height] of [[360, 640], [1000, 700]]) {
    await page.setViewport({width, height});
    await checkLayout(checks.of({name: `${width}px`}), page, run);
  }
}

async function checkLayout(checks, page, run) {
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
    const fits = document.scrollingElement.scrollWidth <= document.documentElement.clientWidth;
    return {cells, marks, fits};
  });
  // Columns: number, line, mark, number, line. Folded rows count as well.
  const side = (k) => seen.cells.map((c) => c[k].replace(/^ +| +$/g, '')).filter(Boolean);
  checks.check(
      'changes.htm rows hold every line of both files in order',
      side(1).join('\n') === run.left.join('\n') && side(4).join('\n') === run.right.join('\n'),
      `${side(1)[0]} | ${side(4)[0]}`);
  const wrong = seen.marks.filter(
      (m) => !m.shown || !m.tinted ||
          (m.tag === 'DEL' ? m.column !== 1 || m.line !== 'line-through' :
                             m.column !== 4 || m.line !== 'underline'));
  checks.check(
      'changes.htm: removed words struck through on the left, added ones underlined on the right',
      seen.marks.length > 0 && wrong.length === 0, sample(wrong, JSON.stringify));
  checks.check('changes.htm fits the window\'s width, long lines wrapped', seen.fits);
}
