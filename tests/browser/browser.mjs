// Headless Chromium for the page checks: a throwaway profile, the popup blocker
// left on, nothing allowed off the machine, and every script error of a page
// recorded under that page's file name.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {chromium} from 'playwright-core';

const kChromium = '/usr/bin/chromium';
const kArgs = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

/// The file name a page URL points at ("page_01.htm"), without fragment.
export function fileOf(url) {
  try {
    return decodeURIComponent(path.basename(new URL(url).pathname));
  } catch {
    return url;
  }
}

/// An open browser: `context`, the `errors` seen per page file name, the
/// `blocked` request URLs, and `quiet` pages whose errors are not recorded.
export async function openBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quillon-profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: kChromium,
    headless: true,
    args: kArgs,
    // Playwright turns the popup blocker off by default; the pages must open
    // their popups the way a user's browser allows them.
    ignoreDefaultArgs: ['--disable-popup-blocking'],
    viewport: {width: 1000, height: 700},
  });
  const browser = {context, profile, errors: new Map(), blocked: [], quiet: new WeakSet()};
  await context.route('**/*', (route) => {
    const url = route.request().url();
    if (url.startsWith('file:')) return route.continue();
    browser.blocked.push(url);
    return route.abort();
  });
  context.on('page', (page) => watchErrors(browser, page));
  for (const page of context.pages()) watchErrors(browser, page);
  return browser;
}

function watchErrors(browser, page) {
  const record = (text) => {
    if (browser.quiet.has(page)) return;
    const file = fileOf(page.url());
    if (!browser.errors.has(file)) browser.errors.set(file, []);
    browser.errors.get(file).push(text);
  };
  page.on('pageerror', (error) => record(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') record(message.text());
  });
}

/// Closes the browser and removes its profile.
export async function closeBrowser(browser) {
  await browser.context.close();
  fs.rmSync(browser.profile, {recursive: true, force: true});
}

/// The page of the context that the checks drive (the first tab).
export async function mainPage(browser) {
  const page = browser.context.pages()[0] ?? (await browser.context.newPage());
  page.setDefaultTimeout(10000);
  return page;
}

/// Loads `name` of folder `dir` as a new document, so that its script runs
/// with `hash` (even when the same file is open already).
export async function openAt(page, dir, name, hash = '') {
  await page.goto('about:blank');
  await page.goto(`file://${path.join(dir, name)}${hash}`);
}
