// SPDX-License-Identifier: GPL-3.0-or-later
// The built page, opened from disk in Debian's browsers: chromium and firefox-esr
// through puppeteer-core (DevTools and WebDriver BiDi), WebKitGTK through its
// WebDriver. A tab offers the tests one set of actions whatever the engine, and
// records the requests and script errors it can see.
import { spawn } from 'node:child_process';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { setTimeout as delay } from 'node:timers/promises';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { Capabilities, WebDriver } from 'selenium-webdriver';
import { Executor, HttpClient } from 'selenium-webdriver/http/index.js';

export const buildDir = path.resolve(process.env.PAGE_BUILD_DIR ?? new URL('../../build-web', import.meta.url).pathname);
export const pagePath = path.join(buildDir, 'chislova-redica.html');
export const pageUrl = pathToFileURL(pagePath).href;
export const engines = (process.env.PAGE_ENGINES ?? 'chromium,firefox,webkit').split(',');

const dealt = '#PuzzleForm[data-dealt]';
// A driver that has not answered a command by then will not; a browser that
// has not closed by then is killed.
const commandTimeout = 30000;
const closeWithin = 10000;

// Each browser runs in a process group of its own with everything it starts
// (puppeteer starts it so; WebKitWebDriver is started so here), by the
// group's leader. However this process ends, on a signal or at a bound's
// process.exit(), no browser outlives it.
const groups = new Set();
function endGroup(pid) {
  try {
    process.kill(-pid, 'SIGKILL');
  } catch (error) {
    if (error.code !== 'ESRCH') throw error;
  }
}
process.on('exit', () => groups.forEach(endGroup));
for (const signal of ['SIGINT', 'SIGTERM', 'SIGHUP'])
  process.on(signal, () => process.exit(128 + os.constants.signals[signal]));

// `forcedColors` starts firefox in a dark high-contrast theme (chromium's
// DevTools force colours in one tab instead).
export function launch(engine, { forcedColors = false } = {}) {
  if (engine === 'chromium')
    return PuppeteerBrowser.start(engine, {
      executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
      headless: true,
      ignoreDefaultArgs: ['--hide-scrollbars'], // draw them, as a user sees them
      args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
             '--disable-component-update', '--disable-sync', '--font-render-hinting=none'],
    });
  if (engine === 'firefox')
    return PuppeteerBrowser.start(engine, {
      browser: 'firefox',
      executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr',
      headless: true,
      extraPrefsFirefox: forcedColors ? {
        'browser.display.document_color_use': 2, 'browser.display.use_system_colors': false,
        'browser.display.background_color': '#000000', 'browser.display.foreground_color': '#ffffff',
      } : {},
    });
  if (engine === 'webkit') return WebKitBrowser.start();
  throw new Error(`no such engine: ${engine}`);
}

// What a driver lacks, said with the engine and the command; other errors as they are.
export function explained(browser, error) {
  const command = error?.missingCommand ?? /unknown command (\S+)/.exec(error?.message)?.[1];
  if (!command) return error;
  return new Error(`${browser.engine} ${browser.version}: its driver has no command ${command}`, { cause: error });
}

class PuppeteerBrowser {
  static async start(engine, options) {
    const browser = await puppeteer.launch({ ...options, protocolTimeout: commandTimeout });
    const { pid } = browser.process();
    groups.add(pid);
    try {
      return new PuppeteerBrowser(engine, browser, pid, (await browser.version()).replace(/^\w+\//, ''));
    } catch (error) {
      endGroup(pid);
      throw error;
    }
  }

  constructor(engine, browser, pid, version) {
    this.engine = engine;
    this.browser = browser;
    this.pid = pid;
    this.version = version;
    // What only chromium's DevTools can do: a slower CPU, a phone's screen.
    this.devTools = engine === 'chromium';
    this.forcedColours = true;
    this.preloads = true;
    this.touch = true;
  }

  // Opens the page and waits until the first row is dealt. `preload` runs in
  // the page before its own script; `cpuSlowdown` and `forcedColors` need DevTools.
  async open({ width = 640, height = 480, deviceScaleFactor = 1, mobile = false, preload,
               cpuSlowdown, forcedColors } = {}) {
    if (forcedColors && !this.devTools) {
      const themed = await launch(this.engine, { forcedColors });
      try {
        const tab = await themed.open({ width, height, deviceScaleFactor, mobile, preload });
        tab.close = () => themed.close();
        return tab;
      } catch (error) {
        await themed.close();
        throw error;
      }
    }
    const page = await this.browser.newPage();
    await setViewport(page, { width, height, deviceScaleFactor, isMobile: mobile && this.devTools,
                              hasTouch: mobile && this.devTools });
    const tab = new PuppeteerTab(page);
    page.on('pageerror', (error) => tab.errors.push(`pageerror: ${error.message}`));
    page.on('console', (message) => {
      if (message.type() === 'error') tab.errors.push(`console: ${message.text()}`);
    });
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      tab.requests.push(request.url());
      if (request.url() === pageUrl || request.url().startsWith('data:')) request.continue();
      else request.abort();
    });
    if (preload) await page.evaluateOnNewDocument(preload);
    if (cpuSlowdown || forcedColors) {
      const session = await page.createCDPSession();
      if (cpuSlowdown) await session.send('Emulation.setCPUThrottlingRate', { rate: cpuSlowdown });
      if (forcedColors)
        await session.send('Emulation.setEmulatedMedia', { features: [{ name: 'forced-colors', value: 'active' }] });
    }
    await tab.reload();
    return tab;
  }

