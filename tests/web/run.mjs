// The web edition in Debian's Chromium: the page against the native core,
// the almanac, the pen, the keys, the place panel, reloads (also offline) and
// damaged storage. Screenshots go to build/web-shots/.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';
import { serve } from './serve.mjs';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const web = path.join(root, 'build/web');
const native = path.join(root, 'build/native');
const shots = path.join(root, 'build/web-shots');

// The places and instants the page is checked at: a plain zone, a southern
// one in daylight saving, and one above the Arctic Circle in polar night,
// typed with a zone the library knows under another name.
const PLACES = [
  { id: 'tokyo', now: '2026-12-08T09:30:00Z', lat: 35.68, lng: 139.75, zone: 9, dst: false },
  { id: 'sydney', now: '2026-12-08T01:00:00Z', put: { zone: 'Australia/Sydney', jan: 660, jul: 600 },
    lat: -33.87, lng: 151.22, zone: 10, dst: true },
  { id: 'tromso', now: '2026-12-21T10:00:00Z',
    put: { zone: 'Europe/Oslo', jan: 60, jul: 120, name: 'Tromsø', lat: 69.65, lng: 18.96, height: 10 },
    lat: 69.65, lng: 18.96, zone: 1, dst: false },
];

let server;
let browser;
let userData;

before(async () => {
  server = await serve(web);
  userData = fs.mkdtempSync(path.join(os.tmpdir(), 'velkaro-chromium-'));
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: userData,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage'],
  });
  fs.mkdirSync(shots, { recursive: true });
});

after(async () => {
  await browser?.close();
  await server?.close();
  fs.rmSync(userData, { recursive: true, force: true });
});

// A fresh page in a context of its own (storage and service worker included).
async function open(query, viewport = { width: 360, height: 640 }) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.setViewport({ ...viewport, deviceScaleFactor: 1 });
  await page.goto(`${server.url}/${query}`);
  await page.waitForSelector('body[data-ready]', { timeout: 15000 });
  return { context, page, errors };
}

// The core's answer as it wrote it (so that "-0.0" stays itself) and its
// picture, at the page's width, after the date field chose `date`.
const answerOf = (page, date) => page.evaluate((d) => {
  const core = window.velkaro.core;
  if (d) core.date(d);
  const text = core.m.ccall('vk_paint', 'string', ['number'], [document.documentElement.clientWidth]);
  const a = JSON.parse(text);
  const p = core.m._vk_pixels();
  return { text, rgba: Array.from(core.m.HEAPU8.subarray(p, p + a.width * a.height * 4)) };
}, date);

async function putPlace(page, put) {
  return page.evaluate((p) => {
    const core = window.velkaro.core;
    const zone = core.zone(p.zone, p.jan, p.jul);
    return core.putPlace(0, zone, p.name || '', p.lat || 0, p.lng || 0, p.height || 0);
  }, put);
}

function nativePaint(place, width, screen, date) {
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'velkaro-pageshot-'));
  const args = ['--now', place.now, '--width', String(width), '--screen', `${screen.width}x${screen.height}`,
    '--pictures', path.join(native, 'pictures'), '--library', path.join(native, 'Sitarel.ini'),
    '--json', path.join(tmp, 'page.json'), '--rgba', path.join(tmp, 'page.rgba'), '--bodies', '0123456789'];
  if (date) args.push('--date', date);
  if (place.put) {
    const p = place.put;
    args.push('--zone', p.zone, '--jan', String(p.jan), '--jul', String(p.jul));
    if (p.name) args.push('--name', p.name, '--lat', String(p.lat), '--lng', String(p.lng), '--height', String(p.height));
  }
  execFileSync(path.join(native, 'velkaro-pageshot'), args);
  const text = fs.readFileSync(path.join(tmp, 'page.json'), 'utf8').trimEnd();
  const rgba = fs.readFileSync(path.join(tmp, 'page.rgba'));
  fs.rmSync(tmp, { recursive: true, force: true });
  return { text, rgba };
}

function firstDifference(a, b, width) {
  for (let i = 0; i < Math.min(a.length, b.length); i++) {
    if (a[i] !== b[i]) {
      const p = Math.floor(i / 4);
      return `pixel (${p % width}, ${Math.floor(p / width)}) channel ${i % 4}: page ${a[i]}, native ${b[i]}`;
    }
  }
  return a.length === b.length ? null : `lengths differ: page ${a.length}, native ${b.length}`;
}

