// The page's service worker: it keeps the page's files, so that the game
// starts and plays with no network after the first visit. The build fills
// in the cache's name (the version and a digest of the files) and the
// files; a page whose files changed installs its own cache and removes the
// ones before it.
var kCacheName = '@CACHE_NAME@';
var kCachePrefix = 'pinwick-';
var kPageFiles = [
  './',
@PAGE_FILES@];

self.addEventListener('install', function(event) {
  // Past the browser's own cache, so that a new version never keeps an old file.
  event.waitUntil(caches.open(kCacheName).then(function(cache) {
    return cache.addAll(kPageFiles.map(function(name) { return new Request(name, {cache : 'reload'}); }));
  }).then(function() { return self.skipWaiting(); }));
});

self.addEventListener('activate', function(event) {
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) { return name.indexOf(kCachePrefix) == 0 && name != kCacheName; })
                           .map(function(name) { return caches.delete(name); }));
  }).then(function() { return self.clients.claim(); }));
});

// The page's own files come from the cache whatever the address's words
// (its settings ride in the query); anything else goes to the network.
var kScope = new URL('./', self.location).pathname;
self.addEventListener('fetch', function(event) {
  var request = event.request;
  var address = new URL(request.url);
  if (request.method != 'GET' || address.origin != self.location.origin) return;
  var thePage = address.pathname == kScope || address.pathname == kScope + 'index.html';
  if (request.mode == 'navigate' && !thePage) return;
  var wanted = thePage ? new Request('index.html') : request;
  event.respondWith(caches.open(kCacheName).then(function(cache) {
    return cache.match(wanted, {ignoreSearch : true}).then(function(kept) { return kept || fetch(request); });
  }));
});
