// The page's event loop: pointer, keys, menus, panels and the refresh query,
// each turned into a call of the core, then the item drawn again.
import { Core, Request, redraws, requestOf } from './core.js';
import { drawItem, describe } from './view.js';
import { openPlaces, openSettings } from './panels.js';

// A pen held this long is a tap-and-hold.
const HOLD_MS = 500;
// The Today screen asks every two seconds; the core counts its reset
// countdown in those queries.
const REFRESH_MS = 2000;

const $ = (id) => document.getElementById(id);
const canvas = $('item');
const menu = $('menu');
const dateField = $('date');

let core = null;
let lastAnswer = null;

const itemWidth = () => Math.max(1, document.documentElement.clientWidth);

export function paint() {
  const answer = core.paint(itemWidth());
  drawItem(canvas, answer, window.devicePixelRatio || 1);
  describe(canvas, $('facts-title'), $('facts-rows'), answer);
  dateField.value = answer.date;
  lastAnswer = answer;
  document.body.dataset.painted = String(Number(document.body.dataset.painted || 0) + 1);
  return answer;
}

// --------------------------------------------------------------- menus

function closeMenu() {
  menu.hidden = true;
  menu.replaceChildren();
}

function showMenu(entries, x, y, choose, returnFocus) {
  closeMenu();
  if (!entries.length) return;
  for (const e of entries) {
    if (!e.command && !e.value && e.value !== 0) {
      const hr = document.createElement('hr');
      hr.setAttribute('role', 'separator');
      menu.append(hr);
      continue;
    }
    const b = document.createElement('button');
    b.type = 'button';
    b.setAttribute('role', e.checked === undefined ? 'menuitem' : 'menuitemradio');
    if (e.checked !== undefined) b.setAttribute('aria-checked', String(e.checked));
    b.textContent = e.label;
    b.addEventListener('click', () => {
      closeMenu();
      choose(e);
      (returnFocus || canvas).focus();
    });
    menu.append(b);
  }
  const r = canvas.getBoundingClientRect();
  menu.style.left = `${Math.max(0, Math.min(r.left + window.scrollX + x, window.scrollX + document.documentElement.clientWidth - 180))}px`;
  menu.style.top = `${r.top + window.scrollY + y}px`;
  menu.hidden = false;
  (menu.querySelector('[aria-checked="true"]') || menu.querySelector('button')).focus();
}

menu.addEventListener('keydown', (ev) => {
  const items = [...menu.querySelectorAll('button')];
  const i = items.indexOf(document.activeElement);
  if (ev.key === 'ArrowDown') items[(i + 1) % items.length].focus();
  else if (ev.key === 'ArrowUp') items[(i - 1 + items.length) % items.length].focus();
  else if (ev.key === 'Home') items[0].focus();
  else if (ev.key === 'End') items[items.length - 1].focus();
  else if (ev.key === 'Escape' || ev.key === 'Tab') { closeMenu(); canvas.focus(); } else return;
  ev.preventDefault();
});
document.addEventListener('pointerdown', (ev) => { if (!menu.hidden && !menu.contains(ev.target)) closeMenu(); });

// ----------------------------------------------------------- actions

function openDate() {
  dateField.focus();
  try { dateField.showPicker(); } catch { /* focus is enough without a picker */ }
}

// An action's answer: open what it asks for at (x, y), redraw when it says so.
function perform(answer, x, y) {
  switch (requestOf(answer)) {
    case Request.editor: openPlaces(core, paint); break;
    case Request.placeMenu: showPlaceMenu(x, y); break;
    case Request.timeMenu: showTimeMenu(x, y); break;
    case Request.date: openDate(); break;
    default: break;
  }
  if (redraws(answer)) paint();
}

function showPlaceMenu(x, y, returnFocus) {
  showMenu(core.menu('place'), x, y, (e) => perform(core.command(e.command), x, y), returnFocus);
}
function showTimeMenu(x, y, returnFocus) {
  showMenu(core.menu('time'), x, y, (e) => perform(core.command(e.command), x, y), returnFocus);
}

// ------------------------------------------------------------ the pen

let holdTimer = 0;
let penX = 0;
let penY = 0;