  close() {
    this.closing ??= this.quit();
    return this.closing;
  }

  async quit() {
    const closed = this.browser.close().then(() => true, () => false);
    if (!await Promise.race([closed, delay(closeWithin, false, { ref: false })])) endGroup(this.pid);
    groups.delete(this.pid);
  }
}

// Puppeteer sends a screen orientation along with the viewport, which Firefox
// ESR 140's driver cannot override. The page does not depend on the
// orientation: there the viewport alone does, once the page sees it.
async function setViewport(page, viewport) {
  try {
    await page.setViewport(viewport);
  } catch (error) {
    if (!/unknown command emulation\.setScreenOrientationOverride\b/.test(error.message)) throw error;
    await page.waitForFunction((w, h, ratio) => innerWidth === w && innerHeight === h && devicePixelRatio === ratio,
                               { timeout: 5000 }, viewport.width, viewport.height, viewport.deviceScaleFactor);
  }
}

class PuppeteerTab {
  constructor(page) {
    this.page = page;
    this.errors = [];
    this.requests = [];
  }

  async seen() {
    return { errors: this.errors, requests: this.requests };
  }

  async reload() {
    await this.page.goto(pageUrl, { waitUntil: 'load' });
    await this.page.waitForSelector(dealt, { timeout: 10000 });
  }

  evaluate(fn, ...args) {
    return this.page.evaluate(fn, ...args);
  }

  waitFor(fn, ...args) {
    return this.page.waitForFunction(fn, { timeout: 5000 }, ...args);
  }

  click(x, y, count = 1) {
    return this.page.mouse.click(x, y, { count });
  }

  tap(x, y) {
    return this.page.touchscreen.tap(x, y);
  }

  press(key) {
    return this.page.keyboard.press(key);
  }

  type(text) {
    return this.page.keyboard.type(text);
  }

  screenshot() {
    return this.page.screenshot({ encoding: 'base64' });
  }

  pdf() {
    return this.page.pdf({ format: 'A4' });
  }

  close() {
    return this.page.close();
  }
}

// WebKitGTK's MiniBrowser under WebKitWebDriver, on the display the tests run
// on (run_browser_tests.sh gives them a virtual one). The driver holds one
// session at a time, so each tab has a driver of its own.
class WebKitBrowser {
  static start() {
    return new WebKitBrowser();
  }

  constructor() {
    this.engine = 'webkit';
    this.version = '';
    this.devTools = false;
    this.preloads = false;
    this.touch = false;
    this.forcedColours = false;
    this.tabs = [];
  }

  async open({ width = 640, height = 480 } = {}) {
    const driver = await WebKitDriver.start();
    let session;
    try {
      session = await WebDriver.createSession(new BoundedExecutor(new HttpClient(driver.url)), new Capabilities());
    } catch (error) {
      await driver.stop();
      throw error;
    }
    const tab = new WebKitTab(driver, session);
    this.tabs.push(tab);
    this.version = (await session.getCapabilities()).get('browserVersion');
    await tab.reload();
    // The window's size is set from outside (no smaller than the browser's
    // toolbar allows), and the page sees it a little later: take off what the
    // browser's frame uses, and wait for the page.
    const resize = async (rect) => {
      const got = await session.manage().window().setRect(rect);
      await tab.waitFor((w, h) => outerWidth === w && outerHeight === h, got.width, got.height);
    };
    await resize({ width, height });
    const inner = await session.executeScript('return [innerWidth, innerHeight]');
    await resize({ width: 2 * width - inner[0], height: 2 * height - inner[1] });
    // The page hears of a new size when it next draws a frame.
    await tab.evaluate(() => new Promise((drawn) => requestAnimationFrame(() => requestAnimationFrame(drawn))));
    return tab;
  }

  // Every tab is closed, even where closing another fails.
  async close() {
    const failed = (await Promise.allSettled(this.tabs.map((tab) => tab.close())))
      .find((result) => result.status === 'rejected');
    if (failed) throw failed.reason;
  }
}

