// The web page's measures, in headless chromium from a local static server:
// - load: from the navigation's start until the first window is usable (the page's
//   "mezura-ready" mark), all ten windows chosen; median of ROUNDS loads;
// - Enter: from the key until every field of the window holds its new text, 1 and 2 typed
//   in turn in each window's first field, 50 Enters each; median and slowest window;
// - size: the WebAssembly and the JavaScript the page loads, before compression.
//   node tests/web/bench.mjs SITE [ROUNDS]
import { statSync } from 'node:fs';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { serve } from './serve.mjs';

const [site, roundsArg] = process.argv.slice(2);
const rounds = Number(roundsArg || 9);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];

const server = await serve(site);
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu'],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1900, height: 1300 });
  await page.goto(server.url);
  await page.evaluate(() => localStorage.setItem('Mezura.cfg', '1\r\n'.repeat(10)));

  const loads = [];
  for (let round = 0; round < rounds; round += 1) {
    await page.setCacheEnabled(round > 0); // the first load from the server, later ones cached
    await page.reload({ waitUntil: 'load' });
    await page.waitForSelector('html[data-ready]');
    loads.push(await page.evaluate(() => performance.getEntriesByName('mezura-ready')[0].startTime));
  }
  console.log(`load to the first usable window (10 windows chosen): first ${loads[0].toFixed(0)} ms, ` +
    `median ${median(loads).toFixed(0)} ms of ${rounds}`);

  const perWindow = await page.evaluate(() => {
    const result = {};
    for (const section of document.querySelectorAll('section.window')) {
      const input = section.querySelector('input[data-field]:not([readonly])');
      if (!input) continue;
      const times = [];
      for (let i = 0; i < 50; i += 1) {
        input.value = String(1 + (i % 2));
        input.dispatchEvent(new Event('input'));
        input.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true }));
        times.push(window.mezuraLastEvent);
      }
      times.sort((a, b) => a - b);
      result[section.id.slice(4)] = times[24];
    }
    return result;
  });
  const medians = Object.values(perWindow);
  const slowest = Object.entries(perWindow).sort((a, b) => b[1] - a[1])[0];
  console.log(`Enter to every field updated: median ${median(medians).toFixed(3)} ms over the windows, ` +
    `slowest ${slowest[0]} ${slowest[1].toFixed(3)} ms`);

  const bytes = ['mezura.wasm', 'mezura.js', 'app.js', 'help/topics.js'].map((file) => statSync(join(site, file)).size);
  console.log(`WebAssembly ${bytes[0]} bytes, JavaScript ${bytes[1] + bytes[2] + bytes[3]} bytes: ` +
    `${((bytes[0] + bytes[1] + bytes[2] + bytes[3]) / 1024).toFixed(0)} KB before compression`);
} finally {
  await browser.close();
  server.close();
}
