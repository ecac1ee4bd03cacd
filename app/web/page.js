// The page around the game (index.html): the menu bar, the dialogs, the
// volume panel, the covers over the canvas and the recording's downloads.
// The game calls these through its EM_JS functions and asks what the player
// chose; the page calls into the game only to say that a menu opened, that
// the game is wanted back, or that the files are about to be read.
var Pinwick = (function() {
  var kVolumeKey = 'pinwick.volume';
  var kMuteKey = 'pinwick.muted';
  var kFullVolume = 100;
  var kMenuStillOpen = -1;
  var kNoAnswerYet = -1;
  var kMenuIdle = 0, kMenuOpen = 1, kMenuChosen = 2;

  var byId = function(id) { return document.getElementById(id); };
  var menuBar = byId('menubar');
  var canvas = byId('canvas');
  var context = canvas.getContext('2d');
  var volumePanel = byId('volume');
  var volumeLevel = byId('volume-level');
  var volumeMute = byId('volume-mute');

  var titles = [];
  var menuState = kMenuIdle;
  var openTitle = -1;
  var chosen = 0;
  var dialog = null;  // open, or answered and not yet taken by the game
  var answer = kNoAnswerYet;
  var covered = false;
  var ended = false;
  var ready = false;  // the game's code is up
  var image = null, pixels = null;
  var picturesToUse = null;  // the icon and cursor, once the first picture shows

  // Storage can be refused (private windows, sandboxed frames): the panel
  // then forgets between visits.
  function stored(key, fallback) {
    try {
      var value = localStorage.getItem(key);
      return value === null ? fallback : Number(value);
    } catch (e) {
      return fallback;
    }
  }
  function store(key, value) {
    try {
      localStorage.setItem(key, String(value));
    } catch (e) {
    }
  }

  // --- Menus: open until a choice or a press elsewhere; the game stands
  // still until it has taken the choice ---
  function openMenu(index) {
    if (menuState == kMenuChosen) return;
    if (menuState == kMenuOpen) {
      titles[openTitle].element.classList.remove('open');
    } else {
      menuState = kMenuOpen;
      Module._pageMenuPressed();
    }
    openTitle = index;
    titles[index].element.classList.add('open');
  }
  function closeMenu(command) {
    if (menuState != kMenuOpen) return;
    titles[openTitle].element.classList.remove('open');
    openTitle = -1;
    chosen = command;
    menuState = kMenuChosen;
  }
  document.addEventListener('mousedown', function(e) {
    if (!menuBar.contains(e.target)) closeMenu(0);
  }, true);
  document.addEventListener('keydown', function(e) {
    if (e.key == 'Escape') closeMenu(0);
  }, true);
  window.addEventListener('blur', function() { closeMenu(0); });

  // --- Dialogs: Enter answers the first button, Esc the last ---
  function answerDialog(value) {
    if (!dialog || answer != kNoAnswerYet) return;
    answer = value;
    dialog.close();
  }
  function setUpDialog(id, enterValue, escapeValue) {
    var element = byId(id);
    element.addEventListener('keydown', function(e) {
      if (e.key != 'Enter') return;
      e.preventDefault();
      answerDialog(enterValue);
    });
    element.addEventListener('cancel', function(e) {
      e.preventDefault();
      answerDialog(escapeValue);
    });
    return element;
  }
  function showDialog(element, focus) {
    answer = kNoAnswerYet;
    dialog = element;
    if (typeof element.showModal != 'function') {
      answer = 1;  // no dialogs in this browser: as if Yes
      return;
    }
    element.showModal();
    focus.focus();
  }
  var confirmDialog = setUpDialog('confirm', 1, 0);
  var messageDialog = setUpDialog('message', 1, 1);
  byId('confirm-yes').addEventListener('click', function() { answerDialog(1); });
  byId('confirm-no').addEventListener('click', function() { answerDialog(0); });
  byId('message-ok').addEventListener('click', function() { answerDialog(1); });

  // --- The volume panel: not modal, and its keys stay its own ---
  function closeVolume() { volumePanel.hidden = true; }
  function keepKeys(e) {
    e.stopPropagation();
    if (e.type == 'keydown' && e.key == 'Escape') closeVolume();
  }
  volumePanel.addEventListener('keydown', keepKeys);
  volumePanel.addEventListener('keyup', keepKeys);
  volumeLevel.addEventListener('input', function() {
    store(kVolumeKey, volumeLevel.value);
    Pinwick.applyVolume();
  });
  volumeMute.addEventListener('change', function() { setMuted(volumeMute.checked); });
  byId('volume-close').addEventListener('click', closeVolume);

  // --- The settings footer. The level and two players are the game's
  // options and take effect with the next game; mute is the volume's own
  // and takes effect at once, so the game itself never hears of it. The
  // address holds all three, for links and reloads; a plain address takes
  // the stored ones. ---
  var kLevelKey = 'pinwick.level';
  var kTwoPlayersKey = 'pinwick.twoPlayers';
  var kLevelWord = 'level', kTwoPlayersWord = 'two-players', kMuteWord = 'mute';
  var kMatchLevel = 3;
  var kLevelPattern = /^[0-3]$/;
  var settingLevel = byId('setting-level');
  var settingTwoPlayers = byId('setting-two-players');
  var settingMute = byId('setting-mute');
  var newGame = byId('setting-new-game');

  // The choices the address makes, null when it makes none; a bad level
  // makes the whole address plain, as a bad command line would be refused.
  function addressChoices(search) {
    if (!search.has(kLevelWord) && !search.has(kTwoPlayersWord) && !search.has(kMuteWord)) return null;
    var level = search.has(kLevelWord) ? search.get(kLevelWord) : String(kMatchLevel);
    if (!kLevelPattern.test(level) || search.getAll(kLevelWord).length > 1) {
      console.warn('pinwick: the address\'s level "' + level + '" is not 0 to 3; the game plays as it is');
      return {level : kMatchLevel, twoPlayers : false, muted : stored(kMuteKey, 0) != 0};
    }
    return {level : Number(level), twoPlayers : search.has(kTwoPlayersWord), muted : search.has(kMuteWord)};
  }
  function storedChoices() {
    var level = stored(kLevelKey, kMatchLevel);
    return {
      level : kLevelPattern.test(String(level)) ? level : kMatchLevel,
      twoPlayers : stored(kTwoPlayersKey, 0) != 0,
      muted : stored(kMuteKey, 0) != 0
    };
  }
  function storeChoices(choices) {
    store(kLevelKey, choices.level);
    store(kTwoPlayersKey, choices.twoPlayers ? 1 : 0);
    store(kMuteKey, choices.muted ? 1 : 0);
  }
  function panelChoices() {
    return {level : Number(settingLevel.value), twoPlayers : settingTwoPlayers.checked, muted : settingMute.checked};
  }
  // The address with these choices and every other word as it was.
  function writeAddress(choices) {
    var search = new URLSearchParams(location.search);
    [kLevelWord, kTwoPlayersWord, kMuteWord].forEach(function(word) { search.delete(word); });
    if (choices.level != kMatchLevel) search.set(kLevelWord, choices.level);
    if (choices.twoPlayers) search.set(kTwoPlayersWord, '');
    if (choices.muted) search.set(kMuteWord, '');
    var text = search.toString().replace(/=(&|$)/g, '$1');
    history.replaceState(null, '', location.pathname + (text ? '?' + text : '') + location.hash);
  }
  function settingsChanged() {
    var choices = panelChoices();
    storeChoices(choices);
    writeAddress(choices);
    newGame.hidden = choices.level == running.level && choices.twoPlayers == running.twoPlayers;
  }
  function setMuted(muted) {
    settingMute.checked = muted;
    volumeMute.checked = muted;
    settingsChanged();
    Pinwick.applyVolume();
  }
  function keepSettingsKeys(e) { e.stopPropagation(); }

  var running = addressChoices(new URLSearchParams(location.search)) || storedChoices();
  settingLevel.value = running.level;
  settingTwoPlayers.checked = running.twoPlayers;
  settingMute.checked = running.muted;
  settingsChanged();
  settingLevel.addEventListener('change', settingsChanged);
  settingTwoPlayers.addEventListener('change', settingsChanged);
  settingMute.addEventListener('change', function() { setMuted(settingMute.checked); });
  byId('settings').addEventListener('keydown', keepSettingsKeys);
  byId('settings').addEventListener('keyup', keepSettingsKeys);
  newGame.addEventListener('click', function() { location.reload(); });

  byId('cover').addEventListener('click', function() { Module._pageRestore(); });
  byId('again').addEventListener('click', function() { location.reload(); });
  canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });

  function fileText(path) {
    Module._pageFlushFiles();
    return FS.readFile(path, {encoding : 'utf8'});
  }
  function offerDownload(link, path) {
    link.addEventListener('click', function() {
      var url = URL.createObjectURL(new Blob([ fileText(path) ], {type : 'text/plain'}));
      link.href = url;
      link.download = path.slice(path.lastIndexOf('/') + 1);
      setTimeout(function() { URL.revokeObjectURL(url); });
    });
  }

  return {
    audio : null,
    firstFrameMs : null,  // since navigation: the first picture handed over
    firstPaintMs : null,  // and the browser's next paint, which shows it
    exitCode : null,

    modal : function() { return ended || covered || menuState != kMenuIdle || dialog !== null ? 1 : 0; },

    addMenuTitle : function(index, text, command) {
      var element = document.createElement('div');
      element.className = 'menu';
      var button = document.createElement('button');
      button.textContent = text;
      element.appendChild(button);
      var items = null;
      if (command == 0) {
        items = document.createElement('div');
        items.className = 'items';
        element.appendChild(items);
      }
      button.addEventListener('click', function() {
        if (command != 0) {
          openMenu(index);
          closeMenu(command);
        } else if (menuState == kMenuOpen && openTitle == index) {
          closeMenu(0);
        } else {
          openMenu(index);
        }
      });
      titles[index] = {element : element, items : items};
      menuBar.insertBefore(element, byId('files'));
    },
    addMenuItem : function(index, text, command) {
      var button = document.createElement('button');
      button.textContent = text;
      button.addEventListener('click', function() { closeMenu(command); });
      titles[index].items.appendChild(button);
    },
    takeMenuChoice : function() {
      if (menuState == kMenuOpen) return kMenuStillOpen;
      var command = menuState == kMenuChosen ? chosen : 0;
      menuState = kMenuIdle;
      return command;
    },

    openConfirm : function(question, yes, no, title) {
      byId('confirm-title').textContent = title;
      byId('confirm-text').textContent = question;
      byId('confirm-yes').textContent = yes;
      byId('confirm-no').textContent = no;
      showDialog(confirmDialog, byId('confirm-yes'));
    },
    openMessage : function(text, title) {
      byId('message-title').textContent = title;
      byId('message-text').textContent = text;
      showDialog(messageDialog, byId('message-ok'));
    },
    takeAnswer : function() {
      if (answer == kNoAnswerYet) return kNoAnswerYet;
      var value = answer;
      answer = kNoAnswerYet;
      dialog = null;
      return value;
    },

    openVolume : function(title) {
      byId('volume-title').textContent = title;
      volumeLevel.value = stored(kVolumeKey, kFullVolume);
      volumeMute.checked = stored(kMuteKey, 0) != 0;
      volumePanel.hidden = false;
      volumeLevel.focus();
      return 1;
    },
    applyVolume : function() {
      if (!Pinwick.audio) return;
      var muted = stored(kMuteKey, 0) != 0;
      Pinwick.audio.gain.gain.value = muted ? 0 : stored(kVolumeKey, kFullVolume) / kFullVolume;
    },

    showMinimised : function(shown) {
      covered = shown != 0;
      byId('cover').hidden = !covered;
    },

    placeScreen : function(left, top, width, height) {
      var style = byId('screen').style;
      style.left = left + 'px';
      style.top = top + 'px';
      style.width = width + 'px';
      style.height = height + 'px';
    },

    // The memory never grows, so one view of the game's picture serves
    // every frame.
    putFrame : function(at, bytes) {
      if (image === null) {
        image = context.createImageData(canvas.width, canvas.height);
        pixels = HEAPU8.subarray(at, at + bytes);
      }
      image.data.set(pixels);
      context.putImageData(image, 0, 0);
      if (Pinwick.firstFrameMs === null) {
        Pinwick.firstFrameMs = performance.now();
        requestAnimationFrame(function() {
          Pinwick.firstPaintMs = performance.now();
          if (picturesToUse) setTimeout(picturesToUse);
        });
      }
    },

    // Setting the icon and cursor restyles the page: they wait until the
    // first picture has been painted.
    usePictures : function(icon, cursor) {
      picturesToUse = function() {
        byId('icon').href = URL.createObjectURL(new Blob([ icon ], {type : 'image/x-icon'}));
        canvas.style.cursor = 'url(' + URL.createObjectURL(new Blob([ cursor ])) + '), default';
      };
      if (Pinwick.firstPaintMs !== null) setTimeout(picturesToUse);
    },

    offerFiles : function(recording, trace) {
      offerDownload(byId('save-recording'), recording);
      offerDownload(byId('save-trace'), trace);
      byId('files').hidden = false;
    },
    fileText : fileText,
    // The address's words that are the game's: mute stays the page's.
    gameSearch : function() {
      var search = new URLSearchParams(location.search);
      search.delete(kMuteWord);
      return search.toString();
    },
    frames : function() { return ready ? Module._pageFrames() : 0; },

    ready : function() { ready = true; },

    gameEnded : function(exitCode) {
      ended = true;
      Pinwick.exitCode = exitCode;
      closeMenu(0);
      closeVolume();
      menuBar.classList.add('ended');
      byId('files').style.pointerEvents = 'auto';
      byId('ended').hidden = false;
      byId('again').focus();
    },
  };
})();
Module.canvas = document.getElementById('canvas');
Module.onRuntimeInitialized = function() { Pinwick.ready(); };
