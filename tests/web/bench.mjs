// The web page's measures, in headless chromium from a local static server:
// - load: from the navigation's start until the first window is usable (the page's
//   "mezura-ready" mark), all ten windows chosen; median of ROUNDS loads;
// - Enter: the typed text's input event and the Enter key's handler, until every field of the
//   window holds its new text, 1 and 2 typed in turn in each window's first field, the median
//   of 21 rounds of 10 Enters (timed by the round: the browser's clock is coarse); median and
//   slowest window with all ten open; the length window's with it alone open, and a plain
//   page of as many inputs whose handler writes each one's text, colour and tooltip;
// - size: the WebAssembly and the JavaScript the page loads, before compression;
// - where LIGHTHOUSE names an installed lighthouse package: its performance score of a first
//   visit (nothing kept from an earlier one), with its mobile preset (a slow phone on a slow
//   network, simulated) and its desktop preset, the site served gzipped as hosts serve it,
//   and the mobile preset served uncompressed.
//   [LIGHTHOUSE=DIR] node tests/web/bench.mjs SITE [ROUNDS]
import { execFile } from 'node:child_process';
import { statSync } from 'node:fs';
import { join } from 'node:path';
import { promisify } from 'node:util';
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

  // The typed text's input event and the Enter key's handler, timed around their dispatch: the
  // core's conversion and the page's drawing of what changed, in each window's first field.
  const enters = () => page.evaluate(() => {
    const result = {};
    for (const section of document.querySelectorAll('section.window:not([hidden])')) {
      const input = section.querySelector('input[data-field]:not([readonly])');
      if (!input) continue;
      const times = [];
      for (let round = 0; round < 21; round += 1) {
        const begin = performance.now();
        for (let i = 0; i < 10; i += 1) {
          input.value = String(1 + (i % 2));
          input.dispatchEvent(new Event('input'));
          input.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true }));
        }
        times.push((performance.now() - begin) / 10);
      }
      times.sort((a, b) => a - b);
      result[section.id.slice(4)] = { time: times[10], fields: section.querySelectorAll('input[data-field]').length };
    }
    return result;
  });
  const perWindow = await enters();
  const medians = Object.values(perWindow).map((each) => each.time);
  const slowest = Object.entries(perWindow).sort((a, b) => b[1].time - a[1].time)[0];
  console.log(`Enter to every field updated (10 windows open): median ${median(medians).toFixed(3)} ms over the ` +
    `windows, slowest ${slowest[0]} ${slowest[1].time.toFixed(3)} ms`);

  // The same Enter in the length window (the most fields) with it alone open, and beside a
  // plain page of as many inputs whose Enter handler writes each one's text, colour and
  // tooltip: the floor of any page that shows as many numbers.
  const ALONE = '1\r\n' + '0\r\n'.repeat(9);
  await page.evaluate((cfg) => localStorage.setItem('Mezura.cfg', cfg), ALONE);
  await page.reload({ waitUntil: 'load' });
  await page.waitForSelector('html[data-ready]');
  const alone = (await enters()).length;
  const fields = perWindow.length.fields;
  await page.setContent(`<!DOCTYPE html><body>${'<input type="text">'.repeat(fields)}</body>`);
  const plain = await page.evaluate(() => {
    const inputs = [...document.querySelectorAll('input')];
    inputs[0].addEventListener('keydown', (event) => {
      if (event.key !== 'Enter') return;
      const value = Number(inputs[0].value);
      inputs.forEach((input, index) => {
        const text = String(value * (index + 1.37));
        input.value = text;
        input.style.backgroundColor = index % 2 ? '#ffffc0' : '#c0ffff';
        input.title = `${text} = ${index}`;
      });
    });
    const times = [];
    for (let round = 0; round < 21; round += 1) {
      const begin = performance.now();
      for (let i = 0; i < 10; i += 1) {
        inputs[0].value = String(1 + (i % 2));
        inputs[0].dispatchEvent(new Event('input'));
        inputs[0].dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true }));
      }
      times.push((performance.now() - begin) / 10);
    }
    times.sort((a, b) => a - b);
    return times[10];
  });
  const ten = perWindow.length.time;
  console.log(`Enter in the length window (${fields} fields): ${alone.time.toFixed(3)} ms with it alone open, ` +
    `${ten.toFixed(3)} ms with 10 open (${(ten / alone.time).toFixed(2)}x); a plain page of ${fields} inputs ` +
    `${plain.toFixed(3)} ms: ${(alone.time / plain).toFixed(1)}x and ${(ten / plain).toFixed(1)}x the plain page ` +
    '(target: at most 2x, flat)');

  const bytes = ['mezura.wasm', 'mezura.js', 'app.js', 'help/topics.js'].map((file) => statSync(join(site, file)).size);
  console.log(`WebAssembly ${bytes[0]} bytes, JavaScript ${bytes[1] + bytes[2] + bytes[3]} bytes: ` +
    `${((bytes[0] + bytes[1] + bytes[2] + bytes[3]) / 1024).toFixed(0)} KB before compression`);
} finally {
  await browser.close();
  server.close();
}

if (process.env.LIGHTHOUSE) {
  const chrome = process.env.CHROMIUM || '/usr/bin/chromium';
  const audit = async (url, preset) => {
    const { stdout } = await promisify(execFile)('node', [
      join(process.env.LIGHTHOUSE, 'cli/index.js'), url, '--only-categories=performance', '--output=json',
      '--quiet', '--chrome-flags=--headless=new --no-sandbox --disable-gpu', ...(preset ? [`--preset=${preset}`] : []),
    ], { env: { ...process.env, CHROME_PATH: chrome }, maxBuffer: 1 << 28 });
    const report = JSON.parse(stdout);
    const ms = (id) => `${report.audits[id].numericValue.toFixed(0)} ms`;
    return `${Math.round(report.categories.performance.score * 100)} (first contentful paint ` +
      `${ms('first-contentful-paint')}, largest ${ms('largest-contentful-paint')}, total blocking time ` +
      `${ms('total-blocking-time')}, speed index ${ms('speed-index')})`;
  };
  for (const [compress, preset, name] of [[true, '', 'mobile'], [true, 'desktop', 'desktop'], [false, '', 'mobile']]) {
    const host = await serve(site, { compress });
    try {
      console.log(`Lighthouse ${name}, ${compress ? 'gzipped' : 'uncompressed'}: ${await audit(host.url, preset)}`);
    } finally {
      host.close();
    }
  }
}
