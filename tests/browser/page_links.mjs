// Checks of every link of every delivered page: a page link names a file of
// htm_out and its fragment an id (or name) in that file; a web link is only
// checked for its form, never fetched.
import fs from 'node:fs';
import path from 'node:path';

import {openAt} from './browser.mjs';

/// The pages a one-page run delivers, and nothing else.
export const kDeliveredPages = [
  'compare.htm',
  'files_list.htm',
  'i_1.htm',
  'index.htm',
  'page_01.htm',
  's_1.htm',
];

async function readLinks(page) {
  return page.evaluate(
      () => ({
        links: [...document.querySelectorAll('a[href]')].map((a) => ({
                                                               raw: a.getAttribute('href'),
                                                               url: a.href,
                                                               text: a.textContent.trim(),
                                                             })),
        anchors: [...document.querySelectorAll('[id], [name]')]
                     .flatMap((e) => [e.id, e.getAttribute('name')])
                     .filter(Boolean),
      }));
}

function isWebLink(link) { return /^https?:\/\//.test(link.raw); }

function brokenPageLinks(run, links, anchors) {
  const broken = [];
  for (const link of links.filter((l) => !isWebLink(l))) {
    const url = new URL(link.url);
    const file = decodeURIComponent(url.pathname);
    const fragment = decodeURIComponent(url.hash.slice(1));
    const known = anchors.get(path.basename(file));
    if (url.protocol !== 'file:' || path.dirname(file) !== run.htm || !known) {
      broken.push({link: link.raw, why: 'no such file'});
    } else if (fragment !== '' && !known.has(fragment)) {
      broken.push({link: link.raw, why: 'no such id'});
    }
  }
  return broken;
}

// A search link carries the line's words in q, restricted to the
// destination address by its site link, whose text is that address.
function badWebLinks(run, links) {
  return links.filter(isWebLink).filter((link) => {
    let url;
    try {
      url = new URL(link.url);
    } catch {
      return true;
    }
    if (!url.hostname.includes('.') || /\s/.test(url.hostname)) return true;
    if (url.pathname !== '/search') return false;
    const query = url.searchParams.get('q') ?? '';
    if (link.text === 'web_search') return query.trim() === '';
    return run.site === '' || link.text !== run.site || !query.endsWith(` site:${run.site}`);
  });
}

function checkSearchLinkPairs(checks, run, links) {
  const web = links.filter((l) => l.text === 'web_search').length;
  const site = links.filter((l) => isWebLink(l) && run.site !== '' && l.text === run.site).length;
  const expectedSite = run.site === '' ? 0 : web;
  checks.check(
      `${run.name}: s_1.htm has a web search link per text line` +
          (run.site === '' ? ', no site link' : `, each with a site:${run.site} link`),
      web > 0 && site === expectedSite, `${web} web, ${site} site`);
}

/// Loads every page of htm_out and checks its links against the others.
export async function checkPageLinks(checks, page, run) {
  const files = fs.readdirSync(run.htm).sort();
  checks.check(
      `${run.name}: htm_out holds exactly the delivered pages`,
      files.join(' ') === kDeliveredPages.join(' '), files.join(' '));
  const read = new Map();
  for (const file of files) {
    await openAt(page, run.htm, file);
    read.set(file, await readLinks(page));
  }
  const anchors = new Map([...read].map(([file, r]) => [file, new Set(r.anchors)]));
  for (const [file, {links}] of read) {
    const broken = brokenPageLinks(run, links, anchors);
    const noFile = broken.filter((b) => b.why === 'no such file');
    const noId = broken.filter((b) => b.why === 'no such id');
    const pageLinks = links.filter((l) => !isWebLink(l)).length;
    if (pageLinks > 0) {
      checks.check(
          `${run.name}: ${file}: all ${pageLinks} page links name a file of htm_out`,
          noFile.length === 0, noFile.slice(0, 3).map((b) => b.link).join(' '));
      checks.check(
          `${run.name}: ${file}: every #fragment names an id of its page`, noId.length === 0,
          noId.slice(0, 3).map((b) => b.link).join(' '));
    }
    if (links.some(isWebLink)) {
      const bad = badWebLinks(run, links);
      checks.check(
          `${run.name}: ${file}: all ${links.filter(isWebLink).length} web links well formed`,
          bad.length === 0, bad.slice(0, 3).map((l) => l.raw).join(' '));
    }
    if (file.startsWith('s_')) checkSearchLinkPairs(checks, run, links);
  }
}
