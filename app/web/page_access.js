// The game in words (index.html, after page.js): the canvas's name, a
// hidden log that says what a sighted player sees as it happens (the scene,
// each move as a square name, the counts, whose turn, a pass, the result),
// the same as an optional status line under the picture, the cover's and
// the volume panel's names, and the "how to play" box. Every text is in the
// page's language (the html element's lang) and follows it when it changes.
var PinwickAccess = (function() {
  // The game's view, as game_view_web.cpp lays it out.
  var kViewScene = 0, kViewMatchState = 1, kViewSide = 2, kViewHuman = 3, kViewPassLit = 4, kViewWhite = 5,
      kViewRed = 6, kViewMoves = 7, kViewLastSquare = 8, kViewLastColour = 9, kViewLastTurned = 10,
      kViewPasses = 11, kViewPassColour = 12;
  var kSceneTitle = 2, kSceneMatch = 3, kSceneEnding = 4, kSceneGameOver = 5;
  var kAwaitingMove = 1, kStonesTurning = 2, kEndPause = 3, kMatchFinished = 5;
  var kWhite = 1, kRed = 2, kBothHuman = 0;
  var kBoardSize = 8;
  var kColumnNames = 'abcdefgh';
  var kKeptLines = 20;  // of the log: a screen reader reads each once, as it comes
  var kStatusLine = {key : 'pinwick.statusLine', fallback : 0, min : 0, max : 1};

  function capital(text) { return text.charAt(0).toUpperCase() + text.slice(1); }

  var kTexts = {
    en : {
      gap : ' ',  // between two sentences
      canvas : 'Pinwick, Reversi: the board, the face and the cards',
      log : 'what happens in the game',
      cover : 'The game is paused (M). Click here, or press Enter or Space, to go on.',
      statusLine : 'status line',
      howTo : 'how to play',
      volumeLevel : 'volume level',
      volumeMute : 'volume: mute',
      colour : {1 : 'white', 2 : 'red'},
      sceneTitle : 'Title: choose a card. White: you play white and move first. ' +
                       'Red: the computer plays white and moves first.',
      sceneTitleTwo : 'Title: choose a card; either starts the match for two players, white moves first.',
      sceneMatch : function(human) {
        return human == kBothHuman ? 'Match for two players.'
                                   : 'Match: you play ' + this.colour[human] + ', the computer ' +
                                         this.colour[3 - human] + '.';
      },
      sceneNames : {2 : 'Title: choose a card.', 4 : 'The ending.', 5 : 'Game over.'},
      sceneEnding : 'The ending: you won the match. Reset in the Game menu goes back to the title.',
      sceneGameOver : 'Game over. Reset in the Game menu goes back to the title.',
      move : function(colour, square, turned) { return this.colour[colour] + ' ' + square + ', takes ' + turned + '.'; },
      counts : function(white, red) { return 'White ' + white + ', red ' + red + '.'; },
      turn : function(side, human) {
        if (human == kBothHuman) return capital(this.colour[side]) + ' to move.';
        return (side == human ? 'Your move (' : 'The computer\'s move (') + this.colour[side] + ').';
      },
      mustPass : function(side, human) {
        return (human == kBothHuman ? capital(this.colour[side]) + ' has' : 'You have') + ' no move: press Pass.';
      },
      passes : function(colour) { return capital(this.colour[colour]) + ' passes.'; },
      over : 'The match is over.',
      winner : function(white, red) {
        return white > red ? 'White wins, ' + white + ' to ' + red + '.'
             : red > white ? 'Red wins, ' + red + ' to ' + white + '.'
                           : 'A draw, ' + white + ' to ' + red + '.';
      },
      result : function(white, red, human) {
        var lead = this.winner(white, red);
        var mine = human == kWhite ? white - red : red - white;
        var you = human == kBothHuman ? '' : mine > 0 ? ' You won.' : mine < 0 ? ' You lost.' : '';
        return lead + you + ' Press the end card (END) to go on.';
      },
      howToTitle : 'How to play',
      howToSections : [
        [ 'The rules', [
          'White and red take turns on the 8 × 8 board; white moves first.',
          'A stone must close off at least one straight line of the other colour between itself and a stone ' +
              'of its own: that line turns to its colour. With no such square, you pass.',
          'The match ends when neither side can move; the side with more stones wins.' ] ],
        [ 'The keys', [
          'Mouse: a click plays a square, or presses Pass or a card.',
          'Arrow keys: move a cursor over the board; Space or Enter plays the square under it, or presses ' +
              'Pass or the end card.',
          'On the title: Left and Right choose a card, Space or Enter picks it.',
          'Z: the computer moves at once instead of thinking. M: pauses the game. Esc: closes an open menu, ' +
              'or ends the game (in a match the page asks first).' ] ],
        [ 'The face and the cards', [
          'The face beside the board comments on the match: it watches you, thinks while the computer does, ' +
              'and shows at the end whether you won, lost or drew.',
          'On the title, the white card (WHITE) plays white and moves first; the red card (RED) lets the ' +
              'computer, playing white, move first.',
          'In the match, the card on the left shows whose turn it is; it becomes the end card (END) when ' +
              'the match is over: it leads to the ending if you won, to game over if not. Pass lights ' +
              'up when you have no move.' ] ],
      ],
    },
    ja : {
      gap : '',
      canvas : 'Pinwick、リバーシ: 盤、顔、カード',
      log : 'ゲームの出来事',
      cover : 'ゲームは一時停止中です（M）。ここをクリックするか、Enter か Space を押すと再開します。',
      statusLine : '状況表示',
      howTo : '遊び方',
      volumeLevel : '音量',
      volumeMute : '音量: ミュート',
      colour : {1 : 'しろ', 2 : 'あか'},
      sceneTitle : 'タイトル: カードを選んでください。しろ: あなたがしろで先手。あか: コンピューターがしろで先手。',
      sceneTitleTwo : 'タイトル: どちらのカードでも二人対戦が始まります。しろが先手です。',
      sceneMatch : function(human) {
        return human == kBothHuman ? '二人対戦。'
                                   : '対局: あなたは' + this.colour[human] + '、コンピューターは' +
                                         this.colour[3 - human] + '。';
      },
      sceneNames : {2 : 'タイトル: カードを選んでください。', 4 : 'エンディング。', 5 : 'ゲームオーバー。'},
      sceneEnding : 'エンディング: あなたの勝ちです。Game メニューの Reset でタイトルに戻ります。',
      sceneGameOver : 'ゲームオーバー。Game メニューの Reset でタイトルに戻ります。',
      move : function(colour, square, turned) { return this.colour[colour] + ' ' + square + '、' + turned + '個返した。'; },
      counts : function(white, red) { return 'しろ ' + white + '、あか ' + red + '。'; },
      turn : function(side, human) {
        if (human == kBothHuman) return this.colour[side] + 'の番。';
        return (side == human ? 'あなたの番（' : 'コンピューターの番（') + this.colour[side] + '）。';
      },
      mustPass : function(side, human) {
        return (human == kBothHuman ? this.colour[side] + 'は' : '') + '打てる所がありません。パスを押してください。';
      },
      passes : function(colour) { return this.colour[colour] + 'はパス。'; },
      over : '対局終了。',
      winner : function(white, red) {
        return white > red ? 'しろの勝ち、' + white + '対' + red + '。'
             : red > white ? 'あかの勝ち、' + red + '対' + white + '。'
                           : '引き分け、' + white + '対' + red + '。';
      },
      result : function(white, red, human) {
        var lead = this.winner(white, red);
        var mine = human == kWhite ? white - red : red - white;
        var you = human == kBothHuman ? '' : mine > 0 ? 'あなたの勝ち。' : mine < 0 ? 'あなたの負け。' : '';
        return lead + you + 'おわりのカードを押すと進みます。';
      },
      howToTitle : '遊び方',
      howToSections : [
        [ 'ルール', [
          'しろとあかが 8 × 8 の盤に交互に石を置きます。しろが先手です。',
          '相手の石の列を自分の石ではさめる所にだけ置けます。はさんだ石は自分の色に変わります。置ける所が' +
              'なければパスです。',
          'どちらも置けなくなったら終局で、石の多い方の勝ちです。' ] ],
        [ 'キー', [
          'マウス: クリックでその升に置きます。パスやカードもクリックで押せます。',
          '矢印キー: 盤の上のカーソルを動かします。Space か Enter でその升に置くか、パスやおわりのカードを押します。',
          'タイトルでは左右の矢印でカードを選び、Space か Enter で決めます。',
          'Z: コンピューターがすぐに打ちます。M: 一時停止。Esc: 開いたメニューを閉じます。メニューがなければゲームを終わります（対局中は確認します）。' ] ],
        [ '顔とカード', [
          '盤の横の顔は対局に反応します。あなたを見守り、コンピューターの番には考え込み、最後には勝ち・負け・' +
              '引き分けを表します。',
          'タイトルのしろのカードではあなたがしろで先手、あかのカードではコンピューターがしろで先手です。',
          '対局中、左のカードはどちらの番かを示し、終局するとおわりのカードになります。勝てばエンディングへ、' +
              'そうでなければゲームオーバーへ進みます。打てる所がないとパスが光ります。' ] ],
      ],
    },
  };

  var byId = function(id) { return document.getElementById(id); };
  var canvas = byId('canvas');
  var announcer = byId('announcer');
  var statusLine = byId('status-line');
  var statusSetting = byId('setting-status-line');
  var howTo = byId('how-to');
  var view = null;         // the game's last view
  var pendingMove = null;  // placed, said once its stones have turned

  function texts() { return /^ja/i.test(document.documentElement.lang) ? kTexts.ja : kTexts.en; }

  function squareName(index) { return kColumnNames.charAt(index % kBoardSize) + (Math.floor(index / kBoardSize) + 1); }

  function say(text) {
    var line = document.createElement('p');
    line.textContent = text;
    announcer.appendChild(line);
    while (announcer.children.length > kKeptLines) announcer.removeChild(announcer.firstChild);
  }

  function readView(fields, count) {
    var v = HEAP32.subarray(fields >> 2, (fields >> 2) + count);
    return {
      scene : v[kViewScene], state : v[kViewMatchState], side : v[kViewSide], human : v[kViewHuman],
      passLit : v[kViewPassLit] != 0, white : v[kViewWhite], red : v[kViewRed], moves : v[kViewMoves],
      lastSquare : v[kViewLastSquare], lastColour : v[kViewLastColour], lastTurned : v[kViewLastTurned],
      passes : v[kViewPasses], passColour : v[kViewPassColour],
    };
  }

  function turnText(t, now) {
    if (now.passLit) return t.mustPass(now.side, now.human);
    return t.turn(now.side, now.human);
  }

  function sceneText(t, now) {
    switch (now.scene) {
      case kSceneTitle: return Pinwick.gameTwoPlayers() ? t.sceneTitleTwo : t.sceneTitle;
      case kSceneMatch: return t.sceneMatch(now.human);
      case kSceneEnding: return t.sceneEnding;
      case kSceneGameOver: return t.sceneGameOver;
      default: return '';
    }
  }

  // What changed between two views, as one line, or '' when nothing worth
  // saying did: a stone is said once its stones have turned, with the
  // counts and whose turn follows.
  function newsOf(before, now) {
    var t = texts();
    var parts = [];
    var sameScene = before !== null && before.scene == now.scene;
    if (!sameScene) {
      pendingMove = null;
      parts.push(sceneText(t, now));
    }
    if (now.scene == kSceneMatch) {
      if (sameScene && now.moves != before.moves)
        pendingMove = {colour : now.lastColour, square : now.lastSquare, turned : now.lastTurned};
      var passed = sameScene && now.passes != before.passes;
      if (passed) parts.push(t.passes(now.passColour));
      var settled = now.state == kAwaitingMove && (!sameScene || before.state != kAwaitingMove || passed);
      var over = now.state == kEndPause && sameScene && before.state != kEndPause;
      if ((settled || over) && pendingMove) {
        parts.push(t.move(pendingMove.colour, squareName(pendingMove.square), pendingMove.turned));
        pendingMove = null;
      }
      if (settled || over) parts.push(t.counts(now.white, now.red));
      if (settled) parts.push(turnText(t, now));
      if (over) parts.push(t.over);
      if (now.state == kMatchFinished && (!sameScene || before.state != kMatchFinished))
        parts.push(t.result(now.white, now.red, now.human));
    }
    return parts.filter(function(part) { return part != ''; }).join(t.gap);
  }

  // The status line: the counts and whose turn in a match, the scene
  // otherwise.
  function statusOf(now) {
    var t = texts();
    if (now === null) return '';
    if (now.scene != kSceneMatch) return t.sceneNames[now.scene] || '';
    var counts = t.counts(now.white, now.red);
    if (now.state == kMatchFinished) return counts + t.gap + t.winner(now.white, now.red);
    if (now.state == kAwaitingMove || now.state == kStonesTurning) return counts + t.gap + turnText(t, now);
    return counts + t.gap + t.over;
  }
  function showStatus() { statusLine.textContent = statusOf(view); }

  // --- The status line setting: off unless chosen, remembered with the
  // page's other settings ---
  function placeStatusLine(shown) {
    document.body.classList.toggle('with-status-line', shown);
    statusLine.hidden = !shown;
    // The picture is laid out again in what is left of the stage.
    if (Pinwick.frames() > 0) Module._pageLayOut();
  }
  statusSetting.checked = Pinwick.storedSetting(kStatusLine) != 0;
  placeStatusLine(statusSetting.checked);
  statusSetting.addEventListener('change', function() {
    Pinwick.storeSetting(kStatusLine.key, statusSetting.checked ? 1 : 0);
    placeStatusLine(statusSetting.checked);
  });

  // --- How to play: a box of the page's own, which keeps its keys from the
  // game and gives the focus back when it closes ---
  var focusBeforeHowTo = null;
  function closeHowTo() {
    howTo.close();
    if (focusBeforeHowTo && focusBeforeHowTo.isConnected) focusBeforeHowTo.focus();
    focusBeforeHowTo = null;
  }
  byId('how-to-play').addEventListener('click', function() {
    if (typeof howTo.showModal != 'function' || howTo.open) return;
    focusBeforeHowTo = document.activeElement;
    howTo.showModal();
    byId('how-to-close').focus();
  });
  byId('how-to-close').addEventListener('click', closeHowTo);
  howTo.addEventListener('cancel', function(e) {
    e.preventDefault();
    closeHowTo();
  });
  function keepKeys(e) { e.stopPropagation(); }
  howTo.addEventListener('keydown', keepKeys);
  howTo.addEventListener('keyup', keepKeys);

  function showHowTo(t) {
    byId('how-to-title').textContent = t.howToTitle;
    var body = byId('how-to-text');
    body.textContent = '';
    t.howToSections.forEach(function(section) {
      var heading = document.createElement('h3');
      heading.textContent = section[0];
      var list = document.createElement('ul');
      section[1].forEach(function(text) {
        var item = document.createElement('li');
        item.textContent = text;
        list.appendChild(item);
      });
      body.appendChild(heading);
      body.appendChild(list);
    });
  }

  function showTexts() {
    var t = texts();
    canvas.setAttribute('aria-label', t.canvas);
    announcer.setAttribute('aria-label', t.log);
    byId('cover-text').textContent = t.cover;
    byId('setting-status-line-text').textContent = t.statusLine;
    byId('how-to-play').textContent = t.howTo;
    byId('volume-level').setAttribute('aria-label', t.volumeLevel);
    byId('volume-mute').setAttribute('aria-label', t.volumeMute);
    showHowTo(t);
    showStatus();
  }
  showTexts();
  window.addEventListener('pinwick-language', showTexts);

  return {
    // After a frame that changed what the game shows (game_view_web.cpp).
    viewChanged : function(fields, count) {
      var now = readView(fields, count);
      var news = newsOf(view, now);
      view = now;
      if (news != '') say(news);
      showStatus();
    },
  };
})();
