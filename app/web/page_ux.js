// The page's guards around the game (after page.js): the way out of the
// ending and GAME OVER, which keys reach the game, the questions before a
// match is thrown away, the pointer counted as the game's messages, the
// picture in pieces on a phone held upright, and full screen (the
// settings bar's button).
var PinwickUx = (function() {
  var kLeaveShownAfterMs = 4000;  // in the ending or GAME OVER, before the way out shows
  var kUprightHintScale = 1.5;    // turning the phone must grow the picture at least this much
  var kGameWidth = 160, kGameHeight = 60;

  var kTexts = {
    ja : {
      title : 'Pinwick',
      yes : 'はい',
      no : 'いいえ',
      escape : '対局をやめて、ゲームを終了しますか？',
      reset : '対局をやめて、タイトルに戻りますか？',
      newGame : 'はじめから',
      leave : '「はじめから」でタイトルに戻ります。Esc でゲームを終了します。',
      turn : '横向きにすると、絵が大きくなります。',
      fullscreen : '全画面',
      leaveFullscreen : '全画面をやめる',
    },
    en : {
      title : 'Pinwick',
      yes : 'Yes',
      no : 'No',
      escape : 'End the game? The match is lost.',
      reset : 'Leave this match and go back to the title?',
      newGame : 'New game',
      leave : 'New game goes back to the title; Esc ends the game.',
      turn : 'Turn the phone sideways for a bigger picture.',
      fullscreen : 'Full screen',
      leaveFullscreen : 'Leave full screen',
    },
  };

  var byId = function(id) { return document.getElementById(id); };
  var stage = byId('stage');
  var screen = byId('screen');
  var below = byId('below');
  var leaveLine = byId('leave-line');
  var newGame = byId('below-new-game');
  var turnHint = byId('turn-hint');
  var fullscreenButton = byId('fullscreen');
  var pieceCanvas = byId('pieces');
  var pieceContext = pieceCanvas.getContext('2d');

  var scenes = {match : -1, ending : -1, gameOver : -1};
  var resetCommand = -1;
  var scene = -1;
  var leaveDue = false, leaveTimer = null;
  var upright = false;
  var pieces = [], pieceRatio = 1;
  var pictureBottom = 0;  // in the stage, CSS pixels
  var escapeHeld = false;  // an Esc the page took: its release is the page's too

  function texts() { return /^ja/.test(document.documentElement.lang) ? kTexts.ja : kTexts.en; }
  function matchRunning() { return scene == scenes.match && !Pinwick.hasEnded(); }

  // --- What shows below the picture ---
  function showBelow() {
    var words = texts();
    var leaving = leaveDue && !Pinwick.hasEnded();
    leaveLine.textContent = words.leave;
    leaveLine.hidden = !leaving;
    newGame.textContent = words.newGame;
    newGame.hidden = !(leaving || (upright && (scene == scenes.match || scene == scenes.ending ||
                                               scene == scenes.gameOver) && !Pinwick.hasEnded()));
    turnHint.textContent = words.turn;
    turnHint.hidden = !upright || pieces.length > 0 || !turningGrows();
    fullscreenButton.textContent = document.fullscreenElement ? words.leaveFullscreen : words.fullscreen;
    fullscreenButton.hidden = !stage.requestFullscreen;
    below.hidden = leaveLine.hidden && newGame.hidden && turnHint.hidden;
    // The status line, when shown, hangs right under the picture.
    var statusLine = byId('status-line');
    var under = pictureBottom + (statusLine && !statusLine.hidden ? statusLine.offsetHeight : 0);
    var room = stage.clientHeight - below.offsetHeight;
    below.classList.toggle('over-picture', room < under);
    below.style.top = Math.max(0, Math.min(under, room)) + 'px';
  }
  // Sideways, the stage's long side is across: would the whole picture be
  // much larger than it is now?
  function turningGrows() {
    var ratio = window.devicePixelRatio || 1;
    var across = Math.floor(stage.clientHeight * ratio / kGameWidth),
        down = Math.floor(stage.clientWidth * ratio / kGameHeight);
    var now = Math.floor(stage.clientWidth * ratio / kGameWidth);
    return Math.min(across, down) >= now * kUprightHintScale;
  }
  newGame.addEventListener('click', function() {
    if (!Pinwick.isReady()) return;
    if (matchRunning()) Pinwick.holdGameAndAsk('reset', resetCommand);
    else Module._pageReset();
  });
  fullscreenButton.addEventListener('click', function() {
    if (document.fullscreenElement) document.exitFullscreen();
    else stage.requestFullscreen().catch(function(e) { console.warn('pinwick: no full screen: ' + e); });
  });
  document.addEventListener('fullscreenchange', showBelow);
  window.addEventListener('pinwick-language', showBelow);
  // The stage's size changes with the bars and with full screen, not only
  // with the window: the picture follows it.
  if (typeof ResizeObserver == 'function')
    new ResizeObserver(function() {
      if (Pinwick.isReady()) Module._pageLayOut();
    }).observe(stage);

  // --- Keys. Esc first closes what the page has open (full screen, a
  // menu, the volume panel; a dialog takes its own), and in a match it is
  // asked about before the game hears it. Any other key stays with the
  // page control that has focus: Space and Enter press it, as anywhere. ---
  function pageControlFocused() {
    var focused = document.activeElement;
    if (!focused || focused === document.body || focused === document.documentElement) return false;
    return !(screen.contains(focused) && focused.tagName == 'CANVAS');  // the picture itself is the game's
  }
  function takeEscape(e) {
    e.stopPropagation();
    e.preventDefault();
    escapeHeld = true;
  }
  window.addEventListener('keydown', function(e) {
    if (e.key != 'Escape' || Pinwick.dialogOpen()) return;
    if (document.fullscreenElement) {
      takeEscape(e);
      document.exitFullscreen();
    } else if (Pinwick.closeOpenPart()) {
      takeEscape(e);
    } else if (matchRunning() && Pinwick.isReady() && !Pinwick.modal()) {
      takeEscape(e);
      Pinwick.holdGameAndAsk('escape', 0, function(yes) {
        if (yes) Module._pageEscape();
      });
    }
  }, true);
  window.addEventListener('keyup', function(e) {
    if (e.key != 'Escape' || !escapeHeld) return;
    escapeHeld = false;
    e.stopPropagation();
  }, true);
  // A button, a checkbox or a menu title uses only the keys that press or
  // move; the game's letter keys (Z, M) still reach it from there. A select
  // or a slider keeps every key.
  var kControlKeys = /^( |Enter|Tab|Arrow(Left|Right|Up|Down)|Home|End|Page(Up|Down))$/;
  function keepForControl(e) {
    if (e.key == 'Escape' || !pageControlFocused()) return;
    var focused = document.activeElement;
    var typed = focused.tagName == 'SELECT' || (focused.tagName == 'INPUT' && focused.type != 'checkbox');
    if (typed || kControlKeys.test(e.key)) e.stopPropagation();
  }
  document.addEventListener('keydown', keepForControl);
  document.addEventListener('keyup', keepForControl);

  // --- The pointer off the picture, and touches anywhere, are messages
  // to the game too (the picture's own mouse and touch events already are) ---
  function countPointer(e) {
    if (!Pinwick.isReady()) return;
    var onPicture = screen.contains(e.target);
    if (onPicture && (e.type.indexOf('touch') == 0 || e.pointerType == 'mouse')) return;
    Module._pagePointerOffPicture();
  }
  ['pointerover', 'pointerdown', 'pointermove', 'pointerup', 'pointercancel', 'pointerout', 'touchstart',
   'touchmove', 'touchend', 'touchcancel']
      .forEach(function(type) { document.addEventListener(type, countPointer, {capture : true, passive : true}); });

  // --- Leaving: before the page goes, a match is asked about ---
  window.addEventListener('beforeunload', function(e) {
    if (!matchRunning()) return;
    e.preventDefault();
    e.returnValue = '';
  });

  return {
    questionWords : function(which) {
      var words = texts();
      return {title : words.title, text : words[which], yes : words.yes, no : words.no};
    },
    resetWouldLoseMatch : function(command) { return command == resetCommand && matchRunning(); },

    knowGame : function(match, ending, gameOver, reset) {
      scenes = {match : match, ending : ending, gameOver : gameOver};
      resetCommand = reset;
    },
    sceneChanged : function(now) {
      scene = now;
      clearTimeout(leaveTimer);
      leaveDue = false;
      if (scene == scenes.ending || scene == scenes.gameOver) {
        leaveTimer = setTimeout(function() {
          leaveDue = true;
          showBelow();
        }, kLeaveShownAfterMs);
      }
      showBelow();
    },
    gameEnded : showBelow,
    scene : function() { return scene; },
    // How the picture is laid out: its pieces in device pixels, none when whole.
    pieces : function() { return {ratio : pieceRatio, pieces : pieces.slice()}; },

    // The controls sit just below the picture, as wide as the stage.
    placedScreen : function(left, top, width, height, isUpright) {
      upright = isUpright != 0;
      document.body.classList.toggle('upright', upright);
      pictureBottom = top + height;
      showBelow();
    },
    // The picture in pieces: each a part of the game's canvas drawn at a
    // whole factor of device pixels, sharp. None: the canvas shows whole.
    clearPieces : function(ratio) {
      pieces = [];
      pieceRatio = ratio;
      screen.classList.remove('in-pieces');
    },
    addPiece : function(sourceLeft, sourceWidth, left, top, scale) {
      pieces.push({sourceLeft : sourceLeft, sourceWidth : sourceWidth, left : left, top : top, scale : scale});
      var width = 0, height = 0;
      pieces.forEach(function(p) {
        width = Math.max(width, p.left + p.sourceWidth * p.scale);
        height = Math.max(height, p.top + kGameHeight * p.scale);
      });
      pieceCanvas.width = width;
      pieceCanvas.height = height;
      pieceCanvas.style.width = width / pieceRatio + 'px';
      pieceCanvas.style.height = height / pieceRatio + 'px';
      screen.classList.add('in-pieces');
      if (Pinwick.isReady()) this.drawPieces(byId('canvas'));
    },
    drawPieces : function(canvas) {
      screen.classList.toggle('in-pieces', pieces.length > 0);
      if (pieces.length == 0) return;
      pieceContext.imageSmoothingEnabled = false;
      pieceContext.clearRect(0, 0, pieceCanvas.width, pieceCanvas.height);
      pieces.forEach(function(p) {
        pieceContext.drawImage(canvas, p.sourceLeft, 0, p.sourceWidth, canvas.height, p.left, p.top,
                               p.sourceWidth * p.scale, canvas.height * p.scale);
      });
    },
  };
})();
Pinwick.knowGame = PinwickUx.knowGame;
Pinwick.sceneChanged = PinwickUx.sceneChanged;
Pinwick.clearPieces = PinwickUx.clearPieces;
Pinwick.addPiece = function(sourceLeft, sourceWidth, left, top, scale) {
  PinwickUx.addPiece(sourceLeft, sourceWidth, left, top, scale);
};