function itemPoint(ev) {
  const r = canvas.getBoundingClientRect();
  const scale = (lastAnswer ? lastAnswer.width : r.width) / Math.max(r.width, 1);
  return [Math.max(0, Math.floor((ev.clientX - r.left) * scale)), Math.max(0, Math.floor((ev.clientY - r.top) * scale))];
}

canvas.addEventListener('pointerdown', (ev) => {
  if (ev.button !== 0) return;
  [penX, penY] = itemPoint(ev);
  canvas.setPointerCapture(ev.pointerId);
  core.penDown();
  clearTimeout(holdTimer);
  holdTimer = setTimeout(() => {
    holdTimer = 0;
    perform(core.penHold(penX), penX, penY);
  }, HOLD_MS);
});
canvas.addEventListener('pointerup', (ev) => {
  if (ev.button !== 0) return;
  clearTimeout(holdTimer);
  holdTimer = 0;
  const [x, y] = itemPoint(ev);
  perform(core.penUp(x), x, y);
});
canvas.addEventListener('pointercancel', () => { clearTimeout(holdTimer); holdTimer = 0; });
// A long press is ours, not the browser's menu.
canvas.addEventListener('contextmenu', (ev) => ev.preventDefault());

// -------------------------------------------------------------- keys

// Keys stand for the pen in the three thirds: Left, Enter and Right tap,
// with Shift they hold; the menu key holds in the middle.
canvas.addEventListener('keydown', (ev) => {
  const width = lastAnswer ? lastAnswer.width : itemWidth();
  const zones = { ArrowLeft: 0, Enter: Math.floor(width / 2), ' ': Math.floor(width / 2), ArrowRight: width - 1 };
  let hold = ev.shiftKey;
  let x = zones[ev.key];
  if (ev.key === 'ContextMenu' || (ev.key === 'F10' && ev.shiftKey)) {
    x = Math.floor(width / 2);
    hold = true;
  }
  if (x === undefined) return;
  ev.preventDefault();
  core.penDown();
  perform(hold ? core.penHold(x) : core.penUp(x), x, 0);
  if (hold) core.penUp(x);  // the key's release ends the hold, as the pen's would
});

// ---------------------------------------------------------- the bar

function barPoint(button) {
  const b = button.getBoundingClientRect();
  const r = canvas.getBoundingClientRect();
  return [b.left - r.left, b.bottom - r.top];
}
$('time-button').addEventListener('click', (ev) => showTimeMenu(...barPoint(ev.currentTarget), ev.currentTarget));
$('place-button').addEventListener('click', (ev) => showPlaceMenu(...barPoint(ev.currentTarget), ev.currentTarget));
$('actions-button').addEventListener('click', (ev) => {
  const [x, y] = barPoint(ev.currentTarget);
  const entries = core.settings().actions.filter((a) => a.value >= 0).map((a) => ({ value: a.value, label: a.label }));
  showMenu(entries, x, y, (e) => perform(core.action(e.value), x, y), ev.currentTarget);
});
$('places-button').addEventListener('click', () => openPlaces(core, paint));
$('settings-button').addEventListener('click', () => openSettings(core, paint));
dateField.addEventListener('change', () => {
  if (!dateField.value) return;
  core.date(dateField.value);
  paint();
});

// ------------------------------------------------------------ start

async function start() {
  try {
    core = await Core.load();
  } catch (e) {
    $('status').textContent = `The item could not start: ${e.message}`;
    throw e;
  }
  core.start(Math.round(screen.width), Math.round(screen.height), itemWidth());
  paint();
  performance.mark('velkaro-first-paint');
  document.body.dataset.ready = '1';
  if (!core.storageWorks()) $('status').textContent = 'This browser keeps no settings: changes last until the page closes.';
  setInterval(() => { if (core.refresh() & 3) paint(); }, REFRESH_MS);
  document.addEventListener('visibilitychange', () => { if (!document.hidden && core.refresh() & 3) paint(); });
  let width = itemWidth();
  window.addEventListener('resize', () => {
    if (itemWidth() !== width) { width = itemWidth(); paint(); }
  });
  matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener?.('change', () => paint());
  if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
}

// The tests reach the core through this, as a second front-end would.
window.velkaro = { get core() { return core; }, paint };
start();