// velkaro-almanac's rise, culmination and set of every body, standard time.
function almanac(place, at) {
  const csv = execFileSync(path.join(native, 'velkaro-almanac'), ['now', '--lat', String(place.lat),
    '--lng', String(place.lng), '--zone', String(place.zone), '--at', at], { encoding: 'utf8' });
  const rows = {};
  for (const line of csv.trim().split('\n').slice(1)) {
    const [body, record, valid, , time] = line.split(',');
    (rows[body] ??= {})[record] = valid === '1' ? time : '';
  }
  return rows;
}

// The item's text of a standard time: one hour on and "+" in daylight saving.
function shown(time, dst) {
  if (!time || !dst) return time;
  const [h, m] = time.split(':').map(Number);
  return `${String((h + 1) % 24).padStart(2, '0')}:${String(m).padStart(2, '0')}+`;
}

for (const place of PLACES) {
  test(`${place.id}: the page paints what the native core paints, and says what the almanac says`, async () => {
    const { context, page, errors } = await open(`?now=${place.now}&metric=fixed`);
    try {
      if (place.put) assert.equal(await putPlace(page, place.put), true, 'the place goes into slot 0');
      assert.equal(await page.evaluate(() => window.velkaro.core.set('SortP0', '0123456789')), true);
      const screen = await page.evaluate(() => ({ width: screen.width, height: screen.height }));
      const { text, rgba } = await answerOf(page);
      const answer = JSON.parse(text);
      const expected = nativePaint(place, answer.width, screen);
      assert.equal(text, expected.text);
      await page.evaluate(() => window.velkaro.paint());
      const diff = firstDifference(rgba, expected.rgba, answer.width);
      assert.equal(diff, null, `the composed pictures differ at ${diff}`);

      // The words for screen readers name the almanac's times.
      const at = answer.rows[0].events.Now;
      const table = almanac(place, `${at.date}T${at.time}`);
      const facts = await page.$$eval('#facts-rows li', (lis) => lis.map((li) => li.textContent));
      assert.equal(facts.length, answer.rows.length);
      answer.rows.forEach((row, i) => {
        const t = table[row.name];
        for (const [field, record, word] of [['rise', 'Rise', 'rise'], ['set', 'Set', 'set'], ['culmination', 'Culmination', 'highest']]) {
          assert.equal(row[field], shown(t[record], place.dst), `${row.name} ${field}`);
          if (row[field]) assert.match(facts[i], new RegExp(`${word} ${row[field].replace('+', '\\+')}`));
        }
      });
      // Through the year: the date field's days, the same in both builds.
      for (let month = 1; month <= 12; month++) {
        const date = `2027-${String(month).padStart(2, '0')}-${String(1 + (month * 7) % 28).padStart(2, '0')}`;
        const { text: t, rgba: pixels } = await answerOf(page, date);
        const a = JSON.parse(t);
        const n = nativePaint(place, a.width, screen, date);
        assert.equal(t, n.text, date);
        const d = firstDifference(pixels, n.rgba, a.width);
        assert.equal(d, null, `${date}: the composed pictures differ at ${d}`);
      }
      assert.deepEqual(errors, []);
    } finally {
      await context.close();
    }
  });
}

