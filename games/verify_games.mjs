#!/usr/bin/env node
// Replays every game of a PGN file with chess.js and checks that the saver's
// own reader would decode it to the last move.
//
// Usage: node games/verify_games.mjs [file.pgn]
// chess.js is not part of the repository: install it in a scratch folder
// (mkdir -p /tmp/gv && cd /tmp/gv && npm install chess.js) and point
// CHESS_JS_DIR at that folder when it is not /tmp/gv.
//
// Exits 1 when any game has an illegal or undecodable move, a malformed tag
// or a final position that contradicts its result.

import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const pgnPath = process.argv[2] ?? join(here, 'varnoth.pgn');
const chessDir = process.env.CHESS_JS_DIR ?? '/tmp/gv';

let Chess;
try {
  ({ Chess } = createRequire(join(chessDir, 'package.json'))('chess.js'));
} catch {
  console.error(`chess.js not found under ${chessDir}; run: mkdir -p ${chessDir} && cd ${chessDir} && npm install chess.js`);
  process.exit(2);
}

const kMaxPlies = 400;
const kMaxTagValue = 50;
const kMaxDateValue = 10;
const kMoveStartChars = 'abcdefghNBRQKO';
const kMoveChars = 'abcdefghNBRQKO123456789-x=';
const kRequiredTags = ['Event', 'Site', 'Date', 'Round', 'White', 'Black', 'Result'];
const kResults = ['1-0', '0-1', '1/2-1/2', '*'];

// Counts games the way the saver does: a tag section followed by a byte that
// can begin move text. A count that differs from ours means games would merge.
function countGamesLikeReader(text) {
  let inTag = false, inBrace = false, inLine = false, armed = false, count = 0;
  for (const b of text) {
    if (!inBrace && !inLine) {
      if (b === '[') { inTag = true; armed = true; }
      else if (b === ']') inTag = false;
    }
    if (!inTag) {
      if (!inLine) { if (b === '{') inBrace = true; else if (b === '}') inBrace = false; }
      if (!inBrace && b === ';') inLine = true;
    }
    if ((b === '\n' && !inBrace) || b === '\r') inLine = false;
    if (!inTag && !inBrace && !inLine && /[1-9a-hN]/.test(b)) {
      if (armed) count++;
      armed = false;
    }
  }
  return count;
}

// Collects move tokens exactly as the saver's reader does, so that a move the
// reader would split, merge or skip shows up as a mismatch.
function readerTokens(moveText) {
  const tokens = [];
  let inBrace = false, inLine = false, inNag = false, inToken = false, depth = 0, cur = '';
  for (const b of moveText) {
    if (!inLine && b === '{') inBrace = true;
    else if (!inBrace && b === ';') inLine = true;
    else if (!inBrace && !inLine && b === '(') depth++;
    if (inNag && !/[0-9]/.test(b)) inNag = false;
    if (!inBrace && !inLine && b === '$') inNag = true;
    if (!inBrace && !inLine && depth === 0 && !inNag && tokens.length < kMaxPlies) {
      if (!inToken) {
        if (kMoveStartChars.includes(b)) { cur = b; inToken = true; }
      } else if (kMoveChars.includes(b)) {
        cur += b;
      } else {
        tokens.push(cur);
        inToken = false;
      }
    }
    if (!inLine && b === '}') inBrace = false;
    else if (!inBrace && !inLine && b === ')') depth--;
    else if (inLine && b === '\r') inLine = false;
  }
  return tokens; // a token still open at the end is never completed
}

// The standard reading of the move text: SAN words without move numbers,
// comments or the result.
function sanWords(moveText) {
  const plain = moveText.replace(/\{[^}]*\}/g, ' ');
  return plain.split(/\s+/).filter(w => w && !/^\d+\.(\.\.)?$/.test(w) && !kResults.includes(w))
    .map(w => w.replace(/^\d+\.(\.\.)?/, ''));
}

