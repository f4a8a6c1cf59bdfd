// Keeps every file of the page, so that it starts and works without a
// network. The build writes files.json and stamps VERSION with their digest,
// so a new build replaces the old files at once.
const VERSION = 'velkaro-@VERSION@';

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const files = await (await fetch('files.json', { cache: 'no-store' })).json();
    const cache = await caches.open(VERSION);
    await cache.addAll(['./', 'files.json', ...files]);
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) if (name !== VERSION) await caches.delete(name);
    await self.clients.claim();
  })());
});

// The kept copy first; the network only for what was never kept.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  const url = new URL(event.request.url);
  if (url.origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(VERSION);
    const kept = await cache.match(event.request, { ignoreSearch: true });
    return kept || fetch(event.request);
  })());
});
