// The page around the game (index.html): the menu bar, the dialogs, the
// volume panel, the covers over the canvas and the recording's downloads.
// The game calls these through its EM_JS functions and asks what the player
// chose; the page calls into the game only to say that a menu opened, that
// the game is wanted back, or that the files are about to be read.
var Pinwick = (function() {
  var kFullVolume = 100;
  var kMatchLevel = 3;
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
  var question = null;  // the page's own question: what its answer does
  var answer = kNoAnswerYet;
  var covered = false;
  var ended = false;
  var ready = false;  // the game's code is up
  var image = null, pixels = null;
  var picturesToUse = null;  // the cursor, once the first picture shows
  var focusBeforeDialog = null, focusBeforeVolume = null, focusBeforeCover = null;

  // The game's own texts are its language's, whatever the page's is: each
  // says which it is, for speech and for the fonts.
  var kJapaneseText = /[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]/;
  function showGameText(element, text) {
    element.textContent = text;
    element.lang = kJapaneseText.test(text) ? 'ja' : 'en';
  }
  // Focus goes back where it was when what took it closes, unless it has
  // gone elsewhere meanwhile or the element is no longer there to take it.
  function giveFocusBack(from, to) {
    var now = document.activeElement;
    if (to && to.isConnected && (now === null || now === document.body || from.contains(now))) to.focus();
  }

  // --- What the page remembers. Storage holds whatever was last put there,
  // by an older page or by hand: each value is read through its rule, and
  // one the rule refuses gives the default, which replaces it in storage.
  // The volume is a whole number clamped to its slider's range; the others
  // are one digit in their range, exactly as the page writes them. ---
  var kVolume = {key : 'pinwick.volume', fallback : kFullVolume, min : 0, max : kFullVolume, clamped : true};
  var kMuted = {key : 'pinwick.muted', fallback : 0, min : 0, max : 1};
  var kLevel = {key : 'pinwick.level', fallback : kMatchLevel, min : 0, max : kMatchLevel};
  var kTwoPlayers = {key : 'pinwick.twoPlayers', fallback : 0, min : 0, max : 1};
  // 0 Japanese, 1 English, as the game numbers them; by default the
  // browser's first language.
  var kJapanese = 0, kEnglish = 1;
  var kLanguageCodes = [ 'ja', 'en' ];
  function browserLanguage() {
    var languages = navigator.languages || [];
    if (languages.length == 0 || !languages[0]) return kJapanese;
    return /^ja/i.test(String(languages[0])) ? kJapanese : kEnglish;
  }
  var kLanguage = {key : 'pinwick.language', fallback : browserLanguage(), min : 0, max : 1};
  var kDigitPattern = /^[0-9]$/;
  var kShownLength = 40;  // of a stored value or an address's word in a message

  function shortened(text, length) { return text.length > length ? text.slice(0, length) + '\u2026' : text; }
  function validStored(setting, text) {
    var number = Number(text);
    if (!setting.clamped)
      return kDigitPattern.test(text) && number >= setting.min && number <= setting.max ? number : setting.fallback;
    if (!/\S/.test(text) || !isFinite(number)) return setting.fallback;
    return Math.min(setting.max, Math.max(setting.min, Math.round(number)));
  }
  // Storage can be refused (private windows, sandboxed frames): the page
  // then forgets between visits.
  function stored(setting) {
    var text;
    try {
      text = localStorage.getItem(setting.key);
    } catch (e) {
      return setting.fallback;
    }
    if (text === null) return setting.fallback;
    var value = validStored(setting, text);
    if (String(value) !== text) {
      console.warn('pinwick: the stored ' + setting.key + ' ' + JSON.stringify(shortened(text, kShownLength)) +
                   ' is not valid; it is now ' + value);
      store(setting.key, value);
    }
    return value;
  }
  function store(key, value) {
    try {
      localStorage.setItem(key, String(value));
    } catch (e) {
    }
  }

  // --- Menus: open until a choice or a press elsewhere; the game stands
  // still until it has taken the choice ---
  function showOpen(index, open) {
    titles[index].element.classList.toggle('open', open);
    if (titles[index].items) titles[index].button.setAttribute('aria-expanded', open ? 'true' : 'false');
  }
  function openMenu(index) {
    if (menuState == kMenuChosen || question) return;
    closeVolume();  // it would lie over the menu
    if (menuState == kMenuOpen) {
      showOpen(openTitle, false);
    } else {
      menuState = kMenuOpen;
      Module._pageMenuPressed();
    }
    openTitle = index;
    showOpen(index, true);
  }
  // Focus inside the menu goes back to its title as the menu closes.
  function closeMenu(command) {
    if (menuState != kMenuOpen) return;
    if (openTitle >= 0) {
      var title = titles[openTitle];
      showOpen(openTitle, false);
      if (title.items && title.items.contains(document.activeElement)) title.button.focus();
    }
    openTitle = -1;
    chosen = command;
    menuState = kMenuChosen;
  }
  // The keys of a menu button and of its open menu: Enter, Space and the
  // arrows open it, the arrows then move through its items, Esc closes it.
  function focusItem(index, step) {
    var items = titles[index].items.children;
    var at = Array.prototype.indexOf.call(items, document.activeElement);
    var next = at < 0 ? (step > 0 ? 0 : items.length - 1) : (at + step + items.length) % items.length;
    items[next].focus();
  }
  function menuKey(index, e) {
    var open = menuState == kMenuOpen && openTitle == index;
    var inItems = titles[index].items.contains(e.target);
    var step = e.key == 'ArrowDown' ? 1 : e.key == 'ArrowUp' ? -1 : 0;
    if (step == 0 && !inItems && (e.key == 'Enter' || e.key == ' ')) step = 1;
    if (step != 0) {
      if (!open) openMenu(index);
      if (menuState == kMenuOpen) focusItem(index, step);
    } else if (open && (e.key == 'Home' || e.key == 'End')) {
      titles[index].items.children[e.key == 'Home' ? 0 : titles[index].items.children.length - 1].focus();
    } else if (open && e.key == 'Tab') {
      closeMenu(0);
      return;
    } else {
      return;
    }
    e.preventDefault();
  }
  document.addEventListener('mousedown', function(e) {
    if (!menuBar.contains(e.target) && !question) closeMenu(0);
  }, true);
  window.addEventListener('blur', function() {
    if (!question) closeMenu(0);
  });
  // The game stands still, as under an open menu, while the page asks; the
  // answer chooses command, or nothing.
  function holdGameAndAsk(text, command, then) {
    if (menuState == kMenuChosen || dialog) return;
    if (menuState == kMenuIdle) {
      menuState = kMenuOpen;
      openTitle = -1;
      Module._pageMenuPressed();
    } else if (openTitle >= 0) {
      showOpen(openTitle, false);
    }
    question = function(yes) {
      closeMenu(yes ? command : 0);
      if (then) then(yes);
    };
    var words = PinwickUx.questionWords(text);
    byId('confirm-title').textContent = words.title;
    byId('confirm-text').textContent = words.text;
    byId('confirm-yes').textContent = words.yes;
    byId('confirm-no').textContent = words.no;
    if (typeof confirmDialog.showModal != 'function') {
      question = null;
      closeMenu(command);  // no dialogs in this browser: as if Yes
      if (then) then(true);
      return;
    }
    confirmDialog.showModal();
    byId('confirm-yes').focus();
  }

  // --- Dialogs: Enter answers the first button, Esc the last; Enter or
  // Space on a button presses that one ---
  function answerDialog(value) {
    if (question) {
      var then = question;
      question = null;
      confirmDialog.close();
      then(value == 1);
      return;
    }
    if (!dialog || answer != kNoAnswerYet) return;
    answer = value;
    dialog.close();
    giveFocusBack(dialog, focusBeforeDialog);
    focusBeforeDialog = null;
  }
  function setUpDialog(id, enterValue, escapeValue) {
    var element = byId(id);
    element.addEventListener('keydown', function(e) {
      if (e.key != 'Enter' || e.target.tagName == 'BUTTON') return;
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
    focusBeforeDialog = document.activeElement;
    element.showModal();
    focus.focus();
  }
  var confirmDialog = setUpDialog('confirm', 1, 0);
  var messageDialog = setUpDialog('message', 1, 1);
  byId('confirm-yes').addEventListener('click', function() { answerDialog(1); });
  byId('confirm-no').addEventListener('click', function() { answerDialog(0); });
  byId('message-ok').addEventListener('click', function() { answerDialog(1); });

  // --- The volume panel: not modal, and its keys stay its own ---
  function closeVolume() {
    if (volumePanel.hidden) return;
    volumePanel.hidden = true;
    giveFocusBack(volumePanel, focusBeforeVolume);
    focusBeforeVolume = null;
  }
  function keepKeys(e) {
    e.stopPropagation();
    if (e.type == 'keydown' && e.key == 'Escape') closeVolume();
  }
  volumePanel.addEventListener('keydown', keepKeys);
  volumePanel.addEventListener('keyup', keepKeys);
  volumeLevel.addEventListener('input', function() {
    store(kVolume.key, volumeLevel.value);
    Pinwick.applyVolume();
  });
  volumeMute.addEventListener('change', function() { setMuted(volumeMute.checked); });
  byId('volume-close').addEventListener('click', closeVolume);

  // --- The settings footer. The level and two players are the game's
  // options and take effect with the next game; mute is the volume's own
  // and takes effect at once, so the game itself never hears of it. The
  // address holds all three, for links and reloads; a plain address takes
  // the stored ones. The game plays what the footer shows: no other word of
  // the address reaches it. ---
  var kLevelWord = 'level', kTwoPlayersWord = 'two-players', kMuteWord = 'mute', kRecordWord = 'record';
  var kLanguageWord = 'lang';
  var kPageWords = [ kLevelWord, kTwoPlayersWord, kMuteWord, kRecordWord, kLanguageWord ];
  var kLanguagePattern = /^(ja|en)$/;
  var kLevelPattern = /^[0-3]$/;
  var kSwitchPattern = /^$/;  // ?mute, never ?mute=1
  var kNoteLength = 120;
  var kWarningLength = 240;
  var settingLevel = byId('setting-level');
  var settingTwoPlayers = byId('setting-two-players');
  var settingMute = byId('setting-mute');
  var settingNote = byId('setting-note');
  var newGame = byId('setting-new-game');

  // A word as the address spells it, short enough to show.
  function spelled(key, value) {
    return shortened(new URLSearchParams([ [ key, value ] ]).toString().replace(/=$/, ''), kShownLength);
  }
  // What the address asks for: its choices, null when it names none or
  // when one of them is bad (a level not 0 to 3, a switch with a value, a
  // word given twice): the remembered choices then play and stay as they
  // were, as a bad command line would be refused whole. Whether to record,
  // and the bad words, to be named.
  function readAddress(search) {
    var bad = [], unknown = [];
    function take(key, pattern) {
      var values = search.getAll(key);
      if (values.length == 1 && pattern.test(values[0])) return values[0];
      values.forEach(function(value) { bad.push(spelled(key, value)); });
      return null;
    }
    var level = take(kLevelWord, kLevelPattern);
    var twoPlayers = take(kTwoPlayersWord, kSwitchPattern) !== null;
    var muted = take(kMuteWord, kSwitchPattern) !== null;
    var named = search.has(kLevelWord) || search.has(kTwoPlayersWord) || search.has(kMuteWord);
    var choices = named && bad.length == 0
                      ? {level : level === null ? kMatchLevel : Number(level), twoPlayers : twoPlayers, muted : muted}
                      : null;
    var record = take(kRecordWord, kSwitchPattern) !== null;
    // A bad language is named like the others but leaves the other choices
    // alone: it changes no game.
    var language = take(kLanguageWord, kLanguagePattern);
    search.forEach(function(value, key) {
      if (kPageWords.indexOf(key) < 0) unknown.push(spelled(key, ''));
    });
    if (unknown.length > 0)
      console.warn(shortened('pinwick: the address\'s ' + unknown.join(', ') + ': not the page\'s; ignored', kWarningLength));
    if (bad.length > 0)
      console.warn(shortened('pinwick: the address\'s ' + bad.join(', ') + ': not understood; ignored', kWarningLength));
    return {choices : choices, record : record, bad : bad,
            language : language === null ? null : kLanguageCodes.indexOf(language)};
  }
  function storedChoices() {
    return {level : stored(kLevel), twoPlayers : stored(kTwoPlayers) != 0, muted : stored(kMuted) != 0};
  }
  function storeChoices(choices) {
    store(kLevel.key, choices.level);
    store(kTwoPlayers.key, choices.twoPlayers ? 1 : 0);
    store(kMuted.key, choices.muted ? 1 : 0);
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
    search.delete(kLanguageWord);
    if (language != kLanguage.fallback) search.set(kLanguageWord, kLanguageCodes[language]);
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

  [ kVolume, kMuted, kLevel, kTwoPlayers, kLanguage ].forEach(stored);
  var address = readAddress(new URLSearchParams(location.search));
  var language = address.language !== null ? address.language : stored(kLanguage);
  if (address.language !== null) store(kLanguage.key, language);
  var running = address.choices || storedChoices();
  settingLevel.value = running.level;
  settingTwoPlayers.checked = running.twoPlayers;
  settingMute.checked = running.muted;
  if (address.choices) storeChoices(running);
  writeAddress(running);
  settingNote.hidden = address.bad.length == 0;
  settingLevel.addEventListener('change', settingsChanged);
  settingTwoPlayers.addEventListener('change', settingsChanged);
  settingMute.addEventListener('change', function() { setMuted(settingMute.checked); });
  byId('settings').addEventListener('keydown', keepSettingsKeys);
  byId('settings').addEventListener('keyup', keepSettingsKeys);
  newGame.addEventListener('click', function() { location.reload(); });

  // --- The page's own texts in both languages; the game's menus are the
  // desktop's, in English in either. The language shows at once, in the
  // page and in the game, and is remembered and put in the address. ---
  var settingLanguage = byId('setting-language');
  var kPageTexts = {
    'save-recording' : [ '記録を保存', 'save recording' ],
    'save-trace' : [ 'トレースを保存', 'save trace' ],
    'again' : [ 'もう一度あそぶ', 'play again' ],
    'setting-new-game' : [ '新しいゲーム', 'new game' ],
  };
  // Texts beside a control, inside its label.
  var kLabelTexts = {
    'setting-level' : [ 'レベル', 'level' ],
    'setting-two-players' : [ 'ふたりで', 'two players' ],
    'setting-mute' : [ '消音', 'mute' ],
    'setting-language' : [ '言語', 'language' ],
    'volume-mute' : [ '消音', 'mute' ],
  };
  function setLabelText(control, text) {
    var label = control.closest('label');
    if (!label) return;
    for (var node = label.firstChild; node; node = node.nextSibling)
      if (node.nodeType == Node.TEXT_NODE && /\S/.test(node.nodeValue)) {
        node.nodeValue = control == label.firstChild ? text : text + ' ';
        return;
      }
  }
  function ignoredNote(shown) {
    var words = shortened(address.bad.join(', '), kNoteLength);
    if (shown == kJapanese) return 'リンクの ' + words + ' は無視しました';
    return 'the link\'s ' + words + (address.bad.length > 1 ? ' were ignored' : ' was ignored');
  }
  function showLanguage(shown) {
    Object.keys(kPageTexts).forEach(function(id) { byId(id).textContent = kPageTexts[id][shown]; });
    Object.keys(kLabelTexts).forEach(function(id) { setLabelText(byId(id), kLabelTexts[id][shown]); });
    if (address.bad.length > 0) {
      settingNote.textContent = ignoredNote(shown);
      settingNote.title = settingNote.textContent;  // the whole of it, where the bar is too narrow
    }
    settingLanguage.value = kLanguageCodes[shown];
    var code = kLanguageCodes[shown];
    if (document.documentElement.lang == code) return;
    document.documentElement.lang = code;
    window.dispatchEvent(new Event('pinwick-language'));
  }
  showLanguage(language);
  settingLanguage.addEventListener('change', function() {
    var chosen = kLanguageCodes.indexOf(settingLanguage.value);
    if (chosen < 0 || chosen == language) return;
    language = chosen;
    store(kLanguage.key, language);
    writeAddress(panelChoices());
    showLanguage(language);
    if (ready && !ended) Module._pageSetLanguage(language);
  });

  byId('cover').addEventListener('click', function() { Module._pageRestore(); });
  byId('again').addEventListener('click', function() { location.reload(); });
  canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });

  function fileText(path) {
    Module._pageFlushFiles();
    return FS.readFile(path, {encoding : 'utf8'});
  }
  // A button, so that Tab reaches it: the file is read when it is pressed
  // and handed to the browser through a link of its own.
  function offerDownload(button, path) {
    button.addEventListener('click', function() {
      var url = URL.createObjectURL(new Blob([ fileText(path) ], {type : 'text/plain'}));
      var link = document.createElement('a');
      link.href = url;
      link.download = path.slice(path.lastIndexOf('/') + 1);
      link.click();
      setTimeout(function() { URL.revokeObjectURL(url); });
    });
  }

  return {
    audio : null,
    firstFrameMs : null,  // since navigation: the first picture handed over
    firstPaintMs : null,  // and the browser's next paint, which shows it
    exitCode : null,

    modal : function() {
      return ended || covered || menuState != kMenuIdle || dialog !== null || question !== null ? 1 : 0;
    },

    addMenuTitle : function(index, text, command) {
      var element = document.createElement('div');
      element.className = 'menu';
      var button = document.createElement('button');
      showGameText(button, text);
      element.appendChild(button);
      var items = null;
      if (command == 0) {
        items = document.createElement('div');
        items.className = 'items';
        items.id = 'menu-items-' + index;
        items.setAttribute('role', 'menu');
        button.setAttribute('aria-haspopup', 'menu');
        button.setAttribute('aria-expanded', 'false');
        button.setAttribute('aria-controls', items.id);
        element.appendChild(items);
        element.addEventListener('keydown', function(e) { menuKey(index, e); });
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
      titles[index] = {element : element, button : button, items : items};
      menuBar.insertBefore(element, byId('files'));
    },
    addMenuItem : function(index, text, command) {
      var button = document.createElement('button');
      showGameText(button, text);
      button.setAttribute('role', 'menuitem');
      button.tabIndex = -1;
      button.addEventListener('click', function() {
        if (PinwickUx.resetWouldLoseMatch(command)) holdGameAndAsk('reset', command);
        else closeMenu(command);
      });
      titles[index].items.appendChild(button);
    },
    takeMenuChoice : function() {
      if (menuState == kMenuOpen) return kMenuStillOpen;
      var command = menuState == kMenuChosen ? chosen : 0;
      menuState = kMenuIdle;
      return command;
    },

    openConfirm : function(question, yes, no, title) {
      showGameText(byId('confirm-title'), title);
      showGameText(byId('confirm-text'), question);
      showGameText(byId('confirm-yes'), yes);
      showGameText(byId('confirm-no'), no);
      showDialog(confirmDialog, byId('confirm-yes'));
    },
    openMessage : function(text, title) {
      showGameText(byId('message-title'), title);
      showGameText(byId('message-text'), text);
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
      showGameText(byId('volume-title'), title);
      volumeLevel.value = stored(kVolume);
      volumeMute.checked = stored(kMuted) != 0;
      if (volumePanel.hidden) focusBeforeVolume = document.activeElement;
      volumePanel.hidden = false;
      volumeLevel.focus();
      return 1;
    },
    applyVolume : function() {
      if (!Pinwick.audio) return;
      var muted = stored(kMuted) != 0;
      Pinwick.audio.gain.gain.value = muted ? 0 : stored(kVolume) / kFullVolume;
    },

    // The cover takes the focus, so that Enter or Space brings the game
    // back; the focus then returns.
    showMinimised : function(shown) {
      var cover = byId('cover');
      if (covered == (shown != 0)) return;
      covered = shown != 0;
      if (covered) focusBeforeCover = document.activeElement;
      cover.hidden = !covered;
      if (covered) cover.focus();
      else giveFocusBack(cover, focusBeforeCover);
    },

    placeScreen : function(left, top, width, height, upright) {
      var style = byId('screen').style;
      style.left = left + 'px';
      style.top = top + 'px';
      style.width = width + 'px';
      style.height = height + 'px';
      PinwickUx.placedScreen(left, top, width, height, upright);
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
      PinwickUx.drawPieces(canvas);
      if (Pinwick.firstFrameMs === null) {
        Pinwick.firstFrameMs = performance.now();
        requestAnimationFrame(function() {
          Pinwick.firstPaintMs = performance.now();
          if (picturesToUse) setTimeout(picturesToUse);
        });
      }
    },

    // Setting the cursor restyles the page: it waits until the first
    // picture has been painted. (The icon is a file of the page's own.)
    usePictures : function(cursor) {
      picturesToUse = function() {
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
    // The stored settings of the page's other files, each through the one
    // rule above: {key, fallback, min, max}.
    storedSetting : stored,
    storeSetting : store,
    // What the game plays with: the footer's choices, and whether the
    // address asked for a recording.
    gameLevel : function() { return running.level; },
    gameTwoPlayers : function() { return running.twoPlayers ? 1 : 0; },
    gameRecords : function() { return address.record ? 1 : 0; },
    gameLanguage : function() { return language; },
    frames : function() { return ready ? Module._pageFrames() : 0; },

    ready : function() { ready = true; },

    // What the page's guards (page_ux.js) ask and do.
    isReady : function() { return ready; },
    hasEnded : function() { return ended; },
    holdGameAndAsk : holdGameAndAsk,
    // Esc's first work: the open menu or the volume panel; true when there
    // was one to close. A dialog takes its own Esc.
    closeOpenPart : function() {
      if (menuState == kMenuOpen && openTitle >= 0) {
        closeMenu(0);
        return true;
      }
      if (!volumePanel.hidden) {
        closeVolume();
        return true;
      }
      return false;
    },
    dialogOpen : function() { return dialog !== null || question !== null; },

    gameEnded : function(exitCode) {
      ended = true;
      Pinwick.exitCode = exitCode;
      closeMenu(0);
      closeVolume();
      // Only the recording's files stay usable.
      menuBar.classList.add('ended');
      titles.forEach(function(title) { title.element.inert = true; });
      byId('ended').hidden = false;
      byId('again').focus();
      PinwickUx.gameEnded();
    },
  };
})();
Module.canvas = document.getElementById('canvas');
Module.onRuntimeInitialized = function() { Pinwick.ready(); };
