// The web page in a real browser (Debian's chromium, headless): every window opened through
// the settings window, a value of the driver fixtures typed into each and Enter pressed; every
// field must then read what the native driver's dump of that fixture holds; a window dragged
// wider by its edge must spread its fields, which fit their numbers again. Then the choice
// of windows must come back from the browser's storage, and a phone-sized run, offline, must
// show one window at a time with fields a finger can hit. No console error, no failed or late
// request, no breach of the page's content security policy. On touch screens (a phone, a
// tablet, a phone held sideways) a swipe on a window scrolls and every control is big enough
// for a finger; quit leaves no window; the menus answer arrow keys; axe finds nothing with
// every window open. The site installs as an app, its help reads offline and dark, a new
// version replaces the kept one, and a core that cannot load is told.
//
//   node tests/web/page.mjs SITE [SHOTS]     (SHOTS: a folder for one screenshot per window)
import { readFileSync, mkdirSync, cpSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { serve } from './serve.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const fixtures = join(here, '..', 'driver');
const [site, shots] = process.argv.slice(2);
if (!site) {
  console.error('usage: node tests/web/page.mjs SITE [SHOTS]');
  process.exit(2);
}

// Each window with the fixture whose first Enter it replays.
const cases = [
  ['length', 'length-inch'],
  ['square', 'square-tsubo'],
  ['cubic', 'cubic-litre'],
  ['weight', 'weight-pound'],
  ['velocity', 'velocity-kmh'],
  ['press', 'press-atmosphere'],
  ['heat', 'heat-enter'],
  ['temp', 'temp-enter'],
  ['radio', 'radio-curie'],
  ['year', 'year-reiwa'],
];
const YEAR = 2026; // the calendar fixtures' year
const FINGER = 44; // px each way of a control on a touch screen
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

let failures = 0;
function check(ok, what) {
  if (!ok) {
    failures += 1;
    console.error(`FAIL ${what}`);
  }
}

// The fixture's first Enter ({ field, text }) and its first dump of the window (key -> value).
function fixture(window, name) {
  const script = readFileSync(join(fixtures, `${name}.script`), 'utf8').split('\n');
  const enter = script.map((line) => line.match(/^enter (\w+)\.(\w+) (.*)$/)).find(Boolean);
  const year = script.map((line) => line.match(/^year (\d+)$/)).find(Boolean);
  check(!year || Number(year[1]) === YEAR, `${name}: the page's test runs in ${YEAR}`);
  check(enter && enter[1] === window, `${name}: an Enter in ${window}`);
  const dump = new Map();
  let dumps = 0;
  for (const line of readFileSync(join(fixtures, `${name}.expected`), 'utf8').split('\n')) {
    if (line.startsWith(`${window}.visible=`) && ++dumps > 1) break;
    const equals = line.indexOf('=');
    if (line.startsWith(`${window}.`) && equals > 0) dump.set(line.slice(window.length + 1, equals), line.slice(equals + 1));
  }
  return { field: enter[2], text: enter[3], dump };
}

// A page of the site (app: the unit conversion page, which is waited for until it is ready;
// after that, every request is a fault) and what went wrong in it.
async function open(browser, url, viewport, offline = false, app = true) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  await page.setOfflineMode(offline);
  const problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warn') problems.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('requestfailed', (request) => problems.push(`failed request: ${request.url()}`));
  page.on('response', (response) => {
    if (response.status() >= 400) problems.push(`HTTP ${response.status()}: ${response.url()}`);
  });
  let ready = false;
  page.on('request', (request) => {
    if (ready && !request.url().endsWith('/sw.js')) problems.push(`request after load: ${request.url()}`);
  });
  // The calendar counts from the fixtures' year; what the content security policy refused
  // is kept in the page.
  await page.evaluateOnNewDocument((year) => {
    Date.prototype.getFullYear = () => year;
    window.mezuraRefused = [];
    document.addEventListener('securitypolicyviolation', (event) => {
      window.mezuraRefused.push(`${event.violatedDirective} ${event.blockedURI}`);
    });
  }, YEAR);
  await page.goto(url, { waitUntil: 'load' });
  if (!app) return { page, problems };
  await page.waitForSelector('html[data-ready]', { timeout: 10000 }).catch((error) => {
    throw new Error(`${error.message}\n${problems.join('\n')}`);
  });
  ready = true;
  return { page, problems };
}

// Types `text` into a field as the user does (its old text selected, then replaced) and
// presses Enter; answers every field of the window by name, the gauge's value and captions.
async function enter(page, window, field, text) {
  const selector = `#${window}-${field}`;
  await page.focus(selector);
  await page.$eval(selector, (input) => input.select());
  await page.keyboard.type(text);
  await page.keyboard.press('Enter');
  return page.$eval(`#win-${window}`, (section) => {
    const shown = {};
    for (const input of section.querySelectorAll('input[data-field]')) shown[input.dataset.field] = input.value;
    const gauge = section.querySelector('input.gauge');
    if (gauge) shown.value = gauge.value;
    for (const caption of section.querySelectorAll('.caption')) shown[caption.id.split('-')[1]] = caption.textContent;
    return shown;
  });
}

// axe's violations on the page as it stands, as "rule: element" lines.
async function axeViolations(page) {
  // Once a field's flash is over: while it runs, a field's colours are the flash's.
  await page.evaluate(() => Promise.all(document.getAnimations().map((animation) => animation.finished)));
  await page.evaluate(axeSource);
  return page.evaluate(async () => {
    const { violations } = await window.axe.run(document, { resultTypes: ['violations'] });
    return violations.flatMap((violation) => violation.nodes.map((node) => `${violation.id}: ${node.target.join(' ')}`));
  });
}

