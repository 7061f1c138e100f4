// SPDX-License-Identifier: GPL-3.0-or-later
// Debian's chromium, headless, on the built page opened from disk: every request
// and every script error is recorded for the tests to look at.
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

export const buildDir = path.resolve(process.env.PAGE_BUILD_DIR ?? new URL('../../build-web', import.meta.url).pathname);
export const pagePath = path.join(buildDir, 'chislova-redica.html');
export const pageUrl = pathToFileURL(pagePath).href;

export async function launch() {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    ignoreDefaultArgs: ['--hide-scrollbars'], // draw them, as a user sees them
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--font-render-hinting=none'],
  });
}

// Opens the page and waits until the first row is dealt. `requests` collects
// every URL the page asks for; `errors` every uncaught error and console error.
export async function openPage(browser, { deviceScaleFactor = 1 } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width: 640, height: 480, deviceScaleFactor });
  const requests = [];
  const errors = [];
  page.on('pageerror', (error) => errors.push(`pageerror: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error') errors.push(`console: ${message.text()}`);
  });
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    requests.push(request.url());
    if (request.url() === pageUrl || request.url().startsWith('data:')) request.continue();
    else request.abort();
  });
  await page.goto(pageUrl, { waitUntil: 'load' });
  await page.waitForSelector('#PuzzleForm[data-dealt]', { timeout: 10000 });
  return { page, requests, errors };
}
