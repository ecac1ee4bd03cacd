// Sharing a run: "share this game" turns the run's recording into a link,
// #replay= and the recording deflated and in base64url, which opens the
// page and plays the run back frame for frame (replay_web.cpp), then lets
// the viewer play on or start anew. A recording too long for a link is
// offered as a file. The address is anyone's to write: it is checked for
// size before and after inflating, the game's own parser checks the rest,
// and nothing of it is ever written into the page but as text.
(function() {
  var kLinkWord = '#replay=';
  var kMaxLinkChars = 32 * 1024;  // of the encoded recording
  var kMaxRunBytes = 1 << 20;     // inflated: main_web.cpp's kMaxSharedRunBytes
  var kLinkPattern = /^[A-Za-z0-9_-]+$/;
  var kBase64Quantum = 4;
  var kChunkChars = 8192;  // per String.fromCharCode
  var kRecordingPath = '/pinwick-run.txt';
  var kCompleteMark = '# complete up to frame ';
  var kShownLength = 40;
  var kCopiedMs = 2000;
  // Game time per real time, in quarters (clock_web.cpp).
  var kSpeeds = [ 2, 4, 8, 16 ];
  var kRealSpeed = 4;
  var kStill = 0;
  // What loading a shared run found (replay_web.h).
  var kReplayOtherVersion = 1;

  var kTexts = {
    en : {
      share : 'share this game',
      shareTitle : 'Share this game',
      linkReady : 'This link plays the game so far back:',
      copy : 'copy',
      copied : 'copied',
      tooLong : 'This game is too long for a link. Save its recording as a file: pinwick-tool replay --script FILE plays it back.',
      saveFile : 'save the recording',
      close : 'OK',
      replay : 'replay',
      pause : 'pause',
      resume : 'play',
      speed : 'speed',
      overTitle : 'The shared game',
      over : 'The shared game has been played back to where it was shared.',
      playOn : 'play on',
      newGame : 'new game',
      refusedTitle : 'The link',
      broken : 'The link\'s game cannot be read: the link is damaged or cut short. A new game starts.',
      otherVersion : 'The link\'s game was recorded by another version of Pinwick ({0}) and plays only there. A new game starts.',
      noStreams : 'This browser cannot open shared games. A new game starts.',
    },
    ja : {
      share : 'この対局を共有',
      shareTitle : '対局の共有',
      linkReady : 'このリンクでここまでの対局を再生できます：',
      copy : 'コピー',
      copied : 'コピーしました',
      tooLong : 'この対局はリンクにするには長すぎます。記録をファイルに保存してください（pinwick-tool replay --script FILE で再生できます）。',
      saveFile : '記録を保存',
      close : 'OK',
      replay : '再生',
      pause : '一時停止',
      resume : '再生',
      speed : '速さ',
      overTitle : '共有された対局',
      over : '共有された対局を共有された所まで再生しました。',
      playOn : '続きを遊ぶ',
      newGame : '新しいゲーム',
      refusedTitle : 'リンク',
      broken : 'リンクの対局を読めません。リンクが壊れているか、途中で切れています。新しいゲームを始めます。',
      otherVersion : 'リンクの対局は別の版の Pinwick（{0}）で記録されたもので、その版でしか再生できません。新しいゲームを始めます。',
      noStreams : 'このブラウザーでは共有された対局を開けません。新しいゲームを始めます。',
    },
  };

  var byId = function(id) { return document.getElementById(id); };
  var footer = byId('settings');
  var menuBar = byId('menubar');

  // --- Texts in the page's language, again whenever it changes ---
  var worded = [];  // [element, key, argument]
  function language() { return /^ja/.test(document.documentElement.lang) ? 'ja' : 'en'; }
  function wording(key, argument) {
    var text = kTexts[language()][key];
    return argument === undefined ? text : text.replace('{0}', argument);
  }
  function say(element, key, argument) {
    element.textContent = wording(key, argument);
    for (var i = 0; i < worded.length; i++) {
      if (worded[i][0] === element) {
        worded[i] = [ element, key, argument ];
        return element;
      }
    }
    worded.push([ element, key, argument ]);
    return element;
  }
  window.addEventListener('pinwick-language', function() {
    worded.forEach(function(w) { w[0].textContent = wording(w[1], w[2]); });
  });

  function make(tag, parent, key) {
    var element = document.createElement(tag);
    if (key) say(element, key);
    if (parent) parent.appendChild(element);
    return element;
  }
  var style = make('style', document.head);
  style.textContent = '.panel p { margin: var(--gap); max-width: 32em; }\n' +
                      '.panel input[type=text] { font: inherit; width: 32em; max-width: 80vw; }\n' +
                      '#share-replay { display: flex; gap: var(--gap); align-items: center; }\n' +
                      '#share-replay[hidden] { display: none; }';

  // --- One panel at a time: a title, a text and its buttons ---
  var panel = make('div', document.body);
  panel.className = 'panel';
  panel.id = 'share-panel';
  panel.hidden = true;
  panel.setAttribute('role', 'dialog');
  var closable = false;  // the playback's end waits for a choice
  panel.addEventListener('keydown', function(e) {
    e.stopPropagation();
    if (e.key == 'Escape' && closable) closePanel();
  });
  panel.addEventListener('keyup', function(e) { e.stopPropagation(); });
  var panelTitle = make('h2', panel);
  var panelText = make('p', panel);
  panelText.id = 'share-text';
  var panelBody = make('div', panel);
  var panelButtons = make('div', panel);
  panelButtons.className = 'buttons';

  function openPanel(titleKey, textKey, argument) {
    closable = true;
    say(panelTitle, titleKey);
    say(panelText, textKey, argument);
    panelBody.replaceChildren();
    panelButtons.replaceChildren();
    panel.hidden = false;
  }
  function panelButton(key, action) {
    var button = make('button', panelButtons, key);
    button.addEventListener('click', action);
    return button;
  }
  function closePanel() { panel.hidden = true; }

  // --- The link's encoding ---
  function base64url(bytes) {
    var binary = '';
    for (var i = 0; i < bytes.length; i += kChunkChars)
      binary += String.fromCharCode.apply(null, bytes.subarray(i, i + kChunkChars));
    return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }
  function deflated(text) {
    var stream = new Blob([ text ]).stream().pipeThrough(new CompressionStream('deflate-raw'));
    return new Response(stream).arrayBuffer().then(function(buffer) { return base64url(new Uint8Array(buffer)); });
  }
  // The recording's bytes, or a rejection that says why not.
  function inflated(code) {
    if (code.length > kMaxLinkChars) return Promise.reject(new Error('the link is longer than ' + kMaxLinkChars));
    if (!kLinkPattern.test(code) || code.length % kBase64Quantum == 1)
      return Promise.reject(new Error('the link is not base64url'));
    var padded = code.replace(/-/g, '+').replace(/_/g, '/') +
                 '='.repeat((kBase64Quantum - code.length % kBase64Quantum) % kBase64Quantum);
    var binary = atob(padded);
    var bytes = new Uint8Array(binary.length);
    for (var i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
    var reader = new Blob([ bytes ]).stream().pipeThrough(new DecompressionStream('deflate-raw')).getReader();
    var chunks = [], total = 0;
    function next() {
      return reader.read().then(function(part) {
        if (part.done) return joined();
        total += part.value.length;
        if (total > kMaxRunBytes) {
          reader.cancel();
          throw new Error('the recording inflates to more than ' + kMaxRunBytes + ' bytes');
        }
        chunks.push(part.value);
        return next();
      });
    }
    function joined() {
      var run = new Uint8Array(total), at = 0;
      chunks.forEach(function(chunk) {
        run.set(chunk, at);
        at += chunk.length;
      });
      new TextDecoder('utf-8', {fatal : true}).decode(run);  // throws on a byte that is no text
      return run;
    }
    return next();
  }

  // --- Sharing ---
  // The recording without its comments, ending with the frame it was
  // shared at, or with the recorder's last line when the run has ended.
  function sharedRecording() {
    Module._pageFlushFiles();
    var lines = FS.readFile(kRecordingPath, {encoding : 'utf8'}).split('\n');
    var marks = lines.filter(function(line) { return line.indexOf(kCompleteMark) == 0; });
    var mark = Pinwick.exitCode !== null && marks.length > 0 ? marks[marks.length - 1]
                                                             : kCompleteMark + Pinwick.frames();
    var events = lines.filter(function(line) { return line !== '' && line[0] != '#'; });
    return events.join('\n') + '\n' + mark + '\n';
  }
  function pageAddress() { return location.href.replace(/[?#].*$/, ''); }

  function offerLink(link) {
    openPanel('shareTitle', 'linkReady');
    var field = make('input', panelBody);
    field.type = 'text';
    field.readOnly = true;
    field.id = 'share-link';
    field.value = link;
    var copy = panelButton('copy', function() {
      field.select();
      var copied = function() {
        say(copy, 'copied');
        setTimeout(function() { say(copy, 'copy'); }, kCopiedMs);
      };
      if (navigator.clipboard) navigator.clipboard.writeText(link).then(copied, function() {});
      else if (document.execCommand('copy')) copied();
    });
    panelButton('close', closePanel);
    field.focus();
    field.select();
  }
  function offerFile(recording) {
    openPanel('shareTitle', 'tooLong');
    var save = make('a', panelBody, 'saveFile');
    save.id = 'share-file';
    save.href = URL.createObjectURL(new Blob([ recording ], {type : 'text/plain'}));
    save.download = 'pinwick-run.txt';
    save.style.margin = 'var(--gap)';
    save.style.display = 'block';
    panelButton('close', function() {
      URL.revokeObjectURL(save.href);
      closePanel();
    });
  }
  function share() {
    var recording = sharedRecording();
    return deflated(recording).then(function(code) {
      if (code.length > kMaxLinkChars) {
        offerFile(recording);
        return {file : recording};
      }
      var link = pageAddress() + kLinkWord + code;
      offerLink(link);
      return {link : link};
    });
  }
  var shareButton = make('button', null, 'share');
  shareButton.id = 'share-game';
  shareButton.hidden = typeof CompressionStream == 'undefined';
  shareButton.addEventListener('click', function() {
    share().catch(function(e) { console.error('pinwick: the game could not be shared: ' + e); });
  });
  footer.insertBefore(shareButton, byId('setting-note'));

  // --- The playback's controls, in the settings bar while it plays ---
  var replayBar = make('span', null);
  replayBar.id = 'share-replay';
  replayBar.hidden = true;
  make('span', replayBar, 'replay');
  var pauseButton = make('button', replayBar, 'pause');
  pauseButton.id = 'share-pause';
  var speedLabel = make('label', replayBar);
  var speedWord = make('span', speedLabel, 'speed');
  var speedChoice = make('select', speedLabel);
  speedChoice.id = 'share-speed';
  kSpeeds.forEach(function(quarters) {
    var option = make('option', speedChoice);
    option.value = quarters;
    option.textContent = quarters / kRealSpeed + '\u00d7';
  });
  speedChoice.value = kRealSpeed;
  speedWord.style.marginRight = '4px';
  footer.insertBefore(replayBar, shareButton);

  var paused = false;
  function applySpeed() { Module._pageSetReplaySpeed(paused ? kStill : Number(speedChoice.value)); }
  pauseButton.addEventListener('click', function() {
    paused = !paused;
    say(pauseButton, paused ? 'resume' : 'pause');
    applySpeed();
  });
  speedChoice.addEventListener('change', applySpeed);

  function replayDone() {
    Pinwick.replay = 'over';
    replayBar.hidden = true;
    menuBar.inert = false;
  }

  // --- What main_web.cpp asks and tells ---
  var sharedRun = null;
  function refuse(key, argument) {
    openPanel('refusedTitle', key, argument);
    panelButton('close', closePanel).focus();
  }
  Pinwick.replay = 'none';  // 'playing', then 'over'
  Pinwick.share = share;
  // The address's shared run, checked: its length (0 for none). The word
  // leaves the address at once, so a reload starts a new game.
  Pinwick.sharedRunBytes = function() {
    var hash = location.hash;
    if (hash.indexOf(kLinkWord) != 0) return Promise.resolve(0);
    history.replaceState(null, '', location.pathname + location.search);
    if (typeof DecompressionStream == 'undefined') {
      refuse('noStreams');
      return Promise.resolve(0);
    }
    return Promise.resolve(hash.slice(kLinkWord.length)).then(inflated).then(function(run) {
      sharedRun = run;
      return run.length;
    }, function(e) {
      console.warn('pinwick: the link\'s game cannot be read: ' + e.message);
      refuse('broken');
      return 0;
    });
  };
  Pinwick.takeSharedRun = function() {
    var run = sharedRun;
    sharedRun = null;
    return run;
  };
  Pinwick.shareRefused = function(why, version, reason) {
    console.warn('pinwick: ' + reason);
    if (why == kReplayOtherVersion) refuse('otherVersion', version.slice(0, kShownLength));
    else refuse('broken');
  };
  Pinwick.replayStarts = function(lastFrame) {
    Pinwick.replay = 'playing';
    Pinwick.replayLastFrame = lastFrame;
    replayBar.hidden = false;
    menuBar.inert = true;  // its menus would wait on a game that hears only the run
  };
  Pinwick.replayOver = function() {
    replayDone();
    openPanel('overTitle', 'over');
    closable = false;
    panelButton('playOn', function() {
      closePanel();
      Module._pagePlayOn();
    }).focus();
    panelButton('newGame', function() { location.reload(); });
  };
  var gameEnded = Pinwick.gameEnded;
  Pinwick.gameEnded = function(exitCode) {
    if (Pinwick.replay == 'playing') replayDone();
    gameEnded(exitCode);
  };
})();