test('taps and holds shift the time and switch the place; the keys do the same', async () => {
  const { context, page, errors } = await open('?now=2026-12-08T09:30:00Z');
  try {
    const state = () => page.evaluate(() => {
      const a = window.velkaro.paint();
      return { time: a.time, date: a.date, place: a.place.name, shifted: a.shifted, height: a.height };
    });
    const box = await page.$eval('#item', (c) => { const r = c.getBoundingClientRect(); return { x: r.x, y: r.y, w: r.width, h: r.height }; });
    const at = (third) => [box.x + box.w * (third + 0.5) / 3, box.y + box.h / 2];
    assert.deepEqual(await state(), { time: '18:30', date: '2026-12-08', place: 'Tokyo', shifted: false, height: 66 });

    await page.mouse.click(...at(2));  // right: +hour
    assert.equal((await state()).time, '19:30');
    assert.equal((await state()).shifted, true);
    await page.mouse.click(...at(0));  // left: -hour
    await page.mouse.click(...at(0));
    assert.equal((await state()).time, '17:30');

    const before = (await state()).height;
    await page.mouse.click(...at(1));  // middle: the second body list
    assert.ok((await state()).height > before, 'the second list has more rows');

    // Hold on the right: the place menu; choose Sydney.
    await page.mouse.move(...at(2));
    await page.mouse.down();
    await page.waitForSelector('#menu:not([hidden]) button');
    await page.mouse.up();
    const entries = await page.$$eval('#menu button', (bs) => bs.map((b) => b.textContent));
    assert.equal(entries.length, 20);
    const sydney = entries.findIndex((e) => e.endsWith('Sydney'));
    assert.ok(sydney >= 0, entries.join('|'));
    assert.equal((await state()).place, 'Tokyo', 'the pen-up that ends a hold is no tap');
    await (await page.$$('#menu button'))[sydney].click();
    assert.equal((await state()).place, 'Sydney');

    // Hold in the middle: the time menu; "+Day".
    await page.mouse.move(...at(1));
    await page.mouse.down();
    await page.waitForSelector('#menu:not([hidden]) button');
    await page.mouse.up();
    const before2 = await state();
    await page.evaluate(() => [...document.querySelectorAll('#menu button')].find((b) => b.textContent === '+Day').click());
    const after2 = await state();
    assert.notEqual(after2.date, before2.date);

    // The keys: Enter is the middle third, arrows the sides, the menu key a hold in the middle.
    await page.focus('#item');
    await page.evaluate(() => window.velkaro.core.command(40005));  // "Current"
    await page.keyboard.press('ArrowRight');
    assert.equal((await state()).time.slice(3), '30');
    const t1 = (await state()).time;
    await page.keyboard.press('ArrowLeft');
    assert.notEqual((await state()).time, t1);
    await page.keyboard.press('ContextMenu');
    await page.waitForSelector('#menu:not([hidden]) button');
    assert.equal(await page.evaluate(() => document.activeElement.closest('#menu') !== null), true, 'the menu takes the focus');
    await page.keyboard.press('Escape');
    assert.equal(await page.$eval('#menu', (m) => m.hidden), true);

    // The date field moves the shown day.
    await page.$eval('#date', (d) => { d.value = '2027-01-15'; d.dispatchEvent(new Event('change')); });
    assert.equal((await state()).date, '2027-01-15');
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

test('a place put from the library panel stays after a reload, also with the network gone', async () => {
  const { context, page, errors } = await open('?now=2026-12-08T09:30:00Z');
  try {
    await page.click('#places-button');
    await page.type('#search', 'Sydney');
    await page.waitForSelector('#hits button');
    await page.click('#hits button');
    await page.click('#places button[value="close"]');
    const title = () => page.$eval('#facts-title', (h) => h.textContent);
    assert.match(await title(), /^Sydney /);

    // The typed place: its own name and coordinates, the zone's offset and rule.
    await page.click('#places-button');
    await page.select('#target-slot', '5');
    await page.click('#places details summary');
    await page.type('#typed-name', 'Hut');
    await page.type('#typed-lat', '-45.5');
    await page.type('#typed-lng', '170.25');
    await page.type('#typed-height', '1200');
    await page.type('#typed-zone', 'Pacific/Auckland');
    await page.click('#typed-put');
    const slot5 = await page.evaluate(() => window.velkaro.core.slots()[5]);
    assert.deepEqual(slot5, { valid: true, name: 'Hut', lat: -45.5, lng: 170.25, height: 1200, utc: '12.0',
      dst: slot5.dst });
    assert.ok(slot5.dst.length > 0, 'Auckland has a rule');

    // "Here": the browser's position with its own zone, which the library
    // keeps under another name (Oslo keeps Berlin's clock).
    await context.overridePermissions(server.url, ['geolocation']);
    await page.setGeolocation({ latitude: 59.91, longitude: 10.75, accuracy: 10 });
    await page.emulateTimezone('Europe/Oslo');
    await page.select('#target-slot', '6');
    await page.click('#here');
    await page.waitForFunction(() => /slot 6/.test(document.getElementById('here-status').textContent));
    const slot6 = await page.evaluate(() => window.velkaro.core.slots()[6]);
    assert.deepEqual({ ...slot6, dst: undefined }, { valid: true, name: 'Here', lat: 59.91, lng: 10.75, height: 0,
      utc: '1.0', dst: undefined });
    assert.match(slot6.dst, /^03\/.*;10\//, 'the European rule');
    await page.click('#places button[value="close"]');
    await page.evaluate(() => window.velkaro.core.command(40020));  // back to slot 0

    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForSelector('body[data-ready]');
    assert.match(await title(), /^Sydney /, 'slot 0 is kept');

    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    await page.setOfflineMode(true);
    await page.reload();
    await page.waitForSelector('body[data-ready]', { timeout: 15000 });
    assert.match(await title(), /^Sydney /, 'offline, from the kept files');
    assert.ok(await page.$eval('#facts-rows', (ul) => ul.children.length) > 0);
    await page.setOfflineMode(false);
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

test('the page redraws by itself when the minute changes', async () => {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  try {
    // The browser's clock, set to three seconds before a new minute in Tokyo
    // and running on from there; no fixed instant in the address.
    await page.evaluateOnNewDocument((startMs) => {
      const RealDate = Date;
      const shift = startMs - RealDate.now();
      globalThis.Date = class extends RealDate {
        constructor(...a) { if (a.length) super(...a); else super(RealDate.now() + shift); }
        static now() { return RealDate.now() + shift; }
      };
    }, Date.parse('2026-12-08T09:30:57Z'));
    await page.setViewport({ width: 360, height: 640, deviceScaleFactor: 1 });
    await page.goto(`${server.url}/`);
    await page.waitForSelector('body[data-ready]', { timeout: 15000 });
    const title = () => page.$eval('#facts-title', (h) => h.textContent);
    assert.match(await title(), /18:30/);
    await page.waitForFunction(() => /18:31/.test(document.getElementById('facts-title').textContent),
      { timeout: 10000 });
  } finally {
    await context.close();
  }
});

test('settings are kept; damaged storage reads as defaults and never breaks the page', async () => {
  const { context, page, errors } = await open('?now=2026-12-08T09:30:00Z');
  try {
    assert.equal(await page.evaluate(() => window.velkaro.core.set('SortP0', '0123')), true);
    assert.equal(await page.evaluate(() => window.velkaro.core.set('TapR', '16')), false, 'no action 16');
    await page.reload();
    await page.waitForSelector('body[data-ready]');
    assert.equal(await page.$eval('#facts-rows', (ul) => ul.children.length), 4);

    const damaged = [
      'not a registry at all',
      'K\tsoftware\\\\quorrin\\\\velkaro\nV\tSortP0\t1\tzz\nV\tTapR\t4\t0102\n',
      `K\tsoftware\\\\quorrin\\\\velkaro\\\\pos00\nV\tValid\t4\t01000000\nV\tLat\t1\t${'41'.repeat(3000)}0000\n`,
      '\u0000\uffff'.repeat(500),
    ];
    for (const text of damaged) {
      await page.evaluate((t) => localStorage.setItem('velkaro.registry', t), text);
      await page.reload();
      await page.waitForSelector('body[data-ready]', { timeout: 15000 });
      const rows = await page.$eval('#facts-rows', (ul) => ul.children.length);
      assert.ok(rows > 0, `rows shown after ${JSON.stringify(text.slice(0, 40))}`);
    }
    // The reset gives the defaults back.
    page.on('dialog', (d) => d.accept());
    await page.click('#settings-button');
    await page.click('#reset');
    assert.equal(await page.$eval('#facts-rows', (ul) => ul.children.length), 2);
    assert.match(await page.$eval('#facts-title', (h) => h.textContent), /^Tokyo /);
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

// The same instants and actions as scripts/snapshots.sh gives the Win32 item,
// at the stand-in Today screen's size, and a phone and a desktop.
test('screenshots of a phone, a desktop and the Win32 snapshots\' scenes', async () => {
  const scenes = [
    ['phone-360x640', { width: 360, height: 640 }, [0, 1]],
    ['desktop-1280x800', { width: 1280, height: 800 }, [0, 1]],
    ['tokyo-time-480x640', { width: 480, height: 640 }, [0, 1]],
    ['sydney-time-480x640', { width: 480, height: 640 }, [3, 3, 0, 1]],
    ['sydney-azimuth-480x640', { width: 480, height: 640 }, [3, 3, 1]],
  ];
  for (const [name, viewport, actions] of scenes) {
    const { context, page, errors } = await open('?now=2026-12-08T03:00:00Z', viewport);
    try {
      await page.evaluate((list) => { for (const a of list) window.velkaro.core.action(a); window.velkaro.paint(); }, actions);
      await page.screenshot({ path: path.join(shots, `${name}.png`) });
      assert.deepEqual(errors, []);
    } finally {
      await context.close();
    }
  }
});
