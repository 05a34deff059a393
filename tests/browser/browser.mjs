// Debian's Chromium or Firefox ESR for the page checks, headless and driven by
// puppeteer-core (Chromium over its DevTools protocol, Firefox over WebDriver
// BiDi, the one way Firefox takes a real double-click): a throwaway profile,
// the popup blocker left on, nothing allowed off the machine, and every
// script error of a page recorded under that page's file name. Also the
// tally of named checks and the few waits the checks share.
import path from 'node:path';
import puppeteer from 'puppeteer-core';

/// How each browser is started. Both drivers turn the popup blocker off by
/// default; the pages must open their popups the way a user's browser allows.
export const kLaunch = {
  chromium: {
    browser: 'chrome',
    executablePath: '/usr/bin/chromium',
    args: [
      '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'
    ],
    ignoreDefaultArgs: ['--disable-popup-blocking'],
  },
  firefox: {
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    extraPrefsFirefox: {'dom.disable_open_during_load': true},
  },
};
export const kBrowserNames = Object.keys(kLaunch);

const kTimeoutMs = 10000;

/// The colour of a highlighted word.
export const kRed = 'rgb(255, 0, 0)';

/// The file name a page URL points at ("page_01.htm"), without fragment.
export function fileOf(url) {
  try {
    return decodeURIComponent(path.basename(new URL(url).pathname));
  } catch {
    return url;
  }
}

/// Up to three of `items`, shown by `show`, for the detail of a failure.
export const sample = (items, show = String) => items.slice(0, 3).map(show).join(' ');

/// What `promise` resolves to, or a rejection naming `what` after ten seconds.
export function within(what, promise) {
  let timer;
  const late = new Promise((resolve, reject) => {
    timer = setTimeout(() => reject(new Error(`timed out waiting for ${what}`)), kTimeoutMs);
  });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

/// Resolves when `test()` returns something true, asked again every 50 ms
/// (an answer lost to a navigation counts as false); rejects with `what` after
/// ten seconds. Both drivers report a navigation differently, a fragment
/// change least alike, so the checks wait for what the page shows instead.
export async function waitUntil(what, test) {
  const until = performance.now() + kTimeoutMs;
  for (;;) {
    const value = await test().catch(() => false);
    if (value) return value;
    if (performance.now() > until) throw new Error(`timed out waiting for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

/// Waits until `page` shows the document at `want(url)` fully loaded.
export const waitForPage = (page, what, want) => waitUntil(what, async () => {
  const href = await page.evaluate(() => document.readyState === 'complete' && location.href);
  return href && want(new URL(href));
});

/// An open browser of kind `name`: `errors` seen as [file, text], the
/// `blocked` request URLs, `quiet` pages whose errors are not recorded, and
/// `newPage()`.
export async function openBrowser(name) {
  const instance = await puppeteer.launch({
    ...kLaunch[name],
    headless: true,
    defaultViewport: {width: 1000, height: 700},
    protocolTimeout: 60000,
  });
  const browser = {name, instance, errors: [], blocked: [], quiet: new WeakSet()};
  const watched = new WeakSet();
  const watch = async (page) => {
    if (watched.has(page)) return;
    watched.add(page);
    // Firefox tells the page's address only once it has loaded: an error
    // is put down to the script that raised it.
    const record = (url, text) =>
        browser.quiet.has(page) || browser.errors.push([fileOf(url || page.url()), text]);
    const source = (error) => /\((file:.*?):\d+:\d+\)/.exec(error.stack)?.[1];
    page.on('pageerror', (error) => record(source(error), error.message));
    page.on('console', (message) =>
        message.type() === 'error' && record(message.location()?.url, message.text()));
    page.setDefaultTimeout(kTimeoutMs);
    // Firefox reports no file: requests here, and needs none to be let through.
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      const url = request.url();
      if (url.startsWith('file:') || url.startsWith('about:')) return request.continue();
      browser.blocked.push(url);
      return request.abort();
    });
  };
  // Popups too: a page a double-click opens is watched from its start.
  instance.on('targetcreated', async (target) => {
    const page = target.type() === 'page' && (await target.page().catch(() => null));
    if (page) await watch(page).catch(() => {});
  });
  for (const page of await instance.pages()) await watch(page);
  browser.newPage = () => instance.newPage();
  return browser;
}

/// Closes the browser; the driver removes the profile it made.
export const closeBrowser = (browser) => browser.instance.close();

/// Loads `name` of folder `dir` as a new document, so that its script runs
/// with `hash` (even when the same file is open already).
export async function openAt(page, dir, name, hash = '') {
  const url = `file://${path.join(dir, name)}${hash}`;
  await page.goto('about:blank');
  try {
    await page.goto(url, {waitUntil: 'load'});
  } catch (error) {
    // A browser on a loaded machine now and then misses the load of a local
    // file; a page that really does not load fails the second time too.
    if (error?.name !== 'TimeoutError') throw error;
    await page.goto('about:blank');
    await page.goto(url, {waitUntil: 'load'});
  }
}

/// Double-clicks the element of `selector` on `page` as a user does, at the
/// middle of its first line box (a word broken over two lines has its centre
/// elsewhere), and returns the page its handler opens, once loaded at `want`.
export async function doubleClickOpens(page, selector, want) {
  const box = await page.$eval(selector, (e) => {
    e.scrollIntoView({block: 'center'});
    return e.getClientRects()[0].toJSON();
  });
  const opened = new Promise((resolve) => page.once('popup', resolve));
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2, {count: 2});
  const popup = await within('the popup of a double-click', opened);
  popup.setDefaultTimeout(kTimeoutMs);
  // Firefox hands the popup over while it still shows about:blank.
  await waitForPage(popup, 'the popup to load', (url) => url.protocol === 'file:' && want(url));
  return popup;
}

/// A tally of named checks, failures printed as they happen; `of(run)` counts
/// into the same tally with the run's name before every check's name.
export class Checks {
  constructor(prefix = '', tally = {passed: 0, failed: 0}) { Object.assign(this, {prefix, tally}); }

  of(run) { return new Checks(`${this.prefix}${run.name}: `, this.tally); }

  check(name, ok, detail = '') {
    this.tally[ok ? 'passed' : 'failed'] += 1;
    if (!ok) console.error(`FAIL ${this.prefix}${name}${detail ? `: ${detail}` : ''}`);
    if (ok && process.env.BROWSER_VERBOSE) console.log(`ok ${this.prefix}${name}`);
    return ok;
  }

  /// Runs one step and returns what it returns; an exception in it (a timeout,
  /// a missing element) counts as one failed check named after the step.
  async step(name, body) {
    try {
      return await body();
    } catch (error) {
      this.check(name, false, String(error?.message ?? error).split('\n')[0]);
    }
  }
}