// The controls that show and are smaller than a finger either way (a check box by its label,
// which takes the touch too).
function smallControls(page) {
  return page.$$eval('button, input, select, a[href], [role="menuitem"]', (controls, finger) => controls.map((control) => {
    const target = control.type === 'checkbox' && control.closest('label') ? control.closest('label') : control;
    const { width, height } = target.getBoundingClientRect();
    return { name: control.id || control.textContent.trim(), width, height };
  }).filter(({ width, height }) => width > 0 && height > 0 && (width < finger || height < finger))
    .map(({ name, width, height }) => `${name} ${Math.round(width)}x${Math.round(height)}`), FINGER);
}

// How far the page scrolls when a finger swipes up from the middle of `selector`'s element.
async function swipe(page, selector) {
  await page.evaluate(() => window.scrollTo(0, 0));
  const box = await (await page.$(selector)).boundingBox();
  const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
  await page.touchscreen.touchStart(x, y);
  for (let step = 1; step <= 10; step += 1) await page.touchscreen.touchMove(x, y - 15 * step);
  await page.touchscreen.touchEnd();
  await new Promise((resolve) => { setTimeout(resolve, 200); });
  return page.evaluate(() => window.scrollY);
}
const swipes = [['a field\'s caption', '#win-length .unit > label'], ['the title bar', '#win-length .titlebar h2']];

// Which window a phone shows.
const phoneShows = (page) => page.$$eval('.window', (sections) => sections
  .filter((section) => section.getBoundingClientRect().height > 0).map((section) => section.id).join());

// What the page's content security policy refused since the page loaded.
async function refused(page, where) {
  const list = await page.evaluate(() => window.mezuraRefused);
  check(list.length === 0, `${where}: the content security policy refused ${list.join(', ')}`);
}

