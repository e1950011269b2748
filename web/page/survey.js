"use strict";
// The questionnaire's screens in the browser: the same texts and rules as the program on one
// computer. The answers leave the page once, at the end; until the server has them they are
// kept in the browser's storage and sent again.
(function () {
  const T = JSON.parse(document.getElementById("page-data").textContent);
  const ROWS = 12, QUESTIONS = 6, TYPES = 4, LETTERS = ["a", "b", "c", "d"];
  const STORE = "ocai-pending:" + location.pathname;
  const $ = (id) => document.getElementById(id);
  const fill = (template, ...values) =>
    values.reduce((text, value, i) => text.split("%" + (i + 1)).join(String(value)), template);

  // The characters a result file can hold: ASCII and the rest of Windows-1251.
  const in1251 = (text) => [...text].every((ch) => ch < "\u0080" || T.letters1251.includes(ch));
  const isCode = (text) =>
    text.length >= 1 && text.length <= T.maxCode && /^[\p{L}\p{N}_-]+$/u.test(text) && in1251(text);
  const isFree = (text) => text.length <= T.maxFree && !/\p{Cc}/u.test(text) && in1251(text);

  // The fields' rules, as the program's: each gives the text to keep (null: refuse the edit)
  // and the note that says why something was not taken.
  function codeRule(text) {
    if (text === "" || isCode(text)) return [text, ""];
    const tooLong = isCode(text.slice(0, T.maxCode));
    return [null, tooLong ? fill(T.codeTooLong, T.maxCode) : T.codeRefused];
  }
  function freeRule(text) {
    let kept = "";
    const dropped = [], notes = [];
    for (const ch of text) {
      if (/\p{Cc}/u.test(ch)) kept += " "; // the file has one line for it
      else if (in1251(ch)) kept += ch;
      else if (!dropped.includes(ch)) dropped.push(ch);
    }
    if (dropped.length)
      notes.push(fill(dropped.length > 1 ? T.charactersDropped : T.characterDropped, dropped.join("")));
    if (kept.length > T.maxFree) {
      kept = kept.slice(0, T.maxFree);
      notes.push(fill(T.freeTooLong, T.maxFree));
    }
    return [kept, notes.join(". ")];
  }
  function pointsRule(text) {
    if (text === "") return [text, ""];
    if (!/^[0-9]+$/.test(text)) return [null, T.pointsDigitsOnly];
    text = text.replace(/^0+(?=.)/, ""); // a digit typed after the field's 0 replaces it
    if (text.length > 3 || Number(text) > T.points) return [null, fill(T.pointsTooMany, T.points)];
    return [text, ""];
  }

  const noteTimers = {};
  function flash(id, text) {
    clearTimeout(noteTimers[id]);
    $(id).textContent = text;
    if (text) noteTimers[id] = setTimeout(() => { $(id).textContent = ""; }, T.noteMs);
  }

  // A field keeps only what its rule takes and says why, never dropping a character silently.
  function guard(input, rule, noteId) {
    input.dataset.last = input.value;
    input.addEventListener("input", () => {
      const [kept, note] = rule(input.value);
      const caret = input.selectionStart, before = input.value.length;
      const text = kept === null ? input.dataset.last : kept;
      if (text !== input.value) {
        input.value = text;
        const at = Math.max(0, caret - (before - text.length));
        input.setSelectionRange(at, at);
      }
      input.dataset.last = text;
      flash(noteId, note);
    });
  }

  let answers, seconds, instructionMs, question, shownAt, code, free, sendDelay, sendTimer;

  function show(screen) {
    for (const id of ["startScreen", "questionScreen", "sendScreen", "doneScreen"])
      $(id).hidden = id !== screen;
    window.scrollTo(0, 0);
  }

  // The milliseconds since the screen was shown; the clock starts again.
  function takeTime() {
    const now = performance.now();
    const ms = Math.max(now - shownAt, 0);
    shownAt = now;
    return ms;
  }

  function newId() {
    const b = crypto.getRandomValues(new Uint8Array(16));
    b[6] = (b[6] & 0x0f) | 0x40;
    b[8] = (b[8] & 0x3f) | 0x80;
    const h = [...b].map((x) => x.toString(16).padStart(2, "0")).join("");
    return [h.slice(0, 8), h.slice(8, 12), h.slice(12, 16), h.slice(16, 20), h.slice(20)].join("-");
  }

  function restart() {
    answers = Array.from({ length: ROWS }, () => [0, 0, 0, 0]);
    seconds = new Array(ROWS).fill(0);
    instructionMs = 0;
    question = -1;
    $("code").value = $("free").value = "";
    $("code").dataset.last = $("free").dataset.last = "";
    $("start").disabled = true;
    flash("code-note", "");
    flash("free-note", "");
    show("startScreen");
    shownAt = performance.now();
    $("code").focus({ preventScroll: true });
  }

  function begin() {
    if (!isCode($("code").value) || !isFree($("free").value)) return;
    code = $("code").value;
    free = $("free").value;
    instructionMs += takeTime();
    show("questionScreen");
    showQuestion(0);
  }

  function fieldPoints() {
    return LETTERS.map((k) => Number($(k).value || 0));
  }

  function updateLeft() {
    const given = fieldPoints();
    const left = T.points - given.reduce((sum, p) => sum + p, 0);
    $("left").textContent = left >= 0 ? fill(T.remaining, left) : fill(T.excess, -left);
    $("left").classList.toggle("excess", left < 0);
    $("next").disabled = left !== 0;
  }

  function showQuestion(index) {
    question = index;
    const q = index % QUESTIONS, current = index < QUESTIONS;
    $("progress").textContent =
      fill(T.progress, index + 1, ROWS) + " · " + (current ? T.current : T.preferred);
    $("question").textContent = T.questions[q];
    $("hint").textContent = current ? T.currentHint : T.preferredHint;
    $("referenceHeader").hidden = current;
    LETTERS.forEach((k, i) => {
      $("text-" + k).textContent = T.alternatives[q * TYPES + i];
      $("ref-" + k).textContent = current ? "" : answers[index - QUESTIONS][i];
      $("ref-" + k).hidden = current;
      $("ref-" + k).dataset.label = T.referenceHeader + ":";
      $(k).value = $(k).dataset.last = String(answers[index][i]);
    });
    LETTERS.forEach((k) => flash("note-" + k, "")); // a note goes with its screen
    $("back").disabled = index === 0;
    updateLeft();
    window.scrollTo(0, 0);
    // The statement's text first: focus must not scroll it away on a small screen.
    $("a").focus({ preventScroll: true });
    $("a").select();
  }

  function leaveQuestion() {
    answers[question] = fieldPoints();
    seconds[question] += takeTime();
  }

  function goBack() {
    if (question <= 0) return;
    leaveQuestion();
    showQuestion(question - 1);
  }

  function goNext() {
    if ($("next").disabled) return;
    leaveQuestion();
    if (question + 1 < ROWS) showQuestion(question + 1);
    else finish();
  }

  function finish() {
    const submission = {
      id: newId(),
      code: code,
      free: free,
      instructionSeconds: Math.round(instructionMs / 100) / 10,
      answers: answers,
      seconds: seconds.map((ms) => Math.round(ms / 1000)),
    };
    try { localStorage.setItem(STORE, JSON.stringify(submission)); } catch (e) { /* private mode */ }
    sendDelay = 2000;
    send(submission, T.sending);
  }

  function setStatus(text, problem) {
    $("status").textContent = text;
    $("status").classList.toggle("problem", problem);
  }

  // Sends until the server has answered: a lost connection or a server that could not write
  // waits and tries again with the same id, so the server writes one file whatever happens.
  function send(submission, message) {
    clearTimeout(sendTimer);
    show("sendScreen");
    setStatus(message, false);
    $("retry").hidden = true;
    fetch("submit", {
      method: "POST",
      headers: { "Content-Type": "application/json" },
      body: JSON.stringify(submission),
      cache: "no-store",
    })
      .then((response) => response.json().then((body) => ({ status: response.status, body })))
      .then(({ status, body }) => {
        if (status === 200 || status === 201) {
          try { localStorage.removeItem(STORE); } catch (e) { /* nothing kept */ }
          $("done").textContent = fill(T.written, body.file);
          show("doneScreen");
          $("again").focus();
        } else if (status === 400) {
          try { localStorage.removeItem(STORE); } catch (e) { /* nothing kept */ }
          setStatus(fill(T.notWritten, body.error || ""), true);
        } else {
          throw new Error(String(status));
        }
      })
      .catch(() => {
        setStatus(T.keptOffline, true);
        $("retry").hidden = false;
        $("retry").onclick = () => send(submission, T.sending);
        sendTimer = setTimeout(() => send(submission, T.sending), sendDelay);
        sendDelay = Math.min(sendDelay * 2, 60000);
      });
  }

  function build() {
    document.title = T.group ? T.title + " · " + T.group : T.title;
    $("title").textContent = T.title;
    $("group").textContent = T.group;
    $("instruction").innerHTML = T.instruction; // the program's own text, not the network's
    $("codeLabel").textContent = T.codeLabel;
    $("freeLabel").textContent = T.freeLabel;
    $("start").textContent = T.start;
    $("referenceHeader").textContent = T.referenceHeader;
    $("pointsHeader").textContent = T.pointsHeader;
    $("back").textContent = T.back;
    $("next").textContent = T.next;
    $("thanks").textContent = T.thanks;
    $("again").textContent = T.nextRespondent;
    $("retry").textContent = T.retryNow;
    const list = $("alternatives");
    LETTERS.forEach((k, i) => {
      const row = document.createElement("div");
      row.className = "alternative";
      row.innerHTML =
        '<p class="text" id="text-' + k + '"></p><span class="reference" id="ref-' + k +
        '"></span><input id="' + k + '" type="text" inputmode="numeric" pattern="[0-9]*" ' +
        'autocomplete="off" enterkeyhint="' + (i < 3 ? "next" : "done") + '">' +
        '<p class="note" id="note-' + k + '" aria-live="polite"></p>';
      list.appendChild(row);
      const input = row.querySelector("input");
      input.setAttribute("aria-label", fill(T.pointsLabel, k.toUpperCase()));
      guard(input, pointsRule, "note-" + k);
      input.addEventListener("input", updateLeft);
      input.addEventListener("focus", () => input.select());
    });
    guard($("code"), codeRule, "code-note");
    guard($("free"), freeRule, "free-note");
    $("code").addEventListener("input", () => { $("start").disabled = !isCode($("code").value); });
    $("start").addEventListener("click", begin);
    $("back").addEventListener("click", goBack);
    $("next").addEventListener("click", goNext);
    $("again").addEventListener("click", restart);
    // Enter presses the screen's forward button when it is enabled; in a points field below
    // 100 it moves on to the next field, the phone keyboard's only way there.
    document.addEventListener("keydown", (event) => {
      if (event.key !== "Enter" || event.isComposing) return;
      const target = event.target;
      if (!$("startScreen").hidden) {
        event.preventDefault();
        begin();
      } else if (!$("questionScreen").hidden && target.tagName === "INPUT") {
        event.preventDefault();
        const i = LETTERS.indexOf(target.id);
        if (!$("next").disabled) goNext();
        else if (i >= 0 && i < TYPES - 1) $(LETTERS[i + 1]).focus();
      }
    });
  }

  build();
  restart();
  let pending = null;
  try { pending = JSON.parse(localStorage.getItem(STORE) || "null"); } catch (e) { pending = null; }
  if (pending && pending.id) {
    sendDelay = 2000;
    send(pending, T.pendingFound);
  }
  window.addEventListener("online", () => {
    if (!$("sendScreen").hidden && !$("retry").hidden) $("retry").click();
  });
})();
