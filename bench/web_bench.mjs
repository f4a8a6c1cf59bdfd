// The web edition's speed and size, measured in Debian's Chromium (run with
// `make web-bench`): the first paint after navigating in a warm browser, one
// minute's refresh of ten bodies in the core, and the compressed transfer.
import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { fileURLToPath } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const web = path.join(root, 'build/web');
const require = createRequire(path.join(root, 'tests/web/package.json'));
const puppeteer = require('puppeteer-core');
const { serve } = await import(path.join(root, 'tests/web/serve.mjs'));

const ROUNDS = 10;
const PAINTS = 2000;

// The whole transfer: every file the service worker keeps, and the worker.
const files = [...JSON.parse(fs.readFileSync(path.join(web, 'files.json'), 'utf8')), 'sw.js', 'files.json'];
let raw = 0, gzip = 0, brotli = 0;
for (const f of files) {
  const data = fs.readFileSync(path.join(web, f));
  raw += data.length;
  gzip += zlib.gzipSync(data, { level: 9 }).length;
  brotli += zlib.brotliCompressSync(data).length;
}
const kb = (n) => `${(n / 1024).toFixed(1)} KB`;
console.log(`transfer: ${files.length} files, ${kb(raw)} raw, ${kb(gzip)} gzip -9, ${kb(brotli)} brotli (target: under 600 KB compressed)`);

const server = await serve(web);
const userData = fs.mkdtempSync(path.join(os.tmpdir(), 'velkaro-bench-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, userDataDir: userData,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 480, height: 640 });
  const url = `${server.url}/?now=2026-12-08T03:00:00Z`;
  await page.goto(url);
  await page.waitForSelector('body[data-ready]');
  await page.evaluate(() => navigator.serviceWorker.ready);
  const times = [];
  for (let i = 0; i < ROUNDS; i++) {
    await page.goto(url);
    await page.waitForSelector('body[data-ready]');
    times.push(await page.evaluate(() => performance.getEntriesByName('velkaro-first-paint')[0].startTime));
  }
  times.sort((a, b) => a - b);
  console.log(`first paint after navigation, warm: median ${times[ROUNDS >> 1].toFixed(0)} ms, ` +
    `best ${times[0].toFixed(0)} ms, worst ${times[ROUNDS - 1].toFixed(0)} ms (target: 500 ms)`);

  const refresh = await page.evaluate((n) => {
    const core = window.velkaro.core;
    core.set('SortP0', '0123456789');
    const m = core.m;
    const width = document.documentElement.clientWidth;
    for (let i = 0; i < 50; i++) m._vk_paint(width);
    let t0 = performance.now();
    for (let i = 0; i < n; i++) m._vk_paint(width);
    const core_ms = (performance.now() - t0) / n;
    t0 = performance.now();
    for (let i = 0; i < n / 10; i++) window.velkaro.paint();
    const page_ms = (performance.now() - t0) / (n / 10);
    return { core_ms, page_ms };
  }, PAINTS);
  console.log(`a minute's refresh, ten bodies (events, layout, composition, the answer): ` +
    `${refresh.core_ms.toFixed(3)} ms in the core (target: 2 ms); with the canvas and the words ` +
    `for screen readers ${refresh.page_ms.toFixed(3)} ms`);
} finally {
  await browser.close();
  await server.close();
  fs.rmSync(userData, { recursive: true, force: true });
}
