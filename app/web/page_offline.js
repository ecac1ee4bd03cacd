// The page's offline copy: the service worker (sw.js) keeps its files once
// it has been loaded from a server. A page opened from the disk, or from a
// server the browser does not trust with workers, starts without it.
(function() {
  if (!('serviceWorker' in navigator) || !window.isSecureContext || !/^https?:$/.test(location.protocol)) return;
  window.addEventListener('load', function() {
    navigator.serviceWorker.register('sw.js').catch(function(e) {
      console.warn('pinwick: the page cannot be kept for playing offline: ' + e);
    });
  });
})();
