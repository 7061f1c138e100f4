// SPDX-License-Identifier: GPL-3.0-or-later
// The built page in a real browser: where every control is drawn and in what
// colour, a row played with real mouse clicks, the score, a runtime error, the
// focus order, and that the page loads nothing but itself without a script error.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { buildDir, launch, openPage, pageUrl } from './browser.mjs';

// The digit sequence, written out independently of the program: the days of
// each month of a leap year, each followed by the month's number.
const SEQUENCE = '31 1 29 2 31 3 30 4 31 5 30 6 31 7 31 8 30 9 31 10 30 11 31 12'.replaceAll(' ', '');
const layout = JSON.parse(fs.readFileSync(path.join(buildDir, 'layout.json'), 'utf8'));
const px = (twips) => Math.floor((twips + 7) / 15); // 15 twips a pixel at 96 dpi
const rgb = (bgr) => [bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff];
const frame = layout.controls.find((c) => c.array === 'Frame1');
const byId = (id) => layout.controls.find((c) => c.id === id);

let browser;
let page;
let requests;
let errors;

before(async () => {
  browser = await launch();
  ({ page, requests, errors } = await openPage(browser));
});
after(async () => {
  await browser?.close();
});

// The control's rectangle in CSS pixels from the client area's corner, as laid out.
function expectedRect(control) {
  const left = px(control.left) + (control.inFrame ? px(frame.left) : 0);
  const top = px(control.top) + (control.inFrame ? px(frame.top) : 0);
  return { left, top, width: px(control.width), height: px(control.height) };
}

async function drawnRects() {
  return page.evaluate((formId, ids) => {
    const form = document.getElementById(formId).getBoundingClientRect();
    const rects = { form: { left: form.left, top: form.top, width: form.width, height: form.height },
                    viewport: { width: innerWidth, height: innerHeight } };
    for (const id of ids) {
      const element = document.getElementById(id);
      const r = element.getBoundingClientRect();
      rects[id] = { shown: element.getClientRects().length > 0,
                    left: r.left - form.left, top: r.top - form.top, width: r.width, height: r.height };
    }
    return rects;
  }, layout.formId, layout.controls.map((c) => c.id));
}

const text = (id) => page.$eval(`#${id}`, (element) => element.textContent);
const boxIds = layout.controls.filter((c) => c.array === 'Label2').map((c) => c.id)
  .sort((a, b) => Number(a.split('_')[1]) - Number(b.split('_')[1]));
const row = () => Promise.all(boxIds.map(text));

// Where a real click lands: a point inside box `k`, or on the pixel column
// that box k shares with box k + 1.
async function pointOf(id, dx, dy) {
  const form = await page.$eval(`#${layout.formId}`, (f) => {
    const r = f.getBoundingClientRect();
    return { left: r.left, top: r.top };
  });
  const rect = expectedRect(byId(id));
  return { x: form.left + rect.left + dx, y: form.top + rect.top + dy };
}

async function clickControl(id, count = 1) {
  const rect = expectedRect(byId(id));
  const { x, y } = await pointOf(id, rect.width / 2, rect.height / 2);
  await page.mouse.click(x, y, { count });
}

// Clicks box `k` until it shows `digit`, by double clicks where it can.
async function setBox(k, digit) {
  const now = (await text(boxIds[k])).replace('?', '0');
  let clicks = (Number(digit) - Number(now) + 10) % 10;
  for (; clicks >= 2; clicks -= 2) await clickControl(boxIds[k], 2);
  if (clicks) await clickControl(boxIds[k]);
}

// The start offset whose ten following digits the row shows (one only).
function startOf(shown) {
  const starts = [];
  for (let s = 0; s <= 24; ++s) if (SEQUENCE.slice(s + 1, s + 11) === shown.join('')) starts.push(s);
  assert.equal(starts.length, 1, `the row ${shown.join('')} is ten digits of the sequence`);
  return starts[0];
}
const hiddenDigits = (start) => [...SEQUENCE.slice(start + 11, start + 16).padEnd(5, '0')];

