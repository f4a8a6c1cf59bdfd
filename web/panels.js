// The place panel (the page's location editor) and the settings panel. The
// core stores everything; these only show it and pass the user's choices on.

const $ = (id) => document.getElementById(id);
// Most hits a search lists; the zone list takes the whole library.
const SEARCH_LIMIT = 60;
const ZONE_LIMIT = 5000;

// ------------------------------------------------------------ places

function zoneOf(memo) { return memo.split(' ')[0]; }

function fillSlots(core, repaint) {
  const target = $('target-slot');
  const chosen = target.value || '0';
  const slots = core.slots();
  $('slots').replaceChildren(...slots.map((s, i) => {
    const li = document.createElement('li');
    const text = document.createElement('span');
    text.textContent = s.valid ? `${s.name} (${s.lat}, ${s.lng}, ${s.height} m, UTC ${s.utc}${s.dst ? `, ${s.dst}` : ''})` : '(empty)';
    li.append(`${i}: `, text);
    if (s.valid) {
      const show = document.createElement('button');
      show.type = 'button';
      show.textContent = 'Show';
      show.setAttribute('aria-label', `Show ${s.name}`);
      show.addEventListener('click', () => { core.command(40020 + i); repaint(); });
      const clear = document.createElement('button');
      clear.type = 'button';
      clear.textContent = 'Clear';
      clear.setAttribute('aria-label', `Clear slot ${i}, ${s.name}`);
      clear.addEventListener('click', () => { if (core.clearSlot(i)) { fillSlots(core, repaint); repaint(); } });
      li.append(' ', show, ' ', clear);
    }
    return li;
  }));
  target.replaceChildren(...slots.map((s, i) => new Option(`${i}: ${s.valid ? s.name : '(empty)'}`, String(i))));
  target.value = chosen;
}

function put(core, repaint, zoneIndex, name = '', lat = 0, lng = 0, height = 0) {
  const ok = core.putPlace(Number($('target-slot').value), zoneIndex, name, lat, lng, height);
  if (ok) {
    fillSlots(core, repaint);
    repaint();
  }
  return ok;
}

function search(core, repaint) {
  const text = $('search').value.trim();
  const hits = text ? core.search(text, SEARCH_LIMIT) : [];
  $('hits').replaceChildren(...hits.map((h) => {
    const li = document.createElement('li');
    const b = document.createElement('button');
    b.type = 'button';
    b.textContent = `${h.name}, ${h.category} (${h.lat}, ${h.lng}, UTC ${h.utc}${h.dst ? `, ${h.dst}` : ''})`;
    b.title = h.memo;
    b.addEventListener('click', () => put(core, repaint, h.index));
    li.append(b);
    return li;
  }));
}

// The browser's zone and its offsets in January and July, in minutes east of UTC.
function browserZone() {
  const zone = Intl.DateTimeFormat().resolvedOptions().timeZone || '';
  const year = new Date().getFullYear();
  const east = (month) => -new Date(year, month, 1).getTimezoneOffset();
  return { zone, january: east(0), july: east(6) };
}

function here(core, repaint) {
  const status = $('here-status');
  const { zone, january, july } = browserZone();
  const index = core.zone(zone, january, july);
  if (index < 0) { status.textContent = `The library has no place for the zone ${zone}.`; return; }
  if (!navigator.geolocation) { status.textContent = 'This browser cannot tell where it is.'; return; }
  status.textContent = 'Asking for the position…';
  navigator.geolocation.getCurrentPosition((pos) => {
    const { latitude, longitude, altitude } = pos.coords;
    const ok = put(core, repaint, index, 'Here', latitude, longitude, Math.round(altitude || 0));
    status.textContent = ok ? `Here (${zone}) is in slot ${$('target-slot').value}.` : 'The position could not be used.';
  }, (err) => {
    status.textContent = `No position: ${err.message || 'refused'}.`;
  }, { enableHighAccuracy: false, timeout: 20000, maximumAge: 600000 });
}

function typed(core, repaint) {
  const status = $('typed-status');
  const zone = $('typed-zone').value.trim();
  const listed = [...$('zones').options].some((o) => o.value === zone);
  const index = listed ? core.zone(zone, 0, 0) : -1;
  const fields = ['typed-name', 'typed-lat', 'typed-lng', 'typed-zone'].map($);
  const bad = fields.find((f) => !f.checkValidity());
  if (bad) { status.textContent = bad.validationMessage; bad.focus(); return; }
  if (index < 0) { status.textContent = `No zone ${zone} in the library.`; $('typed-zone').focus(); return; }
  const ok = put(core, repaint, index, $('typed-name').value.trim(), Number($('typed-lat').value),
    Number($('typed-lng').value), Math.round(Number($('typed-height').value) || 0));
  status.textContent = ok ? `Put into slot ${$('target-slot').value}.` : 'That place cannot be used.';
}

let placesWired = false;

export function openPlaces(core, repaint) {
  if (!placesWired) {
    placesWired = true;
    $('search').addEventListener('input', () => search(core, repaint));
    $('here').addEventListener('click', () => here(core, repaint));
    $('typed-put').addEventListener('click', () => typed(core, repaint));
    const zones = [...new Set(core.search('/', ZONE_LIMIT).map((h) => zoneOf(h.memo)))].sort();
    $('zones').replaceChildren(...zones.map((z) => new Option(z)));
  }
  fillSlots(core, repaint);
  $('places').showModal();
}

// ---------------------------------------------------------- settings

function fillSettings(core) {
  const s = core.settings();
  for (const el of document.querySelectorAll('#settings [data-setting]')) {
    const name = el.dataset.setting;
    if (el.tagName === 'SELECT' && name !== 'Start' && !el.options.length)
      el.replaceChildren(...s.actions.map((a) => new Option(a.label, String(a.value))));
    if (el.type === 'checkbox') el.checked = s[name] === 1;
    else el.value = String(s[name]);
  }
  $('body-numbers').textContent = `Bodies: ${s.bodies.map((b, i) => `${i} ${b}`).join(', ')}.`;
}

let settingsWired = false;

export function openSettings(core, repaint) {
  if (!settingsWired) {
    settingsWired = true;
    for (const el of document.querySelectorAll('#settings [data-setting]')) {
      el.addEventListener('change', () => {
        if (el.type !== 'checkbox' && !el.checkValidity()) return;
        core.set(el.dataset.setting, el.type === 'checkbox' ? (el.checked ? 1 : 0) : el.value);
        fillSettings(core);
        repaint();
      });
    }
    $('reset').addEventListener('click', () => {
      if (!window.confirm('Reset all settings and places to the defaults?')) return;
      core.reset();
      fillSettings(core);
      repaint();
    });
  }
  fillSettings(core);
  $('settings').showModal();
}
