// SPDX-License-Identifier: GPL-3.0-or-later
// Takes a picture of the page as dealt: node screenshot.mjs FILE.png [SCALE] [ENGINE]
// (SCALE 2 draws it as at 200 % zoom on a high-resolution screen; ENGINE is
// chromium, firefox or webkit, which needs a display and takes no SCALE).
import fs from 'node:fs';
import { launch } from './browser.mjs';

const [file, scale = '1', engine = 'chromium'] = process.argv.slice(2);
if (!file) {
  console.error('usage: node screenshot.mjs FILE.png [SCALE] [ENGINE]');
  process.exit(2);
}
const browser = await launch(engine);
try {
  const tab = await browser.open({ deviceScaleFactor: Number(scale) });
  fs.writeFileSync(file, Buffer.from(await tab.screenshot(), 'base64'));
  const { errors } = await tab.seen();
  if (errors.length) throw new Error(errors.join('\n'));
  console.log(`Saved ${file}`);
} finally {
  await browser.close();
}