test('every control is drawn at its place, the hidden ones not at all', async () => {
  const rects = await drawnRects();
  assert.deepEqual([rects.form.width, rects.form.height], [481, 363]);
  assert.deepEqual([px(layout.clientWidth), px(layout.clientHeight)], [481, 363]);
  assert.ok(Math.abs(rects.form.left - (rects.viewport.width - 481) / 2) <= 0.5, 'centred across');
  assert.ok(Math.abs(rects.form.top - (rects.viewport.height - 363) / 2) <= 0.5, 'centred down');
  for (const control of layout.controls) {
    const drawn = rects[control.id];
    if (control.hidden) {
      assert.equal(drawn.shown, false, `${control.id} is hidden`);
      continue;
    }
    const { shown, ...at } = drawn;
    assert.ok(shown, `${control.id} is shown`);
    assert.deepEqual(at, expectedRect(control), control.id);
  }
  // The first box as the window has it: 25 × 57 pixels, 56 across and 64 down.
  assert.deepEqual(rects.Label2_0, { shown: true, left: 56, top: 64, width: 25, height: 57 });
  assert.equal(await page.title(), layout.caption.replace('  ', ' \u00a0'));
  const fonts = await page.evaluate(async () =>
    (await document.fonts.load('16px "Liberation Serif"', 'Числова')).map((face) => face.status));
  assert.deepEqual(fonts, ['loaded'], 'the embedded font loads');
});

test('the controls are drawn in their colours', async () => {
  const shot = await page.screenshot({ encoding: 'base64' });
  const form = (await drawnRects()).form;
  const samples = [{ name: 'window', x: 5, y: 350, colour: rgb(layout.windowBack) }];
  for (const control of layout.controls) {
    if (control.hidden || control.back === null) continue;
    const r = expectedRect(control);
    // Inside the border, clear of the centred text; a frame's inside is below its line.
    const dy = control.array === 'Frame1' ? r.height - 5 : 4;
    const dx = control.array === 'Label2' ? Math.floor(r.width / 2) : 4;
    samples.push({ name: control.id, x: r.left + dx, y: r.top + dy, colour: rgb(control.back) });
  }
  const decoder = await browser.newPage();
  try {
    const pixels = await decoder.evaluate(async (png, points) => {
      const image = new Image();
      image.src = `data:image/png;base64,${png}`;
      await image.decode();
      const canvas = new OffscreenCanvas(image.width, image.height);
      const context = canvas.getContext('2d');
      context.drawImage(image, 0, 0);
      return points.map(({ x, y }) => [...context.getImageData(x, y, 1, 1).data.slice(0, 3)]);
    }, shot, samples.map((s) => ({ x: Math.floor(form.left + s.x), y: Math.floor(form.top + s.y) })));
    samples.forEach((sample, i) => {
      const off = pixels[i].some((value, c) => Math.abs(value - sample.colour[c]) > 2);
      assert.ok(!off, `${sample.name}: drawn ${pixels[i]}, laid out ${sample.colour}`);
    });
  } finally {
    await decoder.close();
  }
});

test('screen readers hear each box with its digit, the counters politely, in the window\'s focus order', async () => {
  const boxes = await page.$$eval('[id^="Label2_"]', (all) =>
    all.map((b) => [b.getAttribute('role'), b.tabIndex, b.getAttribute('aria-label'), b.textContent]));
  for (const [role, tabIndex, label, caption] of boxes) {
    assert.equal(role, 'button');
    assert.equal(tabIndex, -1, 'boxes stay out of the tab order');
    assert.ok(label.endsWith(caption === '?' ? ': неизвестна' : `: ${caption}`), label);
  }
  for (const id of ['Text2_0', 'Text2_1'])
    assert.equal(await page.$eval(`#${id}`, (c) => c.getAttribute('aria-live')), 'polite');

  const idOf = (name) => name.replace(/\((\d+)\)$/, '_$1');
  const focused = () => page.evaluate(() => document.activeElement.id);
  assert.equal(await focused(), idOf(layout.focusOrder[0]), 'the help text has the focus at start');
  const order = [await focused()];
  for (let i = 1; i < layout.focusOrder.length; ++i) {
    await page.keyboard.press('Tab');
    order.push(await focused());
  }
  assert.deepEqual(order, layout.focusOrder.map(idOf));

  // Typing into the counters and the help text changes nothing.
  for (const id of ['Text2_0', 'Text1_0']) {
    const before = await page.$eval(`#${id}`, (e) => e.value ?? e.textContent);
    await page.focus(`#${id}`);
    await page.keyboard.type('7');
    assert.equal(await page.$eval(`#${id}`, (e) => e.value ?? e.textContent), before, id);
  }
});

