// Drives the pages of finished Quillon runs in a headless browser, as a user
// would, and counts the checks.
//
//   node pages.test.mjs --browser chromium|firefox
//                       --case NAME RUN_FOLDER KEYS_FILE [--case ...]
//                       [--parts NAME RUN_FOLDER LEAST_PARTS ...]
//
// RUN_FOLDER is the folder a scripted run worked in (its compare_in and
// htm_out); KEYS_FILE the keys it was given. A --parts run is one whose
// comparison was indexed in at least LEAST_PARTS parts. With QUILLON_SCREENSHOT=FILE the
// first case's page in Chromium, opened by a double-click on a word, is saved
// as FILE (a PNG of 1000x700).
import fs from 'node:fs';
import path from 'node:path';

import {Checks, closeBrowser, fileOf, kBrowserNames, openAt, openBrowser, sample} from './browser.mjs';
import {checkChangesPage} from './changes_page.mjs';
import {checkComparePage, checkPageLinks, kDeliveredPages} from './other_pages.mjs';
import {checkParts} from './parts.mjs';
import * as wordPage from './word_page.mjs';

const kWatchdogMs = 1200000;

// A scripted run: its folder, the names of its two input files and their
// lines (blanks trimmed, empty ones left out) in the order the cells show
// them, and the table width it was given.
function describeRun(name, dir, keysFile) {
  const folder = path.join(dir, 'compare_in');
  const inputs = fs.readdirSync(folder).filter((file) => file.toLowerCase().endsWith('.txt')).sort();
  const [left, right] = inputs.map(
      (file) => fs.readFileSync(path.join(folder, file), 'utf8')
                    .split(/\r?\n/)
                    .map((line) => line.replace(/^ +| +$/g, ''))
                    .filter(Boolean));
  // The keys answer, line by line: three opening screens and the first file,
  // the second file, the table width, the destination address.
  const answers = fs.readFileSync(keysFile, 'utf8').split('\n');
  const widthPercent = Number(answers[2] || '100');
  return {
    name, htm: path.join(dir, 'htm_out'), inputs, left, right, widthPercent,
  };
}

// A text input's markup is shown as text: no script of it may run on any
// delivered page, neither as a dialog nor through the global it would set.
async function checkInputScriptsStayText(checks, browser, run) {
  const page = await browser.newPage();
  browser.quiet.add(page);
  const ran = [];
  page.on('dialog', (dialog) => {
    ran.push(`${fileOf(page.url())}: a dialog "${dialog.message()}"`);
    dialog.dismiss().catch(() => {});
  });
  for (const file of fs.readdirSync(run.htm).filter((name) => name.endsWith('.htm')).sort()) {
    await openAt(page, run.htm, file);
    const global = await page.evaluate(() => window.quillonHostile);
    if (global !== undefined) ran.push(`${file}: quillonHostile = ${global}`);
  }
  await page.close();
  checks.check('no script of the input texts runs on any page', ran.length === 0, sample(ran));
}

// The word to follow through its navigators is the most frequent one, a
// non-ASCII one where the input has any.
async function checkWordClicks(checks, page, run, words) {
  const all = [...words.values()];
  const nonAscii = all.filter((w) => wordPage.isNonAscii(w.text));
  const target = (nonAscii.length > 0 ? nonAscii : all)
                     .reduce((best, w) => (w.count > best.count ? w : best));
  const popup = await wordPage.checkDoubleClick(checks, page, run, target);
  if (run.screenshot) await popup.screenshot({path: run.screenshot});
  await wordPage.checkNavigatorLinks(checks, popup, run, target);
  await popup.close();
}

async function checkRun(checks, browser, page, run) {
  await checks.step('compare.htm', () => checkComparePage(checks, page, run));
  await checks.step('changes.htm', () => checkChangesPage(checks, page, run));
  const found =
      await checks.step(wordPage.kWordPage, () => wordPage.checkWordPage(checks, page, run));
  if (!found) return;
  await checks.step('word clicks', () => checkWordClicks(checks, page, run, found.words));
  await checks.step('links', () => checkPageLinks(checks, page, run));
  await checks.step('input scripts', () => checkInputScriptsStayText(checks, browser, run));
  const errors = browser.errors.filter(([file]) => kDeliveredPages.includes(file));
  checks.check(
      'no script errors on the delivered pages', errors.length === 0,
      sample(errors, ([file, text]) => `${file}: ${text} |`));
  checks.check(
      'no request left the machine', browser.blocked.length === 0, sample(browser.blocked));
  browser.errors.length = browser.blocked.length = 0;
  await page.goto('about:blank');
}

const kUsage = 'usage: node pages.test.mjs --browser chromium|firefox ' +
    '--case NAME RUN_FOLDER KEYS_FILE [--case ...] [--parts NAME RUN_FOLDER LEAST_PARTS ...]';

async function main() {
  const args = process.argv.slice(2);
  const runs = [], partRuns = [];
  let name = '';
  for (let i = 0; i < args.length; i += args[i] === '--browser' ? 2 : 4) {
    if (args[i] === '--browser' && kBrowserNames.includes(args[i + 1])) {
      name = args[i + 1];
    } else if (args[i] === '--parts' && args.length >= i + 4) {
      partRuns.push({name: args[i + 1], htm: path.join(args[i + 2], 'htm_out'), least: +args[i + 3]});
    } else if (args[i] === '--case' && args.length >= i + 4) {
      runs.push(describeRun(args[i + 1], args[i + 2], args[i + 3]));
    } else {
      throw new Error(kUsage);
    }
  }
  if (!name) throw new Error(kUsage);
  if (runs.length > 0 && name === 'chromium') runs[0].screenshot = process.env.QUILLON_SCREENSHOT;
  const start = performance.now();
  const checks = new Checks(`${name}: `);
  const watchdog = setTimeout(() => {
    console.error(`FAIL ${name}: browser checks still running after ${kWatchdogMs / 1000} s`);
    process.exit(2);
  }, kWatchdogMs);
  const browser = await openBrowser(name);
  try {
    const page = (await browser.instance.pages())[0] ?? (await browser.newPage());
    for (const run of runs) await checkRun(checks.of(run), browser, page, run);
    for (const run of partRuns) {
      const of = checks.of(run);
      await of.step('parts', () => checkParts(of, page, run.htm, run.least));
    }
  } finally {
    await closeBrowser(browser);
    clearTimeout(watchdog);
  }
  const {passed, failed} = checks.tally;
  console.log(`${name}: checks took ${((performance.now() - start) / 1000).toFixed(1)} s`);
  console.log(`${name}: ${passed} passed, ${failed} failed`);
  return failed === 0 ? 0 : 1;
}

main().then((status) => process.exit(status), (error) => {
  console.error(`FAIL ${error?.stack ?? error}`);
  process.exit(2);
});
