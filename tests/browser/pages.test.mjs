// Drives the pages of finished Quillon runs in headless Chromium, as a user
// would, and counts the checks.
//
//   node pages.test.mjs --case NAME RUN_FOLDER KEYS_FILE [--case ...]
//
// RUN_FOLDER is the folder a scripted run worked in (its compare_in and
// htm_out); KEYS_FILE the keys it was given. With QUILLON_SCREENSHOT=FILE the
// first case's page, opened by a double-click on a word, is saved as FILE
// (a PNG of 1000x700).
import {closeBrowser, mainPage, openAt, openBrowser} from './browser.mjs';
import {Checks} from './checks.mjs';
import {checkComparePage} from './compare_page.mjs';
import {checkIndexPages} from './index_pages.mjs';
import {describeRun} from './inputs.mjs';
import {checkNavigatorLinks} from './navigator_links.mjs';
import {checkPageLinks, kDeliveredPages} from './page_links.mjs';
import * as wordPage from './word_page.mjs';

const kWatchdogMs = 180000;

function parseCases(argv) {
  const cases = [];
  for (let i = 0; i < argv.length; i += 4) {
    if (argv[i] !== '--case' || argv.length < i + 4) {
      throw new Error('usage: node pages.test.mjs --case NAME RUN_FOLDER KEYS_FILE [--case ...]');
    }
    cases.push(describeRun(argv[i + 1], argv[i + 2], argv[i + 3]));
  }
  return cases;
}

// A double-click needs a real user gesture: the same handler run by a
// synthetic event must be stopped by the popup blocker.
async function checkPopupBlocker(checks, browser, run) {
  const page = await browser.context.newPage();
  browser.quiet.add(page);
  let popups = 0;
  page.on('popup', () => (popups += 1));
  await page.addInitScript(() => {
    const open = window.open;
    window.open = (...args) => {
      window.openedWindow = open.apply(window, args);
      return window.openedWindow;
    };
    document.addEventListener('DOMContentLoaded', () => {
      document.querySelector('span[ondblclick]').dispatchEvent(new MouseEvent('dblclick', {
        bubbles: true
      }));
    });
  });
  await openAt(page, run.htm, wordPage.kWordPage);
  await page.waitForTimeout(300);
  const opened = await page.evaluate(() => window.openedWindow !== null);
  checks.check(
      `${run.name}: popup blocker on: a double-click without user input opens nothing`,
      !opened && popups === 0,
      `window.open gave ${opened ? 'a window' : 'null'}, ${popups} popups`);
  await page.close();
}

// The most frequent long word: its few highlighted occurrences show the
// feature better than the dozens of a short one.
function screenshotTarget(words) {
  const long = [...words.values()].filter((w) => w.text.length >= 6);
  const word = long.reduce((best, w) => (w.count > best.count ? w : best));
  return {...word, forScreenshot: true};
}

async function checkWordClicks(checks, page, run, state) {
  const words = wordPage.wordsById(state);
  for (const navigator of state.navigators) {
    if (wordPage.occurrenceOf(navigator) === 1) words.get(navigator.id).first = navigator.word;
  }
  const target = wordPage.mainTarget(words);
  const popup = await wordPage.checkDoubleClick(checks, page, run, target);
  await checkNavigatorLinks(checks, popup, run, target);
  await popup.close();
  const more = wordPage.scriptTargets(words);
  if (run.isFirst) more.push(screenshotTarget(words));
  for (const word of more.filter((w) => w.id !== target.id)) {
    await checks.step(`${run.name}: double-click on "${word.text}"`, async () => {
      const opened = await wordPage.checkDoubleClick(checks, page, run, word);
      if (word.forScreenshot && process.env.QUILLON_SCREENSHOT) {
        await opened.screenshot({path: process.env.QUILLON_SCREENSHOT});
      }
      await opened.close();
    });
  }
  return words;
}

function checkNoErrors(checks, browser, run) {
  for (const file of kDeliveredPages) {
    const errors = browser.errors.get(file) ?? [];
    checks.check(
        `${run.name}: no script errors on ${file}`, errors.length === 0,
        errors.slice(0, 3).join(' | '));
  }
  browser.errors.clear();
  checks.check(
      `${run.name}: no request left the machine`, browser.blocked.length === 0,
      browser.blocked.slice(0, 3).join(' '));
  browser.blocked.length = 0;
}

async function checkRun(checks, browser, run) {
  const page = await mainPage(browser);
  await checks.step(`${run.name}: compare.htm`, () => checkComparePage(checks, page, run));
  let state;
  await checks.step(`${run.name}: ${wordPage.kWordPage}`, async () => {
    state = await wordPage.checkWordPage(checks, page, run);
  });
  if (!state) return;
  let words;
  await checks.step(`${run.name}: word clicks`, async () => {
    words = await checkWordClicks(checks, page, run, state);
  });
  if (run.isFirst)
    await checks.step(`${run.name}: popup blocker`, () => checkPopupBlocker(checks, browser, run));
  if (words)
    await checks.step(
        `${run.name}: index pages`, () => checkIndexPages(checks, page, run, state, words));
  await checks.step(`${run.name}: links`, () => checkPageLinks(checks, page, run));
  checkNoErrors(checks, browser, run);
  await page.goto('about:blank');
}

async function main() {
  const runs = parseCases(process.argv.slice(2));
  runs[0].isFirst = true;
  const checks = new Checks();
  const watchdog = setTimeout(() => {
    console.error(`FAIL browser checks still running after ${kWatchdogMs / 1000} s`);
    process.exit(2);
  }, kWatchdogMs);
  const browser = await openBrowser();
  try {
    for (const run of runs) await checkRun(checks, browser, run);
  } finally {
    await closeBrowser(browser);
    clearTimeout(watchdog);
  }
  console.log(checks.summary());
  return checks.failed.length === 0 ? 0 : 1;
}

main().then((status) => process.exit(status), (error) => {
  console.error(`FAIL ${error?.stack ?? error}`);
  process.exit(2);
});