test('a click in the overlap goes to the box on top, and both clicks of a double click count', async () => {
  const [three, four] = [await text(boxIds[3]), await text(boxIds[4])];
  await page.evaluate(() => {
    window.doubleClicks = 0;
    document.addEventListener('dblclick', () => ++window.doubleClicks);
  });
  // Box 3 spans 25 pixels at a pitch of 24: its last column is box 4's first.
  const shared = expectedRect(byId(boxIds[4])).left - expectedRect(byId(boxIds[3])).left;
  const { x, y } = await pointOf(boxIds[3], shared + 0.5, 30);
  await page.mouse.click(x, y, { count: 2 });
  assert.equal(await page.evaluate(() => window.doubleClicks), 1, 'a double click happened');
  assert.equal(await text(boxIds[3]), String((Number(three) + 2) % 10));
  assert.equal(await text(boxIds[4]), four);
  for (let i = 0; i < 4; ++i) await page.mouse.click(x, y, { count: 2 });
  assert.equal(await text(boxIds[3]), three, 'ten clicks bring the digit round');
  assert.notEqual(await page.evaluate(() => document.activeElement.id), boxIds[3], 'a box takes no focus');
});

test('a row solved with the mouse scores on the green counter', async () => {
  assert.deepEqual([await text('Text2_0'), await text('Text2_1')], ['0', '0']);
  const start = startOf((await row()).slice(0, 10));
  const answer = hiddenDigits(start);
  for (let i = 0; i < 5; ++i) await setBox(10 + i, answer[i]);
  assert.deepEqual((await row()).slice(10).map((c) => c.replace('?', '0')), answer);
  await clickControl('Command1_0');
  assert.deepEqual([await text('Text2_0'), await text('Text2_1')], ['1', '0']);
});

test('a new row keeps the score; an unsolved row scores as wrong', async () => {
  await clickControl('Command1_1');
  const dealt = await row();
  assert.deepEqual(dealt.slice(10), ['?', '?', '?', '?', '?']);
  const start = startOf(dealt.slice(0, 10));
  assert.deepEqual([await text('Text2_0'), await text('Text2_1')], ['1', '0']);
  await clickControl('Command1_0');
  const right = hiddenDigits(start).every((d) => d === '0');
  assert.deepEqual([await text('Text2_0'), await text('Text2_1')], right ? ['2', '0'] : ['1', '1']);
});

test('a runtime error is told in Bulgarian and the page goes on with its score', async () => {
  const score = [await text('Text2_0'), await text('Text2_1')];
  // A caption the page never writes itself: one more does not fit 16 bits.
  await page.$eval(`#${boxIds[0]}`, (box) => { box.textContent = '32767'; });
  await clickControl(boxIds[0]);
  const dialog = await page.$eval('dialog', (d) => ({ open: d.open, text: d.textContent }));
  assert.ok(dialog.open, 'the error is shown');
  assert.ok(dialog.text.includes(layout.errorOverflow), dialog.text);
  assert.equal(await text(boxIds[0]), '32767', 'the handler stopped before writing');
  await page.click('dialog button');
  assert.equal(await page.$eval('dialog', (d) => d.open), false);
  await clickControl('Command1_0');
  assert.deepEqual([await text('Text2_0'), await text('Text2_1')], [score[0], String(Number(score[1]) + 1)]);
});

test('no script error, and nothing loaded but the file itself', () => {
  assert.deepEqual(errors, []);
  assert.ok(requests.includes(pageUrl));
  assert.deepEqual(requests.filter((url) => url !== pageUrl && !url.startsWith('data:')), []);
});
