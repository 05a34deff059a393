// Checks of one word's navigators, clicked as a user clicks them on the page
// opened at the word: ">" from occurrence to occurrence, "i" to the group
// index, "s" to the search page, "c" to the contents page.
import {fileOf, openAt} from './browser.mjs';
import {isHighlighted, kWordPage, readWordPage} from './word_page.mjs';

function navigator(page, id, k) {
  return page.locator(`span[hidden][id="${id}"]`)
      .filter({hasText: new RegExp(`^\\s*\\(${k}\\)`)})
      .first();
}

async function targetState(page) {
  return page.evaluate(() => {
    const target = document.querySelector(':target');
    if (!target) return {id: ''};
    const box = target.getBoundingClientRect();
    return {
      id: target.id,
      tag: target.tagName,
      text: target.textContent,
      after: target.nextSibling?.textContent ?? '',
      before: target.previousElementSibling?.textContent.replace(/\s+/g, '') ?? '',
      color: getComputedStyle(target).color,
      inView: box.top >= 0 && box.top <= window.innerHeight,
    };
  });
}

async function follow(page, link) {
  const href = await link.getAttribute('href');
  await link.click();
  const [file, fragment = ''] = href.split('#');
  await page.waitForURL(
      (url) => fileOf(url.href) === (file || kWordPage) &&
          url.hash === (fragment ? `#${fragment}` : ''));
  return href;
}

async function checkNextLinks(checks, page, label, target) {
  const path = [];
  for (let k = 1; k < target.count; k += 1) {
    await follow(page, navigator(page, target.id, k).locator('a').first());
    const at = await targetState(page);
    const ok = at.id === `${target.id}_${k + 1}` && at.before.startsWith(`(${k + 1})`) && at.inView;
    path.push(`${at.id}${ok ? '' : ' (wrong)'}`);
    if (!ok) break;
  }
  checks.check(
      `${label}: ">" leads from occurrence 1 through ${target.count}, each scrolled into view`,
      path.length === target.count - 1 && !path.some((step) => step.endsWith('(wrong)')),
      path.join(' '));
}

async function checkIndexLink(checks, page, label, target) {
  const href = await follow(page, navigator(page, target.id, 1).locator('a[href^="i_"]'));
  const at = await targetState(page);
  checks.check(
      `${label}: "i" opens the group index at the word's entry`,
      /^i_\d+\.htm#/.test(href) && at.id === target.id && at.tag === 'A' &&
          at.text === target.text && at.after.includes(`(${kWordPage}, ${target.count})`),
      `${href} ${at.text} ${at.after.trim()}`);
  await follow(page, page.locator(`a[id="${target.id}"]`));
  const words = (await readWordPage(page)).words.filter((word) => word.id === target.id);
  checks.check(
      `${label}: the index entry leads back to the page with the word highlighted`,
      words.length === target.count && words.every(isHighlighted));
}

async function checkSearchLink(checks, page, run, label, target) {
  await openAt(page, run.htm, kWordPage, `#${target.id}`);
  const href = await follow(page, navigator(page, target.id, 1).locator('a[href^="s_"]'));
  const at = await targetState(page);
  checks.check(
      `${label}: "s" opens the search page at occurrence 1, highlighted`,
      /^s_\d+\.htm#/.test(href) && at.id === `${target.id}_1` && at.text.includes(target.first) &&
          at.color === 'rgb(255, 0, 0)',
      `${href} ${at.id} ${at.color}`);
}

async function checkContentsLink(checks, page, run, label, target) {
  await openAt(page, run.htm, kWordPage, `#${target.id}`);
  const href =
      await follow(page, navigator(page, target.id, 1).locator('a[href="files_list.htm"]'));
  const listed = await page.locator(`a[href="${kWordPage}"]`).count();
  checks.check(
      `${label}: "c" opens the contents page listing ${kWordPage}`,
      href === 'files_list.htm' && listed === 1, `${listed} links`);
}

/// Follows the navigators of `target` on `page`, which shows the word page
/// opened at the word by a double-click.
export async function checkNavigatorLinks(checks, page, run, target) {
  const label = `${run.name}: navigators of "${target.text}"`;
  if (target.count > 1) await checkNextLinks(checks, page, label, target);
  await checkIndexLink(checks, page, label, target);
  await checkSearchLink(checks, page, run, label, target);
  await checkContentsLink(checks, page, run, label, target);
}
