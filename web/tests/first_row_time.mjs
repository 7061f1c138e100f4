// SPDX-License-Identifier: GPL-3.0-or-later
// Milliseconds from navigation to the first frame that shows the dealt row, over
// RUNS fresh loads in ENGINE (chromium or firefox: the engines that can watch a
// page from its start), of three pages in rotation:
//   page   the built page;
//   floor  the same page without its program: its WebAssembly and runtime
//          script removed, the row it dealt written into its markup and
//          data-dealt set. Any page that shows these texts in this font pays this;
//   empty  an empty page of the same size that marks itself dealt at once.
// Printed as JSON with the page's size. For the benchmark table:
//   node first_row_time.mjs [RUNS] [ENGINE]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch, pagePath, pageUrl } from './browser.mjs';

const runs = Number(process.argv[2] ?? 15);
const engine = process.argv[3] ?? 'chromium';
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'first-row-'));
const emptyPath = path.join(folder, 'empty.html');
fs.writeFileSync(emptyPath, '<!DOCTYPE html><meta charset="utf-8"><title>empty</title>' +
  '<div id="form" style="width:481px;height:363px;margin:auto;background:#c0c0ff"></div>' +
  '<script>document.getElementById("form").setAttribute("data-dealt", "")</script>');
const floorPath = path.join(folder, 'floor.html');

// Runs in each page before its own scripts. Once an element marked dealt is in
// the document (parsed so, or marked later), the frame after the next one has
// begun, so the row is painted.
function watchForDealtRow() {
  const dealt = () => document.querySelector('[data-dealt]') !== null;
  new MutationObserver((records, observer) => {
    if (!dealt()) return;
    observer.disconnect();
    requestAnimationFrame(() => requestAnimationFrame(() => {
      window.firstRowPainted = performance.now();
    }));
  }).observe(document, { subtree: true, childList: true, attributeFilter: ['data-dealt'] });
}

async function firstRowPainted(browser, url) {
  const page = await browser.newPage();
  try {
    await page.setViewport({ width: 640, height: 480 });
    await page.evaluateOnNewDocument(watchForDealtRow);
    await page.goto(url);
    await page.waitForFunction(() => window.firstRowPainted !== undefined, { timeout: 10000 })
      .catch((error) => { throw new Error(`${url}: no dealt row painted within 10 s (${error.message})`); });
    return await page.evaluate(() => window.firstRowPainted);
  } finally {
    await page.close();
  }
}

// The built page as it stands once dealt, less every script that carries the
// program (the ones that name WebAssembly); what sizes the window to the
// browser stays, and sizes it again.
async function writeFloor(browser) {
  const page = await browser.newPage();
  try {
    await page.goto(pageUrl);
    await page.waitForSelector('#PuzzleForm[data-dealt]', { timeout: 10000 });
    const html = await page.evaluate((source) => {
      const copy = new DOMParser().parseFromString(source, 'text/html');
      const dealt = copy.importNode(document.getElementById('PuzzleForm'), true);
      dealt.removeAttribute('style');
      copy.getElementById('PuzzleForm').replaceWith(dealt);
      // The scripts that name WebAssembly, and the data they read (a script
      // element of another type, which the browser does not run).
      const program = [...copy.scripts].filter((script) => script.text.includes('WebAssembly') ||
                                                          (script.type && script.type !== 'text/javascript'));
      if (!program.some((script) => script.text.includes('WebAssembly')))
        throw new Error('no script of the page names WebAssembly');
      program.forEach((script) => script.remove());
      return `<!DOCTYPE html>\n${copy.documentElement.outerHTML}`;
    }, fs.readFileSync(pagePath, 'utf8'));
    fs.writeFileSync(floorPath, html);
  } finally {
    await page.close();
  }
}

const browser = (await launch(engine)).browser;
try {
  await writeFloor(browser);
  const urls = { page: pageUrl, floor: pathToFileURL(floorPath).href, empty: pathToFileURL(emptyPath).href };
  const names = Object.keys(urls);
  const times = Object.fromEntries(names.map((name) => [name, []]));
  for (const name of names) await firstRowPainted(browser, urls[name]); // warm the file cache
  for (let i = 0; i < runs; ++i) {
    // Rotate which goes first, so none always follows another.
    for (const name of [...names.slice(i % names.length), ...names.slice(0, i % names.length)])
      times[name].push(await firstRowPainted(browser, urls[name]));
  }
  console.log(JSON.stringify({ engine, bytes: fs.statSync(pagePath).size,
                               floorBytes: fs.statSync(floorPath).size, firstRowMs: times }));
} finally {
  await browser.close();
  fs.rmSync(folder, { recursive: true });
}
