// The item's C++ core on the page: loading it with its pictures and library,
// and calling it. Nothing here decides anything; the core does.
import createVelkaro from './velkaro.js';

// The handheld's own face first, then faces of about its width.
const DEFAULT_FACES = 'Tahoma, Arial, "Liberation Sans", Roboto, sans-serif';

// The font every text of the item is measured and drawn with.
export function fontCss(face, size) {
  const family = face ? `"${face.replace(/["\\]/g, '')}", ${DEFAULT_FACES}` : DEFAULT_FACES;
  return `${size}px ${family}`;
}

const measurer = (() => {
  const canvas = typeof OffscreenCanvas !== 'undefined' ? new OffscreenCanvas(1, 1) : document.createElement('canvas');
  return canvas.getContext('2d');
})();

// The text-measuring seam's canvas half: widths in whole pixels, rounded up
// so that a text never runs past where the layout ends it.
function measureText(text, face, size) {
  measurer.font = fontCss(face, size);
  return Math.ceil(measurer.measureText(text).width);
}

// Top-down RGBA of a picture file, exactly as stored: no colour management
// and no premultiplied alpha, so the core gets the file's pixels.
async function decodePicture(url) {
  const response = await fetch(url);
  if (!response.ok) return null;
  const bitmap = await createImageBitmap(await response.blob(),
    { premultiplyAlpha: 'none', colorSpaceConversion: 'none' });
  const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
  const ctx = canvas.getContext('2d', { willReadFrequently: true });
  ctx.drawImage(bitmap, 0, 0);
  return ctx.getImageData(0, 0, bitmap.width, bitmap.height);
}

export class Core {
  constructor(module) { this.m = module; }

  static async load() {
    const files = fetch('files.json').then((r) => r.json());
    const module = await createVelkaro({ measureText });
    const core = new Core(module);
    const list = await files;
    const pictures = list.filter((f) => f.startsWith('pictures/'));
    const [decoded, library] = await Promise.all([
      Promise.all(pictures.map((f) => decodePicture(f).catch(() => null))),
      fetch('Sitarel.ini').then((r) => (r.ok ? r.arrayBuffer() : new ArrayBuffer(0))).catch(() => new ArrayBuffer(0)),
    ]);
    decoded.forEach((image, i) => {
      if (image) core.picture(pictures[i].slice('pictures/'.length), image);
    });
    core.bytes('vk_library', new Uint8Array(library));
    return core;
  }

  picture(name, image) {
    const m = this.m;
    const p = m._malloc(image.data.length);
    m.HEAPU8.set(image.data, p);
    m.ccall('vk_picture', null, ['string', 'number', 'number', 'number'], [name, image.width, image.height, p]);
    m._free(p);
  }

  bytes(fn, data) {
    const m = this.m;
    const p = m._malloc(Math.max(data.length, 1));
    m.HEAPU8.set(data, p);
    m.ccall(fn, null, ['number', 'number'], [p, data.length]);
    m._free(p);
  }

  json(fn, types = [], args = []) { return JSON.parse(this.m.ccall(fn, 'string', types, args)); }

  start(screenWidth, screenHeight, width) { this.m._vk_start(screenWidth, screenHeight, width); }

  // The paint's answer, with the picture as ImageData.
  paint(width) {
    const answer = this.json('vk_paint', ['number'], [width]);
    const n = answer.width * answer.height * 4;
    const p = this.m._vk_pixels();
    answer.image = n > 0 ? new ImageData(new Uint8ClampedArray(this.m.HEAPU8.slice(p, p + n).buffer), answer.width, answer.height) : null;
    return answer;
  }

  refresh() { return this.m._vk_refresh(); }
  penDown() { return this.m._vk_pen_down(); }
  penHold(x) { return this.m._vk_pen_hold(x); }
  penUp(x) { return this.m._vk_pen_up(x); }
  action(n) { return this.m._vk_action(n); }
  command(id) { return this.m._vk_command(id); }
  menu(which) { return this.json('vk_menu', ['string'], [which]); }
  date(iso) { this.m.ccall('vk_date', null, ['string'], [iso]); }
  settings() { return this.json('vk_settings'); }
  set(name, value) { return this.m.ccall('vk_set', 'number', ['string', 'string'], [name, String(value)]) === 1; }
  reset() { this.m._vk_reset(); }
  slots() { return this.json('vk_slots'); }
  search(text, limit) { return this.json('vk_search', ['string', 'number'], [text, limit]); }
  zone(name, january, july) { return this.m.ccall('vk_zone', 'number', ['string', 'number', 'number'], [name, january, july]); }
  putPlace(slot, zone, name, lat, lng, height) {
    return this.m.ccall('vk_put_place', 'number', ['number', 'number', 'string', 'number', 'number', 'number'],
      [slot, zone, name, lat, lng, height]) === 1;
  }
  clearSlot(slot) { return this.m._vk_clear_slot(slot) === 1; }
  storageWorks() { return this.m._vk_storage_works() === 1; }
}

// What an action asks the page to open (bits 1.. of its answer).
export const Request = { none: 0, editor: 1, placeMenu: 2, timeMenu: 3, date: 4 };
export const redraws = (answer) => (answer & 1) !== 0;
export const requestOf = (answer) => answer >> 1;
