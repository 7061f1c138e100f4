// SPDX-License-Identifier: GPL-3.0-or-later
// Takes a picture of the page as dealt: node screenshot.mjs FILE.png [SCALE]
// (SCALE 2 draws it as at 200 % zoom on a high-resolution screen).
import { launch, openPage } from './browser.mjs';

const [file, scale = '1'] = process.argv.slice(2);
if (!file) {
  console.error('usage: node screenshot.mjs FILE.png [SCALE]');
  process.exit(2);
}
const browser = await launch();
try {
  const { page, errors } = await openPage(browser, { deviceScaleFactor: Number(scale) });
  await page.screenshot({ path: file });
  if (errors.length) throw new Error(errors.join('\n'));
  console.log(`Saved ${file}`);
} finally {
  await browser.close();
}