// The contrast of two CSS colours "rgb(r, g, b)", as the accessibility guidelines count it.
function contrast(one, other) {
  const luminance = (colour) => {
    const [r, g, b] = colour.match(/[\d.]+/g).slice(0, 3).map((value) => {
      const c = Number(value) / 255;
      return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  const [light, dark] = [luminance(one), luminance(other)].sort((a, b) => b - a);
  return (light + 0.05) / (dark + 0.05);
}

const server = await serve(site);
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--lang=ja'],
});
try {
  // A first start shows the settings window alone; all ten ticked and OK open every window.
  const desk = await open(browser, server.url, { width: 1900, height: 1300 });
  const { page } = desk;
  check(await page.$eval('#win-config', (section) => !section.hidden), 'the settings window shows at the first start');
  for (let i = 1; i <= cases.length; i += 1) await page.click(`#config-check${i}`);
  await page.click('#config-Command1');
  check(await page.evaluate(() => document.activeElement === document.querySelector('#win-length input[data-field]')),
    'after OK the focus is not in the first field of the first window opened');
  for (const [window, name] of cases) {
    const { field, text, dump } = fixture(window, name);
    check(await page.$eval(`#win-${window}`, (section) => !section.hidden), `${window}: open after OK`);
    const shown = await enter(page, window, field, text);
    for (const [key, expected] of dump) {
      if (key in shown) check(shown[key] === expected, `${window}.${key}: "${shown[key]}", the driver "${expected}"`);
    }
    const fields = await page.$$eval(`#win-${window} input[data-field]`, (inputs) => inputs.length);
    check(fields > 0 && [...dump.keys()].filter((key) => /^txt/.test(key)).length === fields,
      `${window}: every field compared`);
    if (shots) {
      mkdirSync(shots, { recursive: true });
      const section = await page.$(`#win-${window}`);
      await section.screenshot({ path: join(shots, `${window}.png`) });
    }
  }
  // Numbers too wide for their fields, at 1280x800, after 1 and after a number of many digits
  // in each window's first unit: each field shows its whole text (a point smaller at most),
  // or over it a form of its number that reads as the number rounded at its last digit,
  // marked where its value differs, with at least 5 significant digits; "…" only ends a text
  // that is no number; never a text cut without either. The field typed into shows the same
  // after Enter, and its own text again at the next key.
  await page.setViewport({ width: 1280, height: 800 });
  let fewest = Infinity;
  for (const [window] of cases) {
    const first = await page.$eval(`#win-${window} input[data-field]:not([readonly])`, (input) => input.dataset.field);
    for (const text of ['1', '123456789.123456789']) {
      await enter(page, window, first, text);
      const fields = await page.$$eval(`#win-${window} input[data-field]`, (inputs) => inputs.map((input) => {
        const style = getComputedStyle(input);
        const ruler = document.body.appendChild(document.createElement('span'));
        ruler.style.whiteSpace = 'pre';
        ruler.style.font = style.font;
        ruler.textContent = input.value;
        const width = ruler.getBoundingClientRect().width;
        ruler.remove();
        const span = input.shown.firstChild;
        const shownStyle = getComputedStyle(input.shown);
        return {
          id: input.id, value: input.value, title: input.title, focused: document.activeElement === input,
          fits: width <= input.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight),
          overlaid: !input.shown.hidden, shown: span.textContent, whole: span.scrollWidth <= span.clientWidth,
          digits: Number(input.shown.dataset.digits),
          points: parseFloat(shownStyle.fontSize) * 0.75, designed: parseFloat(style.fontSize) * 0.75,
          mark: getComputedStyle(input.shown, '::after').borderRightWidth,
          transparent: style.color === 'rgba(0, 0, 0, 0)',
        };
      }));
      for (const field of fields) {
        const where = `${field.id} "${field.value}" after ${text} shows "${field.shown}"`;
        check(field.title.includes(field.value), `${where}: the tooltip lacks the whole text`);
        if (!field.overlaid) {
          check(field.fits, `${where.replace(/shows.*/, '')}: cut without a mark${field.focused ? ' after Enter' : ''}`);
          continue;
        }
        check(field.transparent && field.points >= field.designed - 1, `${where}: at ${field.points} pt over the field's text`);
        const number = /^\s*[-+]?(\d+\.?\d*|\.\d+)([ED][-+]?\d+)?\s*$/i.test(field.value);
        if (field.shown === field.value) {
          check(field.whole || !number, `${where}: a number cut`);
          continue;
        }
        const exact = Number(field.value.trim().replace(/d/i, 'e'));
        const value = Number(field.shown);
        const { digits } = field;
        const step = 10 ** (Math.floor(Math.log10(Math.abs(value))) - digits + 1);
        check(number && field.whole && Math.abs(value - exact) <= step / 2 + Math.abs(exact) * 1e-15,
          `${where}: not the number rounded to ${digits} digits`);
        check((field.mark === '6px') === (value !== exact), `${where}: ${field.mark === '6px' ? 'marked' : 'no mark'}`);
        if (value !== exact) fewest = Math.min(fewest, digits);
        check(value === exact || digits >= 5, `${where}: fewer than 5 significant digits`);
      }
    }
    // The next key makes the field typed into show its own text again.
    const field = `#${window}-${first}`;
    await page.keyboard.press('ArrowLeft');
    check(await page.$eval(field, (input) => input.shown.hidden && !input.classList.contains('overlaid')),
      `${field}: a key after Enter does not show the text being edited`);
  }
  console.log(`web page: the fewest significant digits shown at 1280x800: ${fewest}`);
  check(fewest < Infinity, 'no number was rounded');
  await page.setViewport({ width: 1900, height: 1300 });
  if (shots) {
    // The page as far as its windows reach, each window after a number of many digits in its
    // first unit: numbers rounded to fit and marked, and a note where the value was refused.
    const [width, height] = await page.$$eval('.window:not([hidden])', (sections) => [
      Math.max(...sections.map((section) => section.getBoundingClientRect().right)) + 8,
      Math.max(...sections.map((section) => section.getBoundingClientRect().bottom)) + 8]);
    await page.screenshot({ path: join(shots, 'desktop.png'), clip: { x: 0, y: 0, width, height } });
  }

  // A field's caption stands whole above its field, as far up as the window's top.
  const covered = await page.$$eval('.window:not([hidden]) .unit > label', (labels) => labels.filter((label) => {
    const line = label.getBoundingClientRect().top + parseFloat(getComputedStyle(label).lineHeight);
    return line > label.control.getBoundingClientRect().top + 0.05
      || label.getBoundingClientRect().top < label.closest('.client').getBoundingClientRect().top;
  }).map((label) => label.control.id));
  check(covered.length === 0, `captions that run into their fields: ${covered.join(' ')}`);

  // The window's note: after an Enter that read the text in part or not at all, or put another
  // value in its place, a line under the window's fields names the text and tells what became
  // of it, for screen readers too (a polite live region that describes the field typed into,
  // which is marked invalid); the window keeps its width, and the next edit takes the note away.
  const notes = [
    ['length', 'txtC3', '1,000', '「1,000」は 1 として換算しました。'],
    ['length', 'txtC3', 'abc', '「abc」は数値として読めないため 0 として換算しました。'],
    ['length', 'txtC3', '2000', '「2000」は範囲（1000km まで）の外なので 0 に戻しました。'],
    // A year within the ruler first: a year beyond it is changed only when the gauge moves.
    ['year', 'txtW1', '5000', '「5000」は範囲（西暦 0〜3000 年）の外なので 3000 にしました。', '2026'],
    ['temp', 'txtCels', '-300', '「-300」は絶対零度より低いので -273.15 にしました。'],
  ];
  const noteOf = (window, field) => page.$eval(`#win-${window}`, (section, name) => {
    const line = section.querySelector('.windownote');
    const input = section.querySelector(`input[data-field="${name}"]`);
    const box = line.getBoundingClientRect();
    const frame = section.getBoundingClientRect();
    return {
      text: line.textContent, role: line.getAttribute('role'), live: line.getAttribute('aria-live'),
      invalid: input.getAttribute('aria-invalid'), describedBy: input.getAttribute('aria-describedby'),
      id: line.id, height: box.height, whole: box.bottom <= frame.bottom && box.top >= frame.top,
      below: box.top >= section.querySelector('.client').getBoundingClientRect().bottom - 0.5,
      width: frame.width, marked: section.querySelectorAll('[aria-invalid]').length,
    };
  }, field);
  for (const [window, field, text, sentence, first] of notes) {
    if (first) await enter(page, window, field, first);
    const before = await noteOf(window, field);
    await enter(page, window, field, text);
    const shown = await noteOf(window, field);
    const where = `${window}.${field} "${text}"`;
    check(shown.text === sentence, `${where}: the note "${shown.text}"`);
    check(shown.role === 'status' && shown.live === 'polite', `${where}: the note is no polite live region`);
    check(shown.invalid === 'true' && shown.describedBy === shown.id && shown.marked === 1,
      `${where}: the field is not marked invalid and described by the note`);
    check(shown.height > 0 && shown.whole && shown.below, `${where}: the note does not show whole below the fields`);
    check(shown.width === before.width, `${where}: the window went from ${before.width} to ${shown.width} px wide`);
    await page.keyboard.type('1');
    const after = await noteOf(window, field);
    check(after.text === '' && after.height === 0 && after.invalid === null && after.describedBy === null,
      `${where}: the note stays after the next edit`);
  }

  // Every field and the gauge have a name for screen readers; the keyboard is numeric.
  const unnamed = await page.$$eval('input', (inputs) => inputs
    .filter((input) => input.labels.length === 0 && !input.getAttribute('aria-label')).map((input) => input.id));
  check(unnamed.length === 0, `controls without a name: ${unnamed.join(' ')}`);
  const violations = await axeViolations(page);
  check(violations.length === 0, `axe with every window open:\n${violations.join('\n')}`);

  // The menus by keys: one title of a menu bar is a tab stop; each key, then where the focus
  // is (a title of the bar or an item of an open menu) and which menu is open.
  const menuKeys = [
    ['ArrowRight', 'title 表示', ''],
    ['ArrowLeft', 'title 他の単位', ''],
    ['ArrowLeft', 'title 終了', ''],
    ['Home', 'title 他の単位', ''],
    ['ArrowDown', 'item 長さ', '他の単位'],
    ['ArrowUp', 'item 設定', '他の単位'],
    ['ArrowDown', 'item 長さ', '他の単位'],
    ['End', 'item 設定', '他の単位'],
    ['Home', 'item 長さ', '他の単位'],
    ['ArrowRight', 'title 表示', ''],
    ['ArrowRight', 'title ヘルプ', ''],
    ['ArrowUp', 'item 長さ', 'ヘルプ'],
    ['ArrowLeft', 'title 表示', ''],
    ['End', 'title 終了', ''],
    ['Home', 'title 他の単位', ''],
    ['ArrowDown', 'item 長さ', '他の単位'],
    ['Escape', 'title 他の単位', ''],
    ['ArrowDown', 'item 長さ', '他の単位'],
    ['Tab', 'none', ''],
  ];
  await page.focus('#win-length nav [role="menuitem"][tabindex="0"]');
  for (const [index, [key, focus, open]] of menuKeys.entries()) {
    await page.keyboard.press(key);
    const [where, opened, stops, expanded] = await page.$eval('#win-length nav', (nav) => {
      const active = document.activeElement;
      const kind = active.closest('[role="menu"]') ? 'item' : 'title';
      const menus = [...nav.querySelectorAll('[role="menu"]')].filter((menu) => !menu.hidden);
      return [nav.contains(active) ? `${kind} ${active.textContent}` : 'none',
        menus.map((menu) => menu.getAttribute('aria-label')).join(),
        nav.querySelectorAll('[role="menubar"] > * > [tabindex="0"]').length,
        [...nav.querySelectorAll('[aria-expanded="true"]')].map((title) => title.textContent).join()];
    });
    const step = `menu keys, step ${index + 1} (${key})`;
    check(where === focus && opened === open && expanded === open, `${step}: ${where}, open "${opened}", expanded "${expanded}"`);
    check(stops === 1, `${step}: ${stops} tab stops in the menu bar`);
  }

  // The settings window asked for in a window takes the focus; Escape hides it and gives the
  // focus back to that window's first field.
  await page.click('#win-temp nav [aria-haspopup]');
  await page.click('#win-temp nav [data-item="mnuH3"]');
  const inSettings = await page.evaluate(() => document.activeElement.id);
  await page.keyboard.press('Escape');
  const back = await page.evaluate(() => document.activeElement === document.querySelector('#win-temp input[data-field]'));
  check(inSettings === 'config-check1' && back, `the settings window's focus: ${inSettings}, then back: ${back}`);

  // The title bar still moves a window on a wide screen.
  const bar = await (await page.$('#win-temp .titlebar h2')).boundingBox();
  const before = await (await page.$('#win-temp')).boundingBox();
  await page.mouse.move(bar.x + 10, bar.y + 5);
  await page.mouse.down();
  await page.mouse.move(bar.x + 40, bar.y + 25, { steps: 3 });
  await page.mouse.up();
  const moved = await (await page.$('#win-temp')).boundingBox();
  check(moved.x === before.x + 30 && moved.y === before.y + 20,
    `the title bar moved the window from ${before.x},${before.y} to ${moved.x},${moved.y}`);
  // The length window's right edge dragged half its width to the right: the window and each
  // of its fields are half as wide again, its height stays, and its fields are fitted to
  // their new room, more of them showing their whole number at the page's type size.
  const measure = () => page.$eval('#win-length', (section) => {
    const client = section.querySelector('.client');
    const inputs = [...section.querySelectorAll('input[data-field]')];
    const ruler = document.body.appendChild(document.createElement('span'));
    ruler.style.whiteSpace = 'pre';
    ruler.style.font = getComputedStyle(client).font;
    const whole = inputs.filter((input) => {
      ruler.textContent = input.value;
      return ruler.getBoundingClientRect().width <= input.clientWidth - 4; // its padding
    }).length;
    ruler.remove();
    // The significant digits that all fields show together, whole or rounded.
    const digits = inputs.reduce((sum, input) => sum + (input.shown.hidden
      ? input.value.split('E')[0].replace(/[^0-9]/g, '').replace(/^0+/, '').length
      : Number(input.shown.dataset.digits)), 0);
    return {
      digits,
      width: client.getBoundingClientRect().width, height: section.getBoundingClientRect().height,
      fields: inputs.map((input) => [input.id, input.getBoundingClientRect().left - client.getBoundingClientRect().left,
        input.getBoundingClientRect().width]),
      whole,
    };
  });
  await enter(page, 'length', 'txtC1', '1.23456789123456789');
  const narrow = await measure();
  const grip = await (await page.$('#win-length .grip')).boundingBox();
  const [gripX, gripY] = [grip.x + grip.width / 2, grip.y + grip.height / 2];
  await page.mouse.move(gripX, gripY);
  await page.mouse.down();
  await page.mouse.move(gripX + narrow.width / 2, gripY, { steps: 4 });
  await page.mouse.up();
  const widened = await measure();
  check(Math.abs(widened.width - 1.5 * narrow.width) < 1 && widened.height === narrow.height,
    `the widened window: ${narrow.width} x ${narrow.height} px became ${widened.width} x ${widened.height} px`);
  const unspread = narrow.fields.filter(([, left, width], index) => Math.abs(widened.fields[index][1] - 1.5 * left) > 1
    || Math.abs(widened.fields[index][2] - 1.5 * width) > 1).map(([id]) => id);
  check(unspread.length === 0, `fields not spread with their window: ${unspread.join(' ')}`);
  check(widened.whole >= narrow.whole && widened.digits > narrow.digits,
    `whole numbers and digits in the widened window: ${narrow.whole} and ${narrow.digits}, then ${widened.whole} and ${widened.digits}`);
  // Fitted again to their new room: no form drawn over a field is wider than the field, and
  // after 1 and after a number of many digits every rounded field shows 8 digits or more.
  const overflowing = () => page.$$eval('#win-length input[data-field]', (inputs) => inputs
    .filter((input) => !input.shown.hidden && input.shown.firstChild.scrollWidth > input.shown.firstChild.clientWidth)
    .map((input) => input.id));
  const refitted = await overflowing();
  check(refitted.length === 0, `widened fields not fitted again: ${refitted.join(', ')}`);
  let fewestWide = Infinity;
  for (const text of ['1', '123456789.123456789']) {
    await enter(page, 'length', 'txtC1', text);
    const digits = await page.$$eval('#win-length input[data-field]', (inputs) => inputs
      .filter((input) => !input.shown.hidden && input.shown.firstChild.textContent !== input.value)
      .map((input) => Number(input.shown.dataset.digits)));
    fewestWide = Math.min(fewestWide, ...digits);
    check((await overflowing()).length === 0, `widened fields drawn wider than their room after ${text}`);
  }
  console.log(`web page: the fewest significant digits in the length window widened 1.5 times: ${fewestWide}`);
  check(fewestWide >= 8, `fewer than 8 significant digits in the widened length window: ${fewestWide}`);

  // Dark mode: the page's and the windows' faces dark; every field's text on the field's own
  // colour, and every caption, check box and menu on its window's face, 4.5:1 or more.
  await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: 'dark' }]);
  // Measured after the flash of fields reset by the last Enter.
  await page.evaluate(() => Promise.all(document.getAnimations().map((animation) => animation.finished)));
  const dark = await page.evaluate(() => {
    const ground = (node) => {
      for (; node; node = node.parentElement) {
        const colour = getComputedStyle(node).backgroundColor;
        if (colour !== 'rgba(0, 0, 0, 0)') return colour;
      }
      return 'rgb(255, 255, 255)';
    };
    const pairs = [...document.querySelectorAll('.window:not([hidden]) input[data-field]')].map((input) => [
      input.id, getComputedStyle(input.shown.hidden ? input : input.shown).color, getComputedStyle(input).backgroundColor]);
    const words = '.window:not([hidden]) :is(.unit > label, .caption, .check, .box span, .menubar button)';
    for (const node of document.querySelectorAll(words)) {
      pairs.push([node.id || node.textContent, getComputedStyle(node).color, ground(node)]);
    }
    return { face: ground(document.querySelector('.window .client')), page: ground(document.getElementById('desk')), pairs };
  });
  check(contrast(dark.face, 'rgb(255, 255, 255)') >= 4.5 && contrast(dark.page, 'rgb(255, 255, 255)') >= 4.5,
    `dark mode: the windows' face ${dark.face} and the page ${dark.page} are not dark`);
  const faint = dark.pairs.filter(([, ink, ground]) => contrast(ink, ground) < 4.5);
  check(faint.length === 0, `dark mode: text under 4.5:1 ${faint.map((pair) => pair.join(' on ')).join(', ')}`);
  console.log(`web page: dark mode, ${dark.pairs.length} texts, the least contrast ${Math.min(
    ...dark.pairs.map(([, ink, ground]) => contrast(ink, ground))).toFixed(1)}:1`);
  if (shots) {
    await page.setViewport({ width: 1280, height: 800 });
    await page.screenshot({ path: join(shots, 'dark.png') });
    await page.setViewport({ width: 1900, height: 1300 });
  }
  await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: 'light' }]);
  // The page ran all of this under its content security policy, which allows the site's own
  // files and the compiling of WebAssembly, nothing inline, nothing evaluated.
  const policy = await page.$eval('meta[http-equiv="Content-Security-Policy"]', (meta) => meta.content);
  check(policy.includes("'wasm-unsafe-eval'") && !/unsafe-inline|'unsafe-eval'/.test(policy), `the policy: ${policy}`);
  await refused(page, 'the page');

  // "?" opens the window's help page, a static page of the site.
  const [help] = await Promise.all([
    browser.waitForTarget((target) => target.url().endsWith('/help/temp.htm'), { timeout: 5000 }).catch(() => null),
    page.click('#win-temp button[aria-label="ヘルプを開く"]'),
  ]);
  check(help !== null, 'the temperature window\'s "?" opens help/temp.htm');
  if (help) await (await help.page()).close();
  check(desk.problems.length === 0, desk.problems.join('\n'));

  // The next visit opens the windows chosen: the choice was kept as the settings file.
  const stored = await page.evaluate(() => localStorage.getItem('Mezura.cfg'));
  check(stored === '1\r\n'.repeat(10), `the stored choice: ${JSON.stringify(stored)}`);
  await page.evaluate(() => navigator.serviceWorker.ready);
  // Installable as an app: the manifest names the program in Japanese with the program's own
  // icons (as the desktop program installs them) and the bar's colour.
  const session = await page.createCDPSession();
  const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
  check(installabilityErrors.length === 0,
    `not installable: ${installabilityErrors.map((error) => error.errorId).join(', ')}`);
  const manifest = JSON.parse(readFileSync(join(site, 'manifest.webmanifest'), 'utf8'));
  check(manifest.name === 'ヨモギの単位計算' && manifest.theme_color && manifest.display === 'standalone',
    `the manifest: ${manifest.name}, ${manifest.theme_color}, ${manifest.display}`);
  for (const icon of manifest.icons) {
    const drawn = readFileSync(join(site, icon.src));
    const size = icon.type === 'image/png' ? `${drawn.readUInt32BE(16)}x${drawn.readUInt32BE(20)}` : 'any';
    check(size === icon.sizes && (size !== 'any' || drawn.includes('<svg')), `the icon ${icon.src}: ${size}`);
  }
  await page.close();

  // A phone, offline: one window at a time from the list, fields at least 44 px tall.
  const phone = await open(browser, server.url, { width: 360, height: 740, isMobile: true, hasTouch: true }, true);
  const small = phone.page;
  check(await small.$$eval('.window:not([hidden])', (sections) => sections.length) === 11,
    'the next visit opens the chosen windows');
  check(await phoneShows(small) === 'win-length', `the phone opens on ${await phoneShows(small)}, not the first chosen`);
  for (const [where, selector] of swipes) {
    const scrolled = await swipe(small, selector);
    check(scrolled > 50, `phone: a swipe on ${where} scrolled ${scrolled} px`);
  }
  await small.select('#picker', 'temp');
  const visible = await small.$$eval('.window', (sections) => sections
    .filter((section) => section.getBoundingClientRect().height > 0).map((section) => section.id));
  check(visible.join() === 'win-temp', `the phone shows one window: ${visible.join()}`);
  const short = await small.$$eval('#win-temp input[data-field]', (inputs) => inputs
    .filter((input) => input.getBoundingClientRect().height < 44 || input.inputMode !== 'decimal').map((input) => input.id));
  check(short.length === 0, `phone fields too short or not decimal: ${short.join(' ')}`);
  check(await small.$eval('#win-temp .grip', (grip) => grip.getBoundingClientRect().width === 0),
    'the phone shows a grip to widen the window');
  const width = await small.evaluate(() => document.documentElement.scrollWidth);
  check(width <= 360, `the phone page is ${width} px wide`);
  // A phone's Japanese keyboard types full-width digits, which read as on the desktop.
  const temp = fixture('temp', 'temp-enter');
  const wide = temp.text.replace(/[0-9]/g, (digit) => String.fromCharCode(digit.charCodeAt(0) + 0xfee0));
  await small.tap(`#temp-${temp.field}`);
  const shown = await enter(small, 'temp', temp.field, wide);
  for (const field of ['txtFahr', 'txtKervin']) {
    check(shown[field] === temp.dump.get(field), `phone temp.${field} after "${wide}": "${shown[field]}"`);
  }
  if (shots) await small.screenshot({ path: join(shots, 'phone.png') });
  check(phone.problems.length === 0, phone.problems.join('\n'));
  await small.close();

  // The help on the phone, offline, read again from what the worker kept: worded for the web,
  // its pictures within the screen, the links of the contents and the index 24 px tall or
  // more for a finger; dark where the system asks, with its text 4.5:1 or more.
  const helpPages = ['help/common.htm', 'help/cubic.htm', 'help/contents.html', 'help/keywords.html'];
  const reader = await open(browser, `${server.url}${helpPages[0]}`, { width: 360, height: 740, isMobile: true, hasTouch: true },
    true, false);
  await reader.page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: 'dark' }]);
  for (const file of helpPages) {
    await reader.page.goto(`${server.url}${file}`, { waitUntil: 'load' });
    await reader.page.reload({ waitUntil: 'load' });
    const help = await reader.page.evaluate(() => ({
      title: document.title,
      text: document.body.innerText,
      pictures: [...document.images].filter((image) => image.naturalWidth === 0
        || image.getBoundingClientRect().right > document.documentElement.clientWidth).map((image) => image.src),
      short: [...document.querySelectorAll('nav.site a, li a')].filter((link) => link.getBoundingClientRect().height < 24)
        .map((link) => link.textContent),
      width: document.documentElement.scrollWidth,
      ink: getComputedStyle(document.body).color,
      ground: getComputedStyle(document.body).backgroundColor,
    }));
    check(help.title.length > 0 && help.text.includes('目次'), `${file} offline: "${help.title}"`);
    const desktop = ['Mezura.chm', 'Mezura.cfg', '右クリック', 'フォルダー', '@PROJECT_VERSION@'].filter((word) => help.text.includes(word));
    check(desktop.length === 0, `${file} speaks of ${desktop.join(', ')}`);
    check(file !== helpPages[0] || help.text.includes('ブラウザーの保存領域'), `${file}: where the choice is kept`);
    check(help.pictures.length === 0 && help.width <= 360, `${file}: ${help.width} px wide, pictures ${help.pictures.join(' ')}`);
    check(help.short.length === 0, `${file}: links under 24 px tall: ${help.short.slice(0, 5).join(', ')}`);
    check(contrast(help.ground, 'rgb(255, 255, 255)') >= 4.5 && contrast(help.ink, help.ground) >= 4.5,
      `${file} in dark mode: ${help.ink} on ${help.ground}`);
    await refused(reader.page, file);
  }
  check(reader.problems.length === 0, reader.problems.join('\n'));
  await reader.page.close();

  // A new version of the site at the same address replaces the kept one at the next visit:
  // the worker keeps the new files alone, and offline the page and the help are the new ones.
  const next = mkdtempSync(join(tmpdir(), 'mezura-site-'));
  cpSync(site, next, { recursive: true });
  const mark = '<!-- the next version -->';
  for (const file of ['index.html', 'help/temp.htm']) {
    const path = join(next, file);
    writeFileSync(path, readFileSync(path, 'utf8').replace('<head>', `<head>${mark}`));
  }
  const worker = join(next, 'sw.js');
  writeFileSync(worker, readFileSync(worker, 'utf8').replace(/^const VERSION = .*$/m, "const VERSION = 'next';"));
  server.use(next);
  try {
    const visit = (await open(browser, server.url, { width: 1280, height: 800 })).page;
    const kept = await visit.waitForFunction(async () => (await caches.keys()).join() === 'mezura-next',
      { timeout: 10000, polling: 200 }).then(() => 'mezura-next').catch(() => visit.evaluate(() => caches.keys()));
    check(kept === 'mezura-next', `kept after the new version's visit: ${kept}`);
    await visit.setOfflineMode(true);
    for (const file of ['', 'help/temp.htm']) {
      await visit.goto(`${server.url}${file}`, { waitUntil: 'load' });
      check((await visit.content()).includes(mark), `offline after the new version: /${file} is the old one`);
    }
    await visit.close();
  } finally {
    server.use(site);
    rmSync(next, { recursive: true, force: true });
  }

  // A core that cannot load is told within 5 s, with what to do: where the browser refuses to
  // compile WebAssembly (a policy without 'wasm-unsafe-eval') and where mezura.wasm is missing.
  const page0 = readFileSync(join(site, 'index.html'), 'utf8');
  const blocks = [
    ['a policy that forbids WebAssembly', (url) => url === server.url && page0.replace(" 'wasm-unsafe-eval'", '')],
    ['mezura.wasm missing', (url) => url.endsWith('/mezura.wasm') && 'missing'],
  ];
  for (const [what, block] of blocks) {
    const context = await browser.createBrowserContext(); // no worker, no kept files
    const blocked = await context.newPage();
    await blocked.setRequestInterception(true);
    blocked.on('request', (request) => {
      const answer = block(request.url());
      if (answer === 'missing') request.respond({ status: 404, body: '' });
      else if (answer) request.respond({ status: 200, contentType: 'text/html; charset=utf-8', body: answer });
      else request.continue();
    });
    const begin = Date.now();
    await blocked.goto(server.url, { waitUntil: 'domcontentloaded' });
    const after = await blocked.waitForSelector('#failed:not([hidden])', { timeout: 5000 })
      .then(() => Date.now() - begin).catch(() => null);
    check(after !== null, `${what}: no message within 5 s`);
    if (after !== null) {
      const told = await blocked.evaluate(() => ({
        text: document.getElementById('failed').innerText, role: document.getElementById('failed').getAttribute('role'),
        loading: document.getElementById('loading').hidden, focused: document.activeElement.id,
      }));
      check(told.text.includes('読み込めませんでした') && told.text.includes('読み込み直して') && told.role === 'alert'
        && told.loading && told.focused === 'reload', `${what}: ${JSON.stringify(told)}`);
      console.log(`web page: ${what}, told after ${after} ms`);
    }
    await context.close();
  }

  // A damaged stored choice is told, and the settings window shows to choose again.
  const damaged = await browser.newPage();
  await damaged.goto(server.url);
  await damaged.evaluate(() => localStorage.setItem('Mezura.cfg', '1\r\nx\r\n'));
  await damaged.reload();
  await damaged.waitForSelector('html[data-ready]');
  const told = await damaged.$eval('#message', (box) => (box.hidden ? '' : box.textContent));
  check(told.includes('「x」') && told.includes('ブラウザー') && !/mezura\/|Mezura\.cfg/.test(told),
    `a damaged stored choice is told in the page's words: ${told}`);
  check(await damaged.$eval('#win-config', (section) => !section.hidden), 'the settings window shows after it');
  // Choosing again and OK replace it.
  await damaged.click('#message-ok');
  await damaged.click('#config-check1');
  await damaged.click('#config-Command1');
  const replaced = await damaged.evaluate(() => localStorage.getItem('Mezura.cfg'));
  check(replaced === `1\r\n${'0\r\n'.repeat(9)}`, `the damaged choice after OK: ${JSON.stringify(replaced)}`);
  await damaged.close();

  // A phone opens on the window it showed last, or else the first one chosen; the settings
  // window only when none is. Each row: the windows chosen (1 for each of the ten), the window
  // shown last, the window the phone opens on.
  const starts = [
    ['1111111111', '', 'length'],
    ['1111111111', 'temp', 'temp'],
    ['0001000001', 'temp', 'weight'],
    ['0000000000', 'weight', 'config'],
  ];
  const restart = await browser.newPage();
  await restart.setViewport({ width: 360, height: 740, isMobile: true, hasTouch: true });
  for (const [choice, last, first] of starts) {
    await restart.goto(server.url);
    await restart.evaluate((cfg, shown) => {
      localStorage.setItem('Mezura.cfg', cfg);
      localStorage.setItem('Mezura.shown', shown);
    }, [...choice].map((tick) => `${tick}\r\n`).join(''), last);
    await restart.reload();
    await restart.waitForSelector('html[data-ready]');
    const shown = await phoneShows(restart);
    check(shown === `win-${first}`, `phone, windows ${choice} and ${last || 'none'} shown last: opens on ${shown}`);
  }
  // The first start: OK shows the first window it opened, its first field in focus; the
  // window picked from the list is kept as the one shown last.
  for (const check1 of ['#config-check3', '#config-check7']) await restart.tap(check1);
  await restart.tap('#config-Command1');
  const focused = await restart.evaluate(() => document.activeElement === document.querySelector('#win-cubic input[data-field]'));
  check(await phoneShows(restart) === 'win-cubic' && focused,
    `phone: after OK ${await phoneShows(restart)} shows, ${await restart.evaluate(() => document.activeElement.id)} in focus`);
  await restart.select('#picker', 'heat');
  check(await restart.evaluate(() => localStorage.getItem('Mezura.shown')) === 'heat', 'phone: the window shown is not kept');
  await restart.evaluate(() => {
    localStorage.setItem('Mezura.cfg', '1\r\n'.repeat(10));
    localStorage.removeItem('Mezura.shown');
  });
  await restart.close();

  // Touch screens larger than a phone: a tablet upright, a phone held sideways, every window
  // open. A swipe on a window scrolls; every control is big enough for a finger, the page no
  // wider than the screen, also with a menu open; axe finds nothing. Quit, by 終了 or by the
  // settings window's quit, leaves no window, only a finger-size offer to start again.
  const touchScreens = [
    ['tablet', { width: 768, height: 1024, isMobile: true, hasTouch: true }],
    ['landscape', { width: 740, height: 360, isMobile: true, hasTouch: true }],
  ];
  for (const [screen, viewport] of touchScreens) {
    const touch = await open(browser, server.url, viewport);
    const tab = touch.page;
    for (const [where, selector] of swipes) {
      const scrolled = await swipe(tab, selector);
      check(scrolled > 50, `${screen}: a swipe on ${where} scrolled ${scrolled} px`);
    }
    await tab.evaluate(() => window.scrollTo(0, 0));
    const windows = await tab.$$eval('#picker option', (options) => options.map((option) => option.value));
    const inPicker = await tab.$eval('#picker', (picker) => picker.getBoundingClientRect().height > 0);
    const across = await tab.$$eval('.window', (sections) => {
      const rows = new Map(); // top -> windows
      for (const box of sections.map((section) => section.getBoundingClientRect())) {
        if (box.height > 0) rows.set(box.top, (rows.get(box.top) || 0) + 1);
      }
      return Math.max(...rows.values());
    });
    if (screen === 'tablet') check(!inPicker && across >= 1 && across <= 2, `tablet: ${across} windows across`);
    for (const window of inPicker ? windows : ['']) {
      if (window) await tab.select('#picker', window);
      const small = await smallControls(tab);
      check(small.length === 0, `${screen} ${window}: controls under ${FINGER} px: ${small.join(', ')}`);
      const title = await tab.$(`${window ? `#win-${window}` : '#win-length'} nav [aria-haspopup]`);
      if (title) {
        await title.tap();
        const inMenu = await smallControls(tab);
        check(inMenu.length === 0, `${screen} ${window}: menu items under ${FINGER} px: ${inMenu.join(', ')}`);
        await tab.keyboard.press('Escape');
      }
      const wide = await tab.evaluate(() => document.documentElement.scrollWidth);
      check(wide <= viewport.width, `${screen} ${window}: the page is ${wide} px wide`);
    }
    if (screen === 'tablet') {
      const found = await axeViolations(tab);
      check(found.length === 0, `axe on the tablet:\n${found.join('\n')}`);
    }
    if (shots) {
      const [window, name] = screen === 'tablet' ? ['length', 'length-inch'] : ['temp', 'temp-enter'];
      if (inPicker) await tab.select('#picker', window);
      const { field, text } = fixture(window, name);
      await enter(tab, window, field, text);
      await tab.evaluate(() => window.scrollTo(0, 0));
      await tab.screenshot({ path: join(shots, `${screen}.png`) });
    }
    check(touch.problems.length === 0, touch.problems.join('\n'));

    const quits = [['終了', '#win-length nav [role="menubar"] > :last-child > button'], ['quit', '#config-Command3']];
    for (const [how, selector] of quits) {
      if (inPicker) await tab.select('#picker', selector.includes('config') ? 'config' : 'length');
      await tab.tap(selector);
      const ended = await tab.evaluate(() => ({
        windows: [...document.querySelectorAll('.window, .window *')].filter((node) => node.getBoundingClientRect().height > 0).length,
        said: document.getElementById('ended').getBoundingClientRect().height > 0,
        restart: (({ width, height }) => ({ width, height }))(document.getElementById('restart').getBoundingClientRect()),
        focus: document.activeElement.id,
        picker: document.getElementById('picker').getBoundingClientRect().height,
      }));
      check(ended.windows === 0 && ended.picker === 0, `${screen}, ${how}: ${ended.windows} parts of windows stay`);
      check(ended.said && ended.focus === 'restart' && ended.restart.width >= FINGER && ended.restart.height >= FINGER,
        `${screen}, ${how}: the offer to start again (${ended.restart.width}x${ended.restart.height}, focus on "${ended.focus}")`);
      await Promise.all([tab.waitForNavigation(), tab.tap('#restart')]);
      await tab.waitForSelector('html[data-ready]');
      check(await tab.$$eval('.window:not([hidden])', (sections) => sections.length) === 11, `${screen}, ${how}: no new start`);
    }
    await tab.close();
  }
} finally {
  await browser.close();
  server.close();
}
console.log(failures === 0 ? 'web page: all checks passed' : `web page: ${failures} checks failed`);
process.exit(failures === 0 ? 0 : 1);
