// Checks of compare.htm: the two files side by side in one table row, both
// starting at the top, the table as wide as the user asked.
import {openAt} from './browser.mjs';

async function readTable(page) {
  return page.evaluate(() => {
    const rows = [...document.querySelectorAll('table tr')];
    const filled =
        [...document.querySelectorAll('td')].filter((td) => td.textContent.trim() !== '');
    const firstText = (cell) => {
      const walker = document.createTreeWalker(cell, NodeFilter.SHOW_TEXT, {
        acceptNode: (node) =>
            (node.textContent.trim() ? NodeFilter.FILTER_ACCEPT : NodeFilter.FILTER_SKIP)
      });
      const range = document.createRange();
      range.selectNodeContents(walker.nextNode());
      return range.getClientRects()[0];
    };
    const describe = (cell) => {
      const box = cell.getBoundingClientRect();
      const text = firstText(cell);
      return {
        row: rows.indexOf(cell.parentElement),
        left: box.left,
        right: box.right,
        top: box.top,
        textTop: text.top,
        lineHeight: text.height,
        lines: cell.innerText.split('\n').map((line) => line.trim()).filter((line) => line !== ''),
      };
    };
    const table = document.querySelector('table');
    return {
      rows: rows.length,
      cells: filled.map(describe),
      tableWidth: table.getBoundingClientRect().width,
      bodyWidth: document.body.getBoundingClientRect().width,
    };
  });
}

/// Loads compare.htm of the run and checks its table.
export async function checkComparePage(checks, page, run) {
  await openAt(page, run.htm, 'compare.htm');
  const table = await readTable(page);
  const label = `${run.name}: compare.htm`;
  const [left, right] = table.cells;
  checks.check(
      `${label} has one row with two filled cells`,
      table.rows === 1 && table.cells.length === 2 && left.row === 0 && right.row === 0,
      `${table.rows} rows, ${table.cells.length} filled cells`);
  if (table.cells.length !== 2) return;
  checks.check(
      `${label}: left cell beside and left of the right cell`,
      left.right <= right.left && Math.abs(left.top - right.top) < 1,
      JSON.stringify([left, right]));
  // Each cell line starts with a break, so the first text stands one line
  // below the cell's top edge; centred content would stand lower in the shorter cell.
  const atTop = (cell) => cell.textTop - cell.top < 1.25 * cell.lineHeight;
  checks.check(
      `${label}: both cells' content starts at the top`,
      Math.abs(left.textTop - right.textTop) < 1 && atTop(left) && atTop(right),
      `text tops ${left.textTop} ${right.textTop}, cell tops ${left.top} ${right.top}`);
  checks.check(
      `${label}: left cell holds the first file, right cell the second, line by line`,
      left.lines.join('\n') === run.left.join('\n') &&
          right.lines.join('\n') === run.right.join('\n'),
      `${left.lines[0]} | ${right.lines[0]}`);
  const expected = (table.bodyWidth * run.widthPercent) / 100;
  checks.check(
      `${label}: table is ${run.widthPercent}% of the window's width`,
      Math.abs(table.tableWidth - expected) <= 1, `${table.tableWidth} vs ${expected}`);
}