// Decodes one reader token against the legal moves the way the saver's SAN
// interpreter does; returns the chosen move or a reason for refusal.
function decodeLikeReader(chess, token) {
  let t = token;
  for (const c of ['x', '-', '=', ' ', '+', '#']) t = t.split(c).join('');
  const legal = chess.moves({ verbose: true });
  const side = chess.turn();
  const home = side === 'w' ? '1' : '8';
  if (t === 'OO' || t === 'OOO') {
    const to = (t === 'OO' ? 'g' : 'c') + home;
    const m = legal.find(x => x.piece === 'k' && x.from === 'e' + home && x.to === to);
    return m ?? 'castling not legal';
  }
  let promotion = '';
  if ('QRBN'.includes(t.slice(-1)) && t.length > 0) { promotion = t.slice(-1).toLowerCase(); t = t.slice(0, -1); }
  if (t.length === 0) return 'empty token';
  let piece;
  if (/^[a-h]/.test(t)) piece = 'p';
  else if ('PNBRQK'.includes(t[0])) { piece = t[0].toLowerCase(); t = t.slice(1); }
  else return 'bad first character';
  const isFile = c => /[a-h]/.test(c), isRank = c => /[1-8]/.test(c);
  if (t.length < 2 || t.length > 4) return 'bad length';
  const dest = t.slice(-2);
  if (!isFile(dest[0]) || !isRank(dest[1])) return 'bad destination';
  const reaching = [...new Set(legal.filter(x => x.piece === piece && x.to === dest).map(x => x.from))];
  let from;
  if (t.length === 2 || (t.length === 3 && isFile(t[0]))) {
    const pool = t.length === 2 ? reaching : reaching.filter(s => s[0] === t[0]);
    if (pool.length !== 1) return pool.length === 0 ? 'no piece reaches' : 'ambiguous';
    from = pool[0];
  } else if (t.length === 3 && isRank(t[0])) {
    const pool = reaching.filter(s => s[1] === t[0]).sort();
    if (pool.length === 0) return 'no piece reaches';
    from = pool[pool.length - 1]; // the reader takes the highest file
  } else if (t.length === 4) {
    if (!isFile(t[0]) || !isRank(t[1])) return 'bad origin';
    from = t.slice(0, 2);
    if (!reaching.includes(from)) return 'origin does not reach';
  } else {
    return 'bad disambiguation';
  }
  if (piece === 'p' && (dest[1] === '1' || dest[1] === '8') && !promotion) return 'promotion letter missing';
  const m = legal.find(x => x.from === from && x.to === dest && (!x.promotion || x.promotion === (promotion || 'q')));
  return m ?? 'no such move';
}

function splitGames(text) {
  const games = [];
  let cur = null;
  for (const line of text.split('\n')) {
    if (line.startsWith('[')) {
      if (!cur || cur.moveLines.length > 0) { cur = { tagLines: [], moveLines: [] }; games.push(cur); }
      cur.tagLines.push(line);
    } else if (line.trim() !== '' && cur) {
      cur.moveLines.push(line);
    }
  }
  return games;
}

function checkFile(text, problems) {
  if (/[^\x0a\x20-\x7e]/.test(text)) problems.push('file holds bytes other than printable ASCII and LF');
  if (!/\]\n\n[1-9a-hN]/.test(text)) problems.push('no blank line between tags and move text');
  const blocks = text.trim().split(/\n\n+/);
  if (blocks.length % 2 !== 0) problems.push('tag sections and move texts do not alternate');
}

function checkTags(tags, problems) {
  for (const name of kRequiredTags) if (!(name in tags)) problems.push(`tag ${name} missing`);
  for (const [name, value] of Object.entries(tags)) {
    const limit = name === 'Date' ? kMaxDateValue : kMaxTagValue;
    if (name !== 'FEN' && value.length > limit) problems.push(`tag ${name} longer than ${limit}`);
    if (/[[\]{}]/.test(value)) problems.push(`tag ${name} holds a bracket or brace`);
  }
  if (tags.Date && !/^(\d{4}|\?{4})\.(\d\d|\?\?)\.(\d\d|\?\?)$/.test(tags.Date)) problems.push('Date not YYYY.MM.DD');
  if (tags.Result && !kResults.includes(tags.Result)) problems.push('bad Result');
  if ('FEN' in tags) {
    if (tags.SetUp !== '1') problems.push('FEN without SetUp "1"');
    if (tags.FEN.trim().split(/\s+/).length !== 6) problems.push('FEN without six fields');
  }
}

// Judges the final position against the result: mate must match a decisive
// result, a draw may not end in mate, and a resignation is reported with the
// material balance so a reader can see whether the loser was really lost.
function judgeEnd(chess, result, lastSan, problems) {
  const values = { p: 1, n: 3, b: 3, r: 5, q: 9, k: 0 };
  let balance = 0;
  for (const row of chess.board()) for (const sq of row) if (sq) balance += (sq.color === 'w' ? 1 : -1) * values[sq.type];
  const mover = chess.turn();
  if (chess.isCheckmate()) {
    const winner = mover === 'w' ? '0-1' : '1-0';
    if (result !== winner) problems.push(`checkmate but result ${result}`);
    if (!lastSan.endsWith('#')) problems.push('mating move not marked #');
    return 'checkmate';
  }
  if (lastSan.endsWith('#')) problems.push('move marked # is not mate');
  if (chess.isStalemate()) {
    if (result !== '1/2-1/2') problems.push('stalemate but not drawn');
    return 'stalemate';
  }
  const material = `material ${balance >= 0 ? '+' : ''}${balance}`;
  if (chess.isInsufficientMaterial()) {
    if (result !== '1/2-1/2') problems.push('insufficient material but not drawn');
    return 'insufficient material';
  }
  if (result === '1/2-1/2') return `draw agreed/claimed, ${material}`;
  if (result === '*') return `unfinished, ${material}`;
  const loser = result === '1-0' ? 'Black' : 'White';
  const check = chess.inCheck() ? ', in check' : '';
  return `${loser} resigned, ${chess.turn() === 'w' ? 'White' : 'Black'} to move${check}, ${material}`;
}

