// Headless Chromium for the page checks: a throwaway profile, the popup blocker
// left on, nothing allowed off the machine, and every script error of a page
// recorded under that page's file name. Also the tally of named checks.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {chromium} from 'playwright-core';

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

/// An open browser: `context`, the `errors` seen as [file, text], the `blocked`
/// request URLs, and `quiet` pages whose errors are not recorded.
export async function openBrowser() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quillon-profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: [
      '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'
    ],
    // Playwright turns the popup blocker off by default; the pages must open
    // their popups the way a user's browser allows them.
    ignoreDefaultArgs: ['--disable-popup-blocking'],
    viewport: {width: 1000, height: 700},
  });
  const browser = {context, profile, errors: [], blocked: [], quiet: new WeakSet()};
  await context.route('**/*', (route) => {
    const url = route.request().url();
    if (url.startsWith('file:')) return route.continue();
    browser.blocked.push(url);
    return route.abort();
  });
  const watch = (page) => {
    const record = (text) =>
        browser.quiet.has(page) || browser.errors.push([fileOf(page.url()), text]);
    page.on('pageerror', (error) => record(error.message));
    page.on('console', (message) => message.type() === 'error' && record(message.text()));
  };
  context.on('page', watch);
  context.pages().forEach(watch);
  return browser;
}

/// Closes the browser and removes its profile.
export async function closeBrowser(browser) {
  await browser.context.close();
  fs.rmSync(browser.profile, {recursive: true, force: true});
}

/// Loads `name` of folder `dir` as a new document, so that its script runs
/// with `hash` (even when the same file is open already).
export async function openAt(page, dir, name, hash = '') {
  await page.goto('about:blank');
  await page.goto(`file://${path.join(dir, name)}${hash}`);
}

/// A tally of named checks, failures printed as they happen; `of(run)` counts
/// into the same tally with the run's name before every check's name.
export class Checks {
  constructor(prefix = '', tally = {passed: 0, failed: 0}) { Object.assign(this, {prefix, tally}); }

  of(run) { return new Checks(`${run.name}: `, this.tally); }

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
