// Drawing what the core composed: its picture as it is, then its texts where
// its layout put them, and the same facts as words for screen readers.
import { fontCss } from './core.js';

const scratch = document.createElement('canvas');

// The item's pixels are CSS pixels; the canvas holds devicePixelRatio times
// as many, so that texts are sharp on any screen.
export function drawItem(canvas, answer, ratio) {
  const { width, height } = answer;
  canvas.style.width = `${width}px`;
  canvas.style.height = `${height}px`;
  canvas.width = Math.max(1, Math.round(width * ratio));
  canvas.height = Math.max(1, Math.round(height * ratio));
  const ctx = canvas.getContext('2d');
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  if (answer.image) {
    scratch.width = width;
    scratch.height = height;
    scratch.getContext('2d').putImageData(answer.image, 0, 0);
    // Whole-number ratios keep the pictures' pixels crisp.
    ctx.imageSmoothingEnabled = !Number.isInteger(ratio);
    ctx.drawImage(scratch, 0, 0, canvas.width, canvas.height);
  }
  ctx.setTransform(canvas.width / Math.max(width, 1), 0, 0, canvas.height / Math.max(height, 1), 0, 0);
  ctx.textBaseline = 'top';
  for (const t of answer.texts) {
    if (t.fill) {
      const [x0, y0, x1, y1, color] = t.fill;
      ctx.fillStyle = color;
      ctx.fillRect(x0, y0, x1 - x0, y1 - y0);
    }
    if (!t.text) continue;
    ctx.font = fontCss(t.face, t.size);
    ctx.fillStyle = t.color;
    ctx.fillText(t.text, t.x, t.y);
  }
}

export function describe(canvas, title, list, answer) {
  const heading = answer.title.map((t) => t.trim()).filter((t) => t);
  const summary = heading.length ? heading.join(', ') : answer.place.name;
  title.textContent = summary;
  canvas.setAttribute('aria-label', `${summary}. ${answer.rows.map((r) => r.name).join(', ')}`);
  const items = answer.rows.map((row) => {
    const li = document.createElement('li');
    li.textContent = row.text;
    li.dataset.body = row.body;
    return li;
  });
  list.replaceChildren(...items);
}