function verifyGame(game) {
  const problems = [];
  const tags = {};
  for (const line of game.tagLines) {
    const m = /^\[([A-Za-z0-9_]+) "([^"]*)"\]$/.exec(line);
    if (!m) { problems.push(`bad tag line: ${line}`); continue; }
    tags[m[1]] = m[2];
  }
  checkTags(tags, problems);
  const moveText = game.moveLines.join('\n');
  const words = sanWords(moveText);
  const endToken = moveText.trim().split(/\s+/).pop();
  if (endToken !== tags.Result) problems.push(`move text ends with ${endToken}, Result is ${tags.Result}`);
  const tokens = readerTokens(moveText + '\n');
  if (words.length > kMaxPlies) problems.push(`${words.length} plies, more than ${kMaxPlies}`);
  if (tokens.length !== words.length) problems.push(`reader sees ${tokens.length} tokens, text has ${words.length} moves`);
  if (moveText.includes('0-0')) problems.push('castling written with zeros');
  if (/[!?]/.test(moveText.replace(/\{[^}]*\}/g, ''))) problems.push('annotation glyph in move text');

  let chess;
  try {
    chess = 'FEN' in tags ? new Chess(tags.FEN) : new Chess();
  } catch (e) {
    problems.push(`bad FEN: ${e.message}`);
    return { tags, plies: 0, legal: false, end: '-', problems };
  }
  let legal = true;
  let lastSan = '';
  const notes = [];
  for (let i = 0; i < words.length; i++) {
    const word = words[i];
    const wasInCheck = chess.inCheck();
    const where = `ply ${i + 1} (${word})`;
    const ours = decodeLikeReader(chess, tokens[i] ?? '');
    let move;
    try { move = chess.move(word, { strict: true }); } catch { move = null; }
    if (!move) { problems.push(`${where}: illegal or not strict SAN`); legal = false; break; }
    if (typeof ours === 'string') { problems.push(`${where}: reader would refuse token ${tokens[i]}: ${ours}`); legal = false; break; }
    if (ours.from !== move.from || ours.to !== move.to || (ours.promotion ?? '') !== (move.promotion ?? '')) {
      problems.push(`${where}: reader would play ${ours.from}${ours.to} instead`); legal = false; break;
    }
    if (move.san !== word) problems.push(`${where}: canonical SAN is ${move.san}`);
    if (move.flags.includes('e')) notes.push(`${where}: en passant${wasInCheck ? ' out of check' : ''}`);
    lastSan = word;
  }
  const end = legal ? judgeEnd(chess, tags.Result, lastSan, problems) : '-';
  const lastMove = chess.turn() === 'w' ? chess.moveNumber() - 1 : chess.moveNumber();
  return { tags, plies: words.length, lastMove, legal, end, problems, notes };
}

const text = readFileSync(pgnPath, 'latin1');
const fileProblems = [];
checkFile(text, fileProblems);
const games = splitGames(text);
const readerCount = countGamesLikeReader(text);
if (readerCount !== games.length) fileProblems.push(`reader counts ${readerCount} games, file has ${games.length}`);

let failed = fileProblems.length > 0;
for (const p of fileProblems) console.log(`file: ${p}`);
let fenGames = 0;
games.forEach((game, i) => {
  const r = verifyGame(game);
  if (r.tags.FEN) fenGames++;
  const year = (r.tags.Date ?? '????').slice(0, 4);
  const start = r.tags.FEN ? `FEN ${r.tags.FEN.split(' ')[1] === 'b' ? 'black' : 'white'} to move` : 'initial position';
  console.log(`${String(i + 1).padStart(2)}. ${r.tags.White} - ${r.tags.Black}, ${year}, ${r.plies} plies (last move ${r.lastMove ?? '-'}), ${start}, ` +
    `${r.legal ? 'all legal' : 'ILLEGAL'}, ${r.tags.Result}: ${r.end}`);
  for (const n of r.notes ?? []) console.log(`      note: ${n}`);
  for (const p of r.problems) console.log(`      problem: ${p}`);
  if (r.problems.length > 0) failed = true;
});
console.log(`${games.length} games, ${fenGames} from FEN, ${failed ? 'FAILED' : 'all verified'}`);
process.exit(failed ? 1 : 0);