// WebKitWebDriver in a process group of its own, with the browser it starts:
// stopping it stops them all.
class WebKitDriver {
  static async start() {
    const port = await freePort();
    const child = spawn(process.env.WEBKIT_WEBDRIVER ?? 'WebKitWebDriver', [`--port=${port}`],
                        { stdio: ['ignore', 'ignore', 'inherit'], detached: true });
    if (child.pid) groups.add(child.pid);
    const driver = new WebKitDriver(child, `http://127.0.0.1:${port}`);
    for (let tries = 0; ; ++tries) {
      try {
        const status = await fetch(`${driver.url}/status`, { signal: AbortSignal.timeout(1000) });
        if (status.ok) return driver;
        throw new Error(`its status is ${status.status}`);
      } catch (error) {
        if (tries > 100 || driver.ended) {
          await driver.stop();
          throw new Error(`WebKitWebDriver did not start: ${driver.ended ?? error}`);
        }
        await delay(50); // polling its port until it listens
      }
    }
  }

  constructor(child, url) {
    this.child = child;
    this.url = url;
    this.ended = null;
    this.exited = new Promise((resolve) => {
      child.once('exit', (code, signal) => {
        this.ended = `it exited with ${code ?? signal}`;
        resolve();
      });
      child.once('error', (error) => {
        this.ended = String(error);
        resolve();
      });
    });
  }

  async stop() {
    if (!this.child.pid) return;
    endGroup(this.child.pid);
    await this.exited;
    groups.delete(this.child.pid);
  }
}

// Each command is answered within `commandTimeout`, and one the driver does
// not know fails naming the command.
class BoundedExecutor extends Executor {
  async execute(command) {
    let timer;
    const unanswered = new Promise((resolve, reject) => {
      timer = setTimeout(() => reject(new Error(
        `WebKitWebDriver did not answer ${command.getName()} within ${commandTimeout / 1000} s`)), commandTimeout);
    });
    try {
      return await Promise.race([super.execute(command), unanswered]);
    } catch (error) {
      if (error.name === 'UnknownCommandError' || error.name === 'UnsupportedOperationError')
        error.missingCommand = command.getName();
      throw error;
    } finally {
      clearTimeout(timer);
    }
  }
}

class WebKitTab {
  constructor(driver, session) {
    this.driver = driver;
    this.session = session;
    // WebDriver runs nothing before the page's own script: errors are caught
    // from the load on, and the requests are those the page's timing lists.
    this.seenErrors = [];
    this.seenRequests = [];
    this.closed = false;
  }

  async reload() {
    await this.collect();
    await this.session.get(pageUrl);
    await this.waitFor((selector) => document.querySelector(selector) !== null, dealt);
    await this.session.executeScript(() => {
      window.pageErrors = [];
      addEventListener('error', (event) => window.pageErrors.push(`pageerror: ${event.message}`));
      addEventListener('unhandledrejection', (event) => window.pageErrors.push(`rejection: ${event.reason}`));
    });
  }

  async collect() {
    if (this.closed) return;
    const seen = await this.session.executeScript(() => ({
      errors: window.pageErrors ?? [],
      requests: performance.getEntries().map((entry) => entry.name).filter((name) => name.includes(':')),
    }));
    this.seenErrors.push(...seen.errors);
    this.seenRequests = [...new Set([...this.seenRequests, ...seen.requests])];
  }

  async seen() {
    await this.collect();
    return { errors: this.seenErrors, requests: this.seenRequests };
  }

  async evaluate(fn, ...args) {
    const result = await this.session.executeAsyncScript(
      `const done = arguments[arguments.length - 1];
       Promise.resolve((${fn}).apply(null, [...arguments].slice(0, -1))).then(done, (error) => done({ thrown: String(error) }));`,
      ...args);
    if (result && typeof result === 'object' && 'thrown' in result) throw new Error(result.thrown);
    return result;
  }

  async waitFor(fn, ...args) {
    await this.session.wait(async () => this.session.executeScript(`return (${fn}).apply(null, arguments)`, ...args),
                            5000);
  }

  click(x, y, count = 1) {
    let actions = this.session.actions().move({ x: Math.round(x), y: Math.round(y) });
    for (let i = 0; i < count; ++i) actions = actions.press().release();
    return actions.perform();
  }

  press(key) {
    const keys = { Tab: '\uE004' };
    return this.session.actions().sendKeys(keys[key] ?? key).perform();
  }

  type(text) {
    return this.session.actions().sendKeys(text).perform();
  }

  // WebKit hands out the last frame it drew: let it draw what the page holds now.
  async screenshot() {
    await this.evaluate(() => new Promise((drawn) => requestAnimationFrame(() => requestAnimationFrame(drawn))));
    return this.session.takeScreenshot();
  }

  close() {
    this.closing ??= this.quit();
    return this.closing;
  }

  async quit() {
    let failure;
    const quit = (async () => {
      await this.collect();
      this.closed = true;
      await this.session.quit();
    })().catch((error) => { failure = error; });
    await Promise.race([quit, delay(closeWithin, undefined, { ref: false })]);
    this.closed = true;
    await this.driver.stop();
    if (failure) throw failure;
  }
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}
