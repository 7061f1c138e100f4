import { launch } from './browser.mjs';
const b = await launch(process.argv[2]);
const rows = [];
for (let i = 0; i < 12; ++i) {
  const t = await b.open();
  const m = await t.evaluate(() => Object.fromEntries(performance.getEntriesByType('mark').map((m) => [m.name, m.startTime])));
  rows.push([m.decoded - m.script, m.main - m.decoded]);
  await t.close();
}
const med = (a) => a.sort((x, y) => x - y)[a.length >> 1];
console.log(process.env.PAGE_BUILD_DIR, 'decode', med(rows.map((r) => r[0])).toFixed(1), 'inst+main', med(rows.map((r) => r[1])).toFixed(1));
await b.close();
