// SPDX-License-Identifier: GPL-3.0-or-later
// Milliseconds from navigation to the first frame painted after the first row
// is dealt, over RUNS fresh loads in ENGINE (chromium or firefox: the engines
// that can watch a page from its start), alternating with an empty page of the
// same size that marks itself dealt at once; printed as JSON with the page's
// size. For the benchmark table: node first_row_time.mjs [RUNS] [ENGINE]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch, pagePath, pageUrl } from './browser.mjs';

const runs = Number(process.argv[2] ?? 15);
const engine = process.argv[3] ?? 'chromium';
const emptyPath = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'first-row-')), 'empty.html');
fs.writeFileSync(emptyPath, '<!DOCTYPE html><meta charset="utf-8"><title>empty</title>' +
  '<div id="form" style="width:481px;height:363px;margin:auto;background:#c0c0ff"></div>' +
  '<script>document.getElementById("form").setAttribute("data-dealt", "")</script>');

async function firstRowPainted(browser, url) {
  const page = await browser.newPage();
  await page.setViewport({ width: 640, height: 480 });
  await page.evaluateOnNewDocument(() => {
    // Once the frame after the one that draws the dealt row has begun, that row is painted.
    new MutationObserver((records, observer) => {
      observer.disconnect();
      requestAnimationFrame(() => requestAnimationFrame(() => {
        window.firstRowPainted = performance.now();
      }));
    }).observe(document, { subtree: true, attributeFilter: ['data-dealt'] });
  });
  await page.goto(url);
  await page.waitForFunction(() => window.firstRowPainted !== undefined, { timeout: 10000 });
  const ms = await page.evaluate(() => window.firstRowPainted);
  await page.close();
  return ms;
}

const browser = (await launch(engine)).browser;
try {
  const times = { page: [], empty: [] };
  await firstRowPainted(browser, pageUrl); // warm the file cache
  for (let i = 0; i < runs; ++i) {
    const order = i % 2 === 0 ? ['page', 'empty'] : ['empty', 'page'];
    for (const name of order)
      times[name].push(await firstRowPainted(browser, name === 'page' ? pageUrl : pathToFileURL(emptyPath).href));
  }
  console.log(JSON.stringify({ engine, bytes: fs.statSync(pagePath).size, firstRowMs: times }));
} finally {
  await browser.close();
  fs.rmSync(path.dirname(emptyPath), { recursive: true });
}
