// How a browser copes with the pages of a large run: every delivered page
// loaded in a fresh tab of Chromium, with its load time and the renderer's
// peak memory, and every numbered page opened once more at its most frequent
// word, timed until that word is highlighted ("lit"). Prints the figures per
// kind of page; fails only when a page does not load at all.
//
// A measurement, not a test: the browser suite (tests/browser/run) calls it
// on its book-sized runs, with the browser driver it installed.
//
//   node bench/browser_scale.mjs NAME HTM_OUT
import fs from 'node:fs';
import {createRequire} from 'node:module';
import path from 'node:path';

import {kLaunch, kRed} from '../tests/browser/browser.mjs';

const puppeteer = createRequire(new URL('../tests/browser/package.json', import.meta.url))(
    'puppeteer-core');

const kTimeoutMs = 60000;

function rendererPeakMB(pids) {
  let peak = 0;
  for (const pid of pids) {
    try {
      const status = fs.readFileSync(`/proc/${pid}/status`, 'utf8');
      peak = Math.max(peak, Number((status.match(/VmHWM:\s+(\d+)/) ?? [0, 0])[1]) / 1024);
    } catch {
      // The renderer is gone already.
    }
  }
  return Math.round(peak);
}

// The id of the word with the most elements on a numbered page.
function mostFrequentId(file) {
  const counts = new Map();
  for (const m of fs.readFileSync(file, 'latin1')
           .matchAll(/<span id="(id\d{8})" type = "text\/javascript"/g)) {
    counts.set(m[1], (counts.get(m[1]) ?? 0) + 1);
  }
  return [...counts.entries()].reduce((best, e) => (e[1] > best[1] ? e : best), ['', 0])[0];
}

const kindOf = (name) => /^page_/.test(name) ? 'page_N.htm' : /^i_/.test(name) ? 'i_G.htm' :
    /^s_/.test(name) ? 's_G.htm' : /^index/.test(name) ? 'index*.htm' :
    /^changes/.test(name) ? 'changes*.htm' : name;

async function main() {
  const [name, dir] = process.argv.slice(2);
  const htm = path.resolve(dir);
  const browser = await puppeteer.launch({
    ...kLaunch.chromium,
    headless: true,
    defaultViewport: {width: 1200, height: 800},
    timeout: kTimeoutMs,
    protocolTimeout: kTimeoutMs,
  });
  const cdp = await browser.target().createCDPSession();
  const renderers = async () => (await cdp.send('SystemInfo.getProcessInfo'))
      .processInfo.filter((p) => p.type === 'renderer').map((p) => p.id);
  // A tab that asks for nothing off the machine.
  const newPage = async (context) => {
    const page = await context.newPage();
    await page.setRequestInterception(true);
    page.on('request', (r) => (r.url().startsWith('file:') ? r.continue() : r.abort()));
    return page;
  };
  const kinds = new Map();
  let failed = 0;
  for (const file of fs.readdirSync(htm).filter((f) => /\.htm$/.test(f)).sort()) {
    const context = await browser.createBrowserContext();
    const full = path.join(htm, file);
    const figures = {size: fs.statSync(full).size, load: 0, memory: 0, highlight: 0};
    try {
      const page = await newPage(context);
      let start = performance.now();
      await page.goto(`file://${full}`, {waitUntil: 'load', timeout: kTimeoutMs});
      figures.load = performance.now() - start;
      const id = kindOf(file) === 'page_N.htm' ? mostFrequentId(full) : '';
      if (id) {
        const second = await newPage(context);
        start = performance.now();
        await second.goto(
            `file://${full}#${id}`, {waitUntil: 'domcontentloaded', timeout: kTimeoutMs});
        await second.waitForFunction((id, red) => {
          const e = document.getElementById(id);
          return e && getComputedStyle(e).color === red;
        }, {timeout: kTimeoutMs}, id, kRed);
        figures.highlight = performance.now() - start;
      }
    } catch (error) {
      failed += 1;
      console.error(`FAIL ${name}: ${file} did not load: ${String(error.message).split('\n')[0]}`);
    }
    figures.memory = rendererPeakMB(await renderers());
    await context.close();
    const kind = kinds.get(kindOf(file)) ?? {count: 0, size: 0, load: 0, memory: 0, highlight: 0};
    kind.count += 1;
    for (const key of ['size', 'load', 'memory', 'highlight']) {
      kind[key] = Math.max(kind[key], figures[key]);
    }
    kinds.set(kindOf(file), kind);
  }
  await browser.close();
  // One line per kind of page, short enough for a terminal: pages, the
  // largest's size, and the most time and memory any of them took.
  for (const [kind, k] of kinds) {
    console.log(`scale ${name} ${kind.padEnd(14)} ${String(k.count).padStart(3)} pages ` +
        `${(k.size / 1e6).toFixed(2)} MB  load ${Math.round(k.load)} ms  ${k.memory} MB` +
        (k.highlight ? `  lit ${Math.round(k.highlight)} ms` : ''));
  }
  return failed === 0 ? 0 : 1;
}

main().then((status) => process.exit(status), (error) => {
  console.error(`FAIL ${error?.stack ?? error}`);
  process.exit(2);
});
