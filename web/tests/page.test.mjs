// SPDX-License-Identifier: GPL-3.0-or-later
// The built page in each browser engine: where every control is drawn and in
// what colour, a row played with real mouse clicks, the score, a runtime error,
// the focus order and the spoken names, the window scaled onto a phone, high
// contrast, and that the page loads nothing but itself without a script error.
import { after, before, beforeEach, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { setTimeout as delay } from 'node:timers/promises';
import { buildDir, engines, explained, launch, pageUrl } from './browser.mjs';
import { decodePng } from './png.mjs';

// The digit sequence, written out independently of the program: the days of
// each month of a leap year, each followed by the month's number.
const SEQUENCE = '31 1 29 2 31 3 30 4 31 5 30 6 31 7 31 8 30 9 31 10 30 11 31 12'.replaceAll(' ', '');
const layout = JSON.parse(fs.readFileSync(path.join(buildDir, 'layout.json'), 'utf8'));
// The window's own texts, as its source holds them.
const texts = Object.fromEntries([...fs.readFileSync(new URL('../../layout/texts.h', import.meta.url), 'utf8')
  .matchAll(/inline constexpr std::string_view (k\w+) = "([^"]*)";/g)].map((m) => [m[1], m[2]]));
const px = (twips) => Math.floor((twips + 7) / 15); // 15 twips a pixel at 96 dpi
const rgb = (bgr) => [bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff];
const frame = layout.controls.find((c) => c.array === 'Frame1');
const byId = (id) => layout.controls.find((c) => c.id === id);
const boxIds = layout.controls.filter((c) => c.array === 'Label2').map((c) => c.id)
  .sort((a, b) => Number(a.split('_')[1]) - Number(b.split('_')[1]));

// The control's rectangle in CSS pixels from the client area's corner, as laid out.
function expectedRect(control) {
  const left = px(control.left) + (control.inFrame ? px(frame.left) : 0);
  const top = px(control.top) + (control.inFrame ? px(frame.top) : 0);
  return { left, top, width: px(control.width), height: px(control.height) };
}

function drawnRects(tab) {
  return tab.evaluate((formId, ids) => {
    const form = document.getElementById(formId).getBoundingClientRect();
    const root = document.documentElement;
    const rects = { form: { left: form.left, top: form.top, width: form.width, height: form.height },
                    viewport: { width: innerWidth, height: innerHeight,
                                scrollWidth: root.scrollWidth, scrollHeight: root.scrollHeight } };
    for (const id of ids) {
      const element = document.getElementById(id);
      const r = element.getBoundingClientRect();
      rects[id] = { shown: element.getClientRects().length > 0,
                    left: r.left - form.left, top: r.top - form.top, width: r.width, height: r.height };
    }
    return rects;
  }, layout.formId, layout.controls.map((c) => c.id));
}

const text = (tab, id) => tab.evaluate((id) => document.getElementById(id).textContent, id);
const row = (tab) => Promise.all(boxIds.map((id) => text(tab, id)));
const score = (tab) => Promise.all(['Text2_0', 'Text2_1'].map((id) => text(tab, id)));

// Where a real click lands: a point (dx, dy) into a control as laid out.
async function pointOf(tab, id, dx, dy) {
  const form = await tab.evaluate((formId) => {
    const r = document.getElementById(formId).getBoundingClientRect();
    return { left: r.left, top: r.top };
  }, layout.formId);
  const rect = expectedRect(byId(id));
  return { x: form.left + rect.left + dx, y: form.top + rect.top + dy };
}

async function clickControl(tab, id, count = 1) {
  const rect = expectedRect(byId(id));
  const { x, y } = await pointOf(tab, id, rect.width / 2, rect.height / 2);
  await tab.click(x, y, count);
}

// Clicks box `k` until it shows `digit`, by double clicks where it can.
async function setBox(tab, k, digit) {
  const now = (await text(tab, boxIds[k])).replace('?', '0');
  let clicks = (Number(digit) - Number(now) + 10) % 10;
  for (; clicks >= 2; clicks -= 2) await clickControl(tab, boxIds[k], 2);
  if (clicks) await clickControl(tab, boxIds[k]);
}

// The start offset whose ten following digits the row shows (one only).
function startOf(shown) {
  const starts = [];
  for (let s = 0; s <= 24; ++s) if (SEQUENCE.slice(s + 1, s + 11) === shown.join('')) starts.push(s);
  assert.equal(starts.length, 1, `the row ${shown.join('')} is ten digits of the sequence`);
  return starts[0];
}
const hiddenDigits = (start) => [...SEQUENCE.slice(start + 11, start + 16).padEnd(5, '0')];

// The colours of a screenshot at points given from the form's corner.
async function pixelsAt(tab, points) {
  const form = (await drawnRects(tab)).form;
  const shot = decodePng(await tab.screenshot());
  return points.map((p) => shot.rgbAt(Math.floor(form.left + p.x), Math.floor(form.top + p.y)));
}

// The rectangle, in CSS pixels, in which the window's background colour is drawn.
async function windowOnScreen(tab) {
  const shot = decodePng(await tab.screenshot());
  const back = rgb(layout.windowBack);
  let [left, top, right, bottom] = [Infinity, Infinity, -1, -1];
  for (let y = 0; y < shot.height; ++y)
    for (let x = 0; x < shot.width; ++x)
      if (shot.rgbAt(x, y).every((value, c) => Math.abs(value - back[c]) <= 2)) {
        [left, right] = [Math.min(left, x), Math.max(right, x)];
        [top, bottom] = [Math.min(top, y), Math.max(bottom, y)];
      }
  const ratio = shot.width / (await drawnRects(tab)).viewport.width; // device pixels to CSS pixels
  return { left: left / ratio, top: top / ratio, width: (right + 1 - left) / ratio, height: (bottom + 1 - top) / ratio };
}

// Samples inside each coloured control, clear of its border and centred text.
function colourSamples(controls) {
  return controls.filter((c) => !c.hidden && c.back !== null).map((control) => {
    const r = expectedRect(control);
    const dy = control.array === 'Frame1' ? r.height - 5 : 4; // a frame's inside is below its line
    const dx = control.array === 'Label2' ? Math.floor(r.width / 2) : 4;
    return { name: control.id, x: r.left + dx, y: r.top + dy, colour: rgb(control.back) };
  });
}

const near = (pixel, colour) => pixel.every((value, c) => Math.abs(value - colour[c]) <= 2);

// The frame's etched line beside its caption, and what is drawn on the same
// rows across the caption, from a screenshot.
async function frameLineAtCaption(tab) {
  const shot = decodePng(await tab.screenshot());
  const r = await tab.evaluate(() => {
    const { left, top, right, bottom } = document.getElementById('Frame1_caption').getBoundingClientRect();
    return { left, top, right, bottom };
  });
  const [left, right, beside] = [Math.ceil(r.left), Math.floor(r.right), Math.floor(r.left) - 2];
  const rows = [];
  for (let y = Math.ceil(r.top); y < Math.floor(r.bottom); ++y) {
    const line = shot.rgbAt(beside, y);
    if (!near(line, rgb(frame.back)))
      rows.push({ y, line, across: Array.from({ length: right - left }, (_, i) => shot.rgbAt(left + i, y)) });
  }
  return rows;
}

function assertColours(samples, pixels) {
  samples.forEach((sample, i) => {
    const off = pixels[i].some((value, c) => Math.abs(value - sample.colour[c]) > 2);
    assert.ok(!off, `${sample.name}: drawn ${pixels[i]}, laid out ${sample.colour}`);
  });
}

// Each engine's run ends within PAGE_ENGINE_BOUND seconds, whatever hangs: past
// it the run says where it was and stops, and its browsers end with it. A check
// that alone takes two minutes has hung.
const engineBound = Number(process.env.PAGE_ENGINE_BOUND ?? 300) * 1000;
const checkBound = 120000;

for (const engine of engines) describe(engine, () => {
  let browser;
  let tab;
  let where = 'opening the page';
  let watchdog;

  // Node 18 runs no `after` once `before` has failed: `before` cleans up itself.
  before(async () => {
    watchdog = setTimeout(() => {
      console.error(`${engine}: not done after ${engineBound / 1000} s, still ${where}`);
      process.exit(1);
    }, engineBound).unref();
    try {
      browser = await launch(engine);
      tab = await browser.open();
    } catch (error) {
      clearTimeout(watchdog);
      await browser?.close();
      throw browser ? explained(browser, error) : error;
    }
  });
  beforeEach((t) => {
    where = `in "${t.name}"`;
  });
  after(async () => {
    where = 'closing';
    await browser?.close();
    clearTimeout(watchdog);
  });

  // A check that meets a command its engine's driver lacks says so.
  const check = (name, fn) => test(name, { timeout: checkBound }, async (t) => {
    try {
      return await fn(t);
    } catch (error) {
      throw explained(browser, error);
    }
  });

  check('every control is drawn at its place, the hidden ones not at all; the tab has its icon', async () => {
    const rects = await drawnRects(tab);
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
    assert.equal(await tab.evaluate(() => document.title), layout.caption.replace('  ', ' \u00a0'));
    const fonts = await tab.evaluate(async () =>
      (await document.fonts.load('16px "Liberation Serif"', 'Числова')).map((face) => face.status));
    assert.deepEqual(fonts, ['loaded'], 'the embedded font loads');
    const icon = await tab.evaluate(async () => {
      const image = new Image();
      image.src = document.querySelector('link[rel~="icon"]').href;
      await image.decode();
      return { scheme: new URL(image.src).protocol, size: [image.naturalWidth, image.naturalHeight] };
    });
    assert.deepEqual(icon, { scheme: 'data:', size: [32, 32] }, 'the window\'s icon, inside the file');
  });

  check('the controls are drawn in their colours, the frame\'s caption on its own ground, and a counter clips a long number', async () => {
    // Seven digits reach past a counter's edges; the window clips them.
    await tab.evaluate(() => {
      for (const id of ['Text2_0', 'Text2_1']) document.getElementById(id).textContent = '8888888';
    });
    const back = rgb(layout.windowBack);
    const samples = [{ name: 'window', x: 5, y: 350, colour: back }, ...colourSamples(layout.controls)];
    for (const id of ['Text2_0', 'Text2_1']) {
      const r = expectedRect(byId(id));
      for (const x of [r.left - 3, r.left + r.width + 2])
        samples.push({ name: `beside ${id}`, x, y: r.top + r.height / 2, colour: back });
    }
    const pixels = await pixelsAt(tab, samples);
    await tab.evaluate(() => {
      for (const id of ['Text2_0', 'Text2_1']) document.getElementById(id).textContent = '0';
    });
    assertColours(samples, pixels);
    // The caption covers the frame's line: between and around its letters the
    // frame's colour, nowhere the line's.
    const rows = await frameLineAtCaption(tab);
    assert.ok(rows.length > 0, 'the frame\'s line runs beside its caption');
    for (const { y, line, across } of rows) {
      const ground = across.filter((pixel) => near(pixel, rgb(frame.back))).length;
      const lined = across.filter((pixel) => near(pixel, line)).length;
      assert.ok(lined === 0 && ground >= across.length / 3 && near(across[0], rgb(frame.back)) &&
                near(across.at(-1), rgb(frame.back)),
                `on the line's row ${y} (${line}) the caption shows ${ground} of ${across.length} pixels in the ` +
                `frame's colour, ${lined} in the line's`);
    }
  });

  check('screen readers hear the window\'s names: each box by its place and digit, the counters by their colour', async () => {
    const boxes = await tab.evaluate(() => [...document.querySelectorAll('[id^="Label2_"]')].map((b) =>
      ({ role: b.getAttribute('role'), tabIndex: b.tabIndex, name: b.getAttribute('aria-label'),
         caption: b.textContent, left: b.getBoundingClientRect().left })));
    boxes.sort((a, b) => a.left - b.left);
    boxes.forEach((box, place) => {
      assert.equal(box.role, 'button');
      assert.equal(box.tabIndex, -1, 'boxes stay out of the tab order');
      const digit = box.caption === '?' ? texts.kHiddenDigitSpoken : box.caption;
      assert.equal(box.name, texts.kDigitBoxSpoken.replace('%1', place + 1).replace('%2', digit));
    });
    // The green counter counts the right answers, the red one the wrong ones.
    const counters = await tab.evaluate(() => [...document.querySelectorAll('output')].map((c) =>
      ({ name: c.getAttribute('aria-label'), live: c.getAttribute('aria-live'),
         back: getComputedStyle(c).backgroundColor })));
    assert.deepEqual(counters.map((c) => [c.back, c.name, c.live]).sort(), [
      ['rgb(0, 255, 0)', texts.kCorrectCounterSpoken, 'polite'],
      ['rgb(255, 0, 0)', texts.kWrongCounterSpoken, 'polite']]);

    const idOf = (name) => name.replace(/\((\d+)\)$/, '_$1');
    const focused = () => tab.evaluate(() => document.activeElement.id);
    assert.equal(await focused(), idOf(layout.focusOrder[0]), 'the help text has the focus at start');
    const order = [await focused()];
    for (let i = 1; i < layout.focusOrder.length; ++i) {
      await tab.press('Tab');
      order.push(await focused());
    }
    assert.deepEqual(order, layout.focusOrder.map(idOf));

    // Typing into the counters and the help text changes nothing.
    for (const id of ['Text2_0', 'Text1_0']) {
      const read = () => tab.evaluate((id) => {
        const element = document.getElementById(id);
        return element.value ?? element.textContent;
      }, id);
      const before = await read();
      await tab.evaluate((id) => document.getElementById(id).focus(), id);
      await tab.type('7');
      assert.equal(await read(), before, id);
    }
  });

  check('a click in the overlap goes to the box on top, both clicks of a double click count, and nothing is selected', async () => {
    const [three, four] = [await text(tab, boxIds[3]), await text(tab, boxIds[4])];
    await tab.evaluate(() => {
      window.doubleClicks = 0;
      document.addEventListener('dblclick', () => ++window.doubleClicks);
    });
    // Box 3 spans 25 pixels at a pitch of 24: its last column is box 4's first.
    const shared = expectedRect(byId(boxIds[4])).left - expectedRect(byId(boxIds[3])).left;
    // Whole pixels: WebDriver rounds a point to them.
    const { x, y } = await pointOf(tab, boxIds[3], shared, 30);
    await tab.click(x, y, 2);
    assert.equal(await tab.evaluate(() => window.doubleClicks), 1, 'a double click happened');
    assert.equal(await text(tab, boxIds[3]), String((Number(three) + 2) % 10));
    assert.equal(await text(tab, boxIds[4]), four);
    for (let i = 0; i < 4; ++i) await tab.click(x, y, 2);
    assert.equal(await text(tab, boxIds[3]), three, 'ten clicks bring the digit round');
    assert.notEqual(await tab.evaluate(() => document.activeElement.id), boxIds[3], 'a box takes no focus');
    // A double click on a caption, the title or a counter selects none of its text.
    for (const id of ['Frame1_caption', 'Label1_0', 'Text2_0']) {
      const at = await tab.evaluate((id) => {
        const r = document.getElementById(id).getBoundingClientRect();
        return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
      }, id);
      await tab.click(at.x, at.y, 2);
      assert.equal(await tab.evaluate(() => getSelection().toString()), '', `nothing of ${id} is selected`);
    }
  });

  check('a row solved with the mouse scores on the green counter', async () => {
    const [right, wrong] = await score(tab);
    const start = startOf((await row(tab)).slice(0, 10));
    const answer = hiddenDigits(start);
    for (let i = 0; i < 5; ++i) await setBox(tab, 10 + i, answer[i]);
    assert.deepEqual((await row(tab)).slice(10).map((c) => c.replace('?', '0')), answer);
    await clickControl(tab, 'Command1_0');
    assert.deepEqual(await score(tab), [String(Number(right) + 1), wrong]);
  });

  check('a new row keeps the score; an unsolved row scores as wrong', async () => {
    const before = await score(tab);
    await clickControl(tab, 'Command1_1');
    const dealt = await row(tab);
    assert.deepEqual(dealt.slice(10), ['?', '?', '?', '?', '?']);
    const start = startOf(dealt.slice(0, 10));
    assert.deepEqual(await score(tab), before);
    await clickControl(tab, 'Command1_0');
    const [right, wrong] = before.map(Number);
    const solved = hiddenDigits(start).every((d) => d === '0');
    assert.deepEqual(await score(tab), solved ? [String(right + 1), String(wrong)] : [String(right), String(wrong + 1)]);
  });

  check('a runtime error is told in Bulgarian and the page goes on with its score', async () => {
    const [right, wrong] = await score(tab);
    // A caption the page never writes itself: one more does not fit 16 bits.
    await tab.evaluate((id) => { document.getElementById(id).textContent = '32767'; }, boxIds[0]);
    await clickControl(tab, boxIds[0]);
    const dialog = await tab.evaluate(() => {
      const d = document.querySelector('dialog');
      const r = d.querySelector('button').getBoundingClientRect();
      return { open: d.open, text: d.textContent, ok: { x: r.left + r.width / 2, y: r.top + r.height / 2 } };
    });
    assert.ok(dialog.open, 'the error is shown');
    assert.ok(dialog.text.includes(layout.errorOverflow), dialog.text);
    assert.equal(await text(tab, boxIds[0]), '32767', 'the handler stopped before writing');
    await tab.click(dialog.ok.x, dialog.ok.y);
    assert.equal(await tab.evaluate(() => document.querySelector('dialog').open), false);
    await clickControl(tab, 'Command1_0');
    assert.deepEqual(await score(tab), [right, String(Number(wrong) + 1)]);
  });

  check('each visit starts at naught to naught and deals its own first row', async () => {
    // Five visits of 25 possible rows all alike: once in 390 625 runs.
    const firsts = new Set();
    for (let visit = 0; visit < 5; ++visit) {
      await tab.reload();
      firsts.add((await row(tab)).join(''));
      assert.deepEqual(await score(tab), ['0', '0']);
    }
    assert.ok(firsts.size > 1, `every visit dealt ${[...firsts]}`);
  });

  check('on a phone the whole window shows, scaled as a whole, and every quick tap counts', async (t) => {
    const phone = await browser.open({ width: 360, height: 740, deviceScaleFactor: 3, mobile: true });
    try {
      // Where the window's background is drawn: some engines report a scaled
      // element's rectangle unscaled, the screen tells the truth.
      const { viewport } = await drawnRects(phone);
      const drawn = await windowOnScreen(phone);
      const { width, height } = viewport;
      assert.ok(width < 481, `a viewport narrower than the window: ${width}`); // some windows get no narrower
      // As large as fits, or a 64th less where the browser keeps a zoom to 64ths.
      const fitting = Math.min(width / 481, height / 363);
      const scale = drawn.width / 481;
      assert.ok(scale <= fitting + 1.5 / 481 && scale >= fitting - 1 / 64 - 1.5 / 481 &&
                Math.abs(drawn.height - 363 * scale) <= 1.5,
                `scaled as a whole to ${481 * fitting} × ${363 * fitting}: ${drawn.width} × ${drawn.height}`);
      assert.ok(drawn.left >= 0 && drawn.top >= 0 && drawn.left + drawn.width <= width &&
                drawn.top + drawn.height <= height, 'inside the viewport');
      assert.ok(viewport.scrollWidth <= width && viewport.scrollHeight <= height, 'nothing to scroll or pan');
      if (!browser.touch) return t.diagnostic('taps not tried: this engine\'s driver has no touch input');
      const box = expectedRect(byId(boxIds[10]));
      const at = { x: drawn.left + (box.left + box.width / 2) * scale, y: drawn.top + (box.top + box.height / 2) * scale };
      for (let i = 0; i < 4; ++i) {
        await phone.tap(at.x, at.y);
        await delay(150); // taps as quick as a pupil's
      }
      await phone.waitFor((id) => document.getElementById(id).textContent === '4', boxIds[10]);
      assert.equal(await phone.evaluate(() => visualViewport.scale), 1, 'no tap zoomed the page');
      const { errors } = await phone.seen();
      assert.deepEqual(errors, []);
    } finally {
      await phone.close();
    }
  });

  check('the first frame that shows the window shows the dealt row, also on a slow CPU', async (t) => {
    if (!browser.preloads) return t.skip('WebDriver runs nothing before the page');
    const slow = await browser.open({
      cpuSlowdown: browser.devTools ? 6 : undefined,
      preload: () => {
        // Each animation frame comes just before the browser paints.
        window.framesShown = [];
        const look = () => {
          const form = document.getElementById('PuzzleForm');
          if (form && getComputedStyle(form).opacity !== '0' && getComputedStyle(form).visibility === 'visible')
            window.framesShown.push(document.getElementById('Label2_14')?.textContent);
          if (window.framesShown.length < 3) requestAnimationFrame(look);
        };
        requestAnimationFrame(look);
      },
    });
    try {
      await slow.waitFor(() => window.framesShown.length >= 3);
      assert.deepEqual(await slow.evaluate(() => window.framesShown), ['?', '?', '?']);
    } finally {
      await slow.close();
    }
  });

  check('under forced colours the counters and buttons keep their green and red, focus shows', async (t) => {
    if (!browser.forcedColours) return t.skip('WebKit has no forced colours');
    const contrast = await browser.open({ forcedColors: true });
    try {
      const kept = colourSamples(layout.controls.filter((c) => c.array === 'Text2' || c.array === 'Command1'));
      // The window's own background gives way to the theme's: colours are forced.
      const forced = { name: 'window', x: 5, y: 350 };
      await contrast.evaluate(() => document.getElementById('Text2_0').focus());
      const counter = expectedRect(byId('Text2_0'));
      const ring = { name: 'focus', x: counter.left - 2, y: counter.top + counter.height / 2 };
      const pixels = await pixelsAt(contrast, [...kept, forced, ring]);
      assertColours(kept, pixels);
      const [window, focus] = pixels.slice(kept.length);
      assert.notDeepEqual(window, rgb(layout.windowBack), 'the theme\'s background');
      assert.ok(focus.some((value, c) => Math.abs(value - window[c]) > 100), `the focus mark ${focus} on ${window}`);
    } finally {
      await contrast.close();
    }
  });

  check('printed, the window keeps its colours', async (t) => {
    if (!tab.pdf) return t.skip('WebKitGTK\'s WebDriver does not print');
    // A PDF's page draws a colour with "R G B rg", in a compressed stream.
    const pdf = Buffer.from(await tab.pdf()).toString('latin1');
    const drawn = [...pdf.matchAll(/stream\r?\n([\s\S]*?)endstream/g)].map(([, data]) => {
      try {
        return zlib.inflateSync(Buffer.from(data, 'latin1'), { finishFlush: zlib.constants.Z_SYNC_FLUSH }).toString('latin1');
      } catch {
        return ''; // a font or an image
      }
    }).join('\n');
    const fills = new Set([...drawn.matchAll(/([\d.]+) ([\d.]+) ([\d.]+) rg/g)]
      .map((m) => m.slice(1, 4).map((v) => Math.round(Number(v) * 255)).join(',')));
    for (const control of [{ id: 'window', back: layout.windowBack }, ...layout.controls.filter((c) => c.back !== null && !c.hidden)])
      assert.ok(fills.has(rgb(control.back).join(',')), `${control.id} printed in ${rgb(control.back)}: ${[...fills]}`);
  });

  check('no script error, and nothing loaded but the file itself', async () => {
    const { errors, requests } = await tab.seen();
    assert.deepEqual(errors, []);
    if (browser.engine !== 'webkit') assert.ok(requests.includes(pageUrl) || requests.some((url) => url.startsWith('data:')));
    assert.deepEqual(requests.filter((url) => url !== pageUrl && !url.startsWith('data:')), []);
  });
});
