"use strict";
// The questionnaire's screens in the browser: the same texts and rules as the program on one
// computer. The answers leave the page once, at the end; until the server has them they are
// kept in the browser's storage after every change, so that a reload, or a phone that drops
// the tab, comes back to the same screen with the same answers.
(function () {
  const T = JSON.parse(document.getElementById("page-data").textContent);
  const ROWS = 12, QUESTIONS = 6, TYPES = 4, LETTERS = ["a", "b", "c", "d"];
  const $ = (id) => document.getElementById(id);
  const fill = (template, ...values) =>
    values.reduce((text, value, i) => text.split("%" + (i + 1)).join(String(value)), template);

  // The characters a result file can hold: ASCII and the rest of Windows-1251.
  const in1251 = (text) => [...text].every((ch) => ch < "\u0080" || T.letters1251.includes(ch));
  const isCode = (text) =>
    text.length >= 1 && text.length <= T.maxCode && /^[\p{L}\p{N}_-]+$/u.test(text) && in1251(text);
  const isFree = (text) => text.length <= T.maxFree && !/\p{Cc}/u.test(text) && in1251(text);

  // What a note quotes of a field: a long paste by its beginning.
  const quoted = (text) => (text.length > 24 ? text.slice(0, 24) + "\u2026" : text);

  // The fields' rules, as the program's: each gives the text to keep (null: the field cannot
  // take it) and the note that says why something was not taken.
  function codeRule(text) {
    if (text === "" || isCode(text)) return [text, ""];
    const why = isCode(text.slice(0, T.maxCode)) ? fill(T.codeTooLong, T.maxCode)
      : /\s/u.test(text) ? T.codeSpace : T.codeRefused;
    return [null, fill(T.notTaken, why, quoted(text))];
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
  // "7,5" is not 75 nor "-5" 5: such a text is not taken, and the note names it.
  function pointsRule(text) {
    if (text === "") return [text, ""];
    if (!/^[0-9]+$/.test(text)) {
      const why = /^\s*[-\u2212]/u.test(text) ? T.pointsNegative
        : /^[0-9]*[.,][0-9]*$/.test(text) ? T.pointsFraction : T.pointsDigitsOnly;
      return [null, fill(T.notTaken, why, quoted(text))];
    }
    text = text.replace(/^0+(?=.)/, ""); // a digit typed after the field's 0 replaces it
    if (text.length > 3 || Number(text) > T.points)
      return [null, fill(T.notTaken, fill(T.pointsTooMany, T.points), quoted(text))];
    return [text, ""];
  }

  const noteTimers = {};
  function flash(id, text) {
    clearTimeout(noteTimers[id]);
    $(id).textContent = text;
    $(id).classList.remove("remark");
    if (text) noteTimers[id] = setTimeout(() => { $(id).textContent = ""; }, T.noteMs);
  }
  function lasting(id, text) {
    flash(id, "");
    $(id).textContent = text;
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

  // A field of the code or of points keeps what was typed, also what its rule cannot take, so
  // that nothing becomes another number or code unseen: such a text is marked, its note stays
  // until the field is changed, and the field counts as its last text the rule took
  // (dataset.valid), so that a sum does not jump.
  function checkKept(input, rule, noteId) {
    const [kept, note] = rule(input.value);
    if (kept !== null) {
      if (kept !== input.value) {
        const caret = input.selectionStart, before = input.value.length;
        input.value = kept;
        const at = Math.max(0, caret - (before - kept.length));
        input.setSelectionRange(at, at);
      }
      input.dataset.valid = kept;
    }
    input.setAttribute("aria-invalid", kept === null ? "true" : "false");
    lasting(noteId, note);
  }
  function guardKept(input, rule, noteId) {
    input.dataset.valid = input.value;
    input.addEventListener("input", () => checkKept(input, rule, noteId));
  }
  const taken = (input) => input.getAttribute("aria-invalid") !== "true";

  // Whether the group already holds the typed code, as the server says; asked once per code
  // and respondent, a moment after the typing stops. No answer says nothing: the question is
  // a help, never a gate.
  let answeredCodes = new Map(), askTimer; // a Map: a code may be "constructor"
  function codeRemark() {
    const value = $("code").value;
    if (!taken($("code"))) return; // the refusal's note stands
    const answered = isCode(value) && answeredCodes.get(value) === true;
    lasting("code-note", answered ? fill(T.codeAnswered, value) : "");
    $("code-note").classList.toggle("remark", answered);
  }
  function askAnswered() {
    clearTimeout(askTimer);
    codeRemark();
    const value = $("code").value;
    if (!isCode(value) || answeredCodes.has(value)) return;
    askTimer = setTimeout(() => {
      fetch("code?c=" + encodeURIComponent(value), { cache: "no-store" })
        .then((response) => (response.ok ? response.json() : null))
        .then((body) => {
          if (!body || typeof body.answered !== "boolean") return;
          answeredCodes.set(value, body.answered);
          codeRemark();
        })
        .catch(() => { /* a help only */ });
    }, 300);
  }

  // The browser's storage: local, else the tab's own, else none (a private window or a browser
  // that refuses both still runs the questionnaire, keeping the answers in the page alone).
  // The key is the survey and the group, never the link's address: that holds the secret token.
  const KEY = "ocai-survey:" + JSON.stringify([T.survey, T.group]);
  const storage = (() => {
    for (const name of ["localStorage", "sessionStorage"]) {
      try {
        const candidate = window[name];
        candidate.setItem(KEY + ":probe", "1");
        candidate.removeItem(KEY + ":probe");
        return candidate;
      } catch (e) { /* refused: the next one */ }
    }
    return null;
  })();
  let stored = false; // whether the last state written is in the storage

  let answers, ms, instructionMs, question, shownAt, code, free;
  let screen, submission, sendDelay, sendTimer, sending = false;

  // The milliseconds since the screen was shown; the clock starts again.
  function takeTime() {
    const now = performance.now();
    const spent = Math.max(now - shownAt, 0);
    shownAt = now;
    return spent;
  }

  // Everything needed to come back: the screen, the fields as they are and the time so far.
  function snapshot() {
    const running = Math.max(performance.now() - shownAt, 0);
    const state = {
      version: 1, screen: screen, question: question, code: code, free: free,
      answers: answers.map((row) => row.slice()), ms: ms.slice(), instructionMs: instructionMs,
      submission: submission,
    };
    if (screen === "start") {
      state.code = $("code").value;
      state.free = $("free").value;
      state.instructionMs += running;
    } else if (screen === "question") {
      state.answers[question] = fieldPoints();
      state.ms[question] += running;
    }
    return state;
  }

  function save() {
    stored = false;
    if (!storage) return;
    try {
      storage.setItem(KEY, JSON.stringify(snapshot()));
      stored = true;
    } catch (e) { /* full or refused: the page keeps the answers */ }
  }

  function forget() {
    try { if (storage) storage.removeItem(KEY); } catch (e) { /* nothing kept */ }
  }

  // A kept state as the page wrote it, or null: storage is the browser's, not to be trusted.
  function readSaved() {
    let state = null;
    try {
      state = storage && JSON.parse(storage.getItem(KEY) || "null");
    } catch (e) {
      return null;
    }
    const count = (value) => Number.isFinite(value) && value >= 0;
    const row = (r) => Array.isArray(r) && r.length === TYPES &&
      r.every((p) => Number.isInteger(p) && p >= 0 && p <= T.points);
    const common = state && state.version === 1 &&
      Array.isArray(state.answers) && state.answers.length === ROWS && state.answers.every(row) &&
      Array.isArray(state.ms) && state.ms.length === ROWS && state.ms.every(count) &&
      count(state.instructionMs) && typeof state.code === "string" &&
      typeof state.free === "string" && isFree(state.free);
    if (!common) return null;
    const onScreen = {
      start: () => state.code.length <= 10 * T.maxCode, // as typed, taken or not
      question: () => isCode(state.code) && Number.isInteger(state.question) &&
        state.question >= 0 && state.question < ROWS,
      send: () => state.submission && typeof state.submission.id === "string",
    }[state.screen];
    return onScreen && onScreen() ? state : null;
  }

  function show(id) {
    for (const other of ["startScreen", "questionScreen", "sendScreen", "doneScreen"])
      $(other).hidden = other !== id;
    window.scrollTo(0, 0);
    footerChanged();
  }

  function clear() {
    answers = Array.from({ length: ROWS }, () => [0, 0, 0, 0]);
    ms = new Array(ROWS).fill(0);
    instructionMs = 0;
    question = -1;
    code = free = "";
    submission = null;
  }

  function showStart(codeText, freeText) {
    screen = "start";
    $("code").value = codeText;
    checkKept($("code"), codeRule, "code-note");
    $("free").value = $("free").dataset.last = freeText;
    $("start").disabled = !isCode(codeText);
    flash("free-note", "");
    askAnswered();
    show("startScreen");
    shownAt = performance.now();
    focusQuietly($("code"));
  }

  function restart() {
    clearTimeout(sendTimer);
    answeredCodes = new Map(); // the last respondent's code has answered now
    clear();
    showStart("", "");
  }

  function begin() {
    if (!isCode($("code").value) || !isFree($("free").value)) return;
    code = $("code").value;
    free = $("free").value;
    instructionMs += takeTime();
    showQuestion(0);
  }

  function fieldPoints() {
    return LETTERS.map((k) => Number($(k).dataset.valid || 0));
  }

  function updateLeft() {
    const given = fieldPoints();
    const left = T.points - given.reduce((sum, p) => sum + p, 0);
    $("left").textContent = left >= 0 ? fill(T.remaining, left) : fill(T.excess, -left);
    $("left").classList.toggle("excess", left < 0);
    $("next").disabled = left !== 0 || !LETTERS.every((k) => taken($(k)));
  }

  function showQuestion(index) {
    screen = "question";
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
      $(k).value = $(k).dataset.valid = String(answers[index][i]);
      $(k).setAttribute("aria-invalid", "false");
    });
    LETTERS.forEach((k) => lasting("note-" + k, "")); // a note goes with its screen
    $("back").disabled = index === 0;
    updateLeft();
    show("questionScreen");
    shownAt = performance.now();
    save();
    // The statement's text first: focus must not scroll it away on a small screen.
    focusQuietly($("a"));
    $("a").select();
  }

  function leaveQuestion() {
    answers[question] = fieldPoints();
    ms[question] += takeTime();
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

  function newId() {
    const b = crypto.getRandomValues(new Uint8Array(16));
    b[6] = (b[6] & 0x0f) | 0x40;
    b[8] = (b[8] & 0x3f) | 0x80;
    const h = [...b].map((x) => x.toString(16).padStart(2, "0")).join("");
    return [h.slice(0, 8), h.slice(8, 12), h.slice(12, 16), h.slice(16, 20), h.slice(20)].join("-");
  }

  function finish() {
    submission = {
      id: newId(),
      code: code,
      free: free,
      instructionSeconds: Math.round(instructionMs / 100) / 10,
      answers: answers,
      seconds: ms.map((t) => Math.round(t / 1000)),
    };
    screen = "send";
    save();
    sendDelay = 2000;
    send(T.sending);
  }

  // The status in paragraphs: what happened first, in bold when it is a problem, then what
  // the respondent can do.
  function setStatus(problem, ...paragraphs) {
    $("status").textContent = "";
    for (const text of paragraphs.filter(Boolean)) {
      const p = document.createElement("p");
      p.textContent = text;
      $("status").appendChild(p);
    }
    $("status").classList.toggle("problem", problem);
  }

  // Why a sending failed, said plainly, and that the answers are kept; tried again later with
  // the same id, so that the server writes one file whatever happens.
  function failed(reason, closed) {
    sending = false;
    setStatus(true, reason, stored ? T.keptHere : T.keptOnPage, stored && closed ? T.newLink : "");
    $("retry").hidden = false;
    sendTimer = setTimeout(() => send(T.sending), sendDelay);
    sendDelay = Math.min(sendDelay * 2, 60000);
  }

  function written() {
    sending = false;
    forget();
    submission = null;
    screen = "done";
    $("done").textContent = T.received; // the file is the consultant's to see
    show("doneScreen");
    $("again").focus();
  }

  function send(message) {
    if (sending) return;
    sending = true;
    clearTimeout(sendTimer);
    show("sendScreen");
    setStatus(false, message);
    $("retry").hidden = true;
    // A server that takes the connection and never answers (a laptop gone to sleep, a network
    // that swallows packets) would leave the page waiting for ever.
    // The request is aborted where the browser can; the wait ends in any case.
    const abort = typeof AbortController === "function" ? new AbortController() : null;
    let timer, timedOut = false;
    const expiry = new Promise((resolve, reject) => {
      timer = setTimeout(() => {
        timedOut = true;
        if (abort) abort.abort();
        reject(new Error("timeout"));
      }, T.sendTimeout * 1000);
    });
    const answer = fetch("submit", {
      method: "POST",
      headers: { "Content-Type": "application/json" },
      body: JSON.stringify(submission),
      cache: "no-store",
      signal: abort ? abort.signal : undefined,
    }).then((response) => response.text().then((text) => {
      let body = null;
      try { body = JSON.parse(text); } catch (e) { /* not this server's answer */ }
      return { status: response.status, body: body && typeof body === "object" ? body : {} };
    }));
    answer.catch(() => { /* said by the race below, or too late to matter */ });
    Promise.race([answer, expiry])
      .then(({ status, body }) => {
        clearTimeout(timer);
        // Only this server's own answers count: a network's login page says 200 or 400 too.
        if ((status === 200 || status === 201) && typeof body.file === "string") {
          written();
        } else if (status === 400 && typeof body.error === "string") {
          sending = false;
          forget();
          setStatus(true, fill(T.notWritten, body.error));
        } else if (status === 404) {
          failed(T.linkClosed, true);
        } else {
          failed(typeof body.error === "string" ? body.error : fill(T.serverError, status));
        }
      })
      .catch(() => {
        clearTimeout(timer);
        failed(timedOut ? fill(T.timedOut, T.sendTimeout) : T.noAnswer);
      });
  }

  // The sticky footer covers the bottom of the screen, and an on-screen keyboard what is
  // below the visual viewport: a focused field is scrolled to lie above both.
  function footerChanged() {
    const footer = $("questionScreen").hidden ? null : document.querySelector(".footer");
    const height = footer ? footer.getBoundingClientRect().height : 0;
    document.documentElement.style.setProperty("--footer-height", height + "px");
  }
  function keepInView(element) {
    if (!element || element.tagName !== "INPUT") return;
    const margin = 8;
    const view = window.visualViewport;
    const top = (view ? view.offsetTop : 0) + margin;
    let bottom = view ? view.offsetTop + view.height : window.innerHeight;
    if (!$("questionScreen").hidden)
      bottom = Math.min(bottom, document.querySelector(".footer").getBoundingClientRect().top);
    bottom -= margin;
    const box = element.getBoundingClientRect();
    if (box.bottom > bottom) window.scrollBy(0, box.bottom - bottom);
    else if (box.top < top) window.scrollBy(0, box.top - top);
  }
  // A screen's first field takes the focus without scrolling, so that its title and text show
  // first; the field comes into view once the respondent types or moves to it.
  let quiet = false, chosen = false;
  function focusQuietly(input) {
    quiet = true;
    input.focus({ preventScroll: true });
    quiet = false;
    chosen = false;
  }
  const keepFocusInView = () => { if (chosen) keepInView(document.activeElement); };

  function build() {
    document.title = T.group ? T.title + " · " + T.group : T.title;
    $("title").textContent = T.title;
    $("group").textContent = T.group;
    // The program's own texts, not the network's. A touch screen has no Tab to speak of.
    const touch = window.matchMedia("(pointer: coarse)").matches;
    $("instruction").innerHTML = T.instructionIntro;
    $("instructionRest").innerHTML =
      T.instructionAnswers + (touch ? T.instructionTouch : T.instructionKeys);
    $("instructionMoreTitle").textContent = T.instructionMore;
    $("instructionMore").open = !window.matchMedia("(max-width: 699px)").matches;
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
      guardKept(input, pointsRule, "note-" + k);
      input.addEventListener("input", updateLeft);
      input.addEventListener("focus", () => input.select());
    });
    guardKept($("code"), codeRule, "code-note");
    $("code").addEventListener("input", askAnswered);
    guard($("free"), freeRule, "free-note");
    $("code").addEventListener("input", () => { $("start").disabled = !isCode($("code").value); });
    $("start").addEventListener("click", begin);
    $("back").addEventListener("click", goBack);
    $("next").addEventListener("click", goNext);
    $("again").addEventListener("click", restart);
    $("retry").addEventListener("click", () => send(T.sending));
    // Every change is kept at once (the guards ran first: they were added first).
    document.addEventListener("input", (event) => {
      chosen = true;
      keepInView(event.target);
      if (screen === "start" || screen === "question") save();
    });
    document.addEventListener("visibilitychange", () => {
      const editing = screen === "start" || screen === "question";
      if (document.visibilityState === "hidden" && editing) save();
    });
    document.addEventListener("focusin", (event) => {
      if (quiet) return;
      chosen = true;
      keepInView(event.target);
      requestAnimationFrame(() => keepInView(event.target)); // after the browser's own scroll
    });
    window.addEventListener("resize", () => { footerChanged(); keepFocusInView(); });
    if (window.visualViewport) window.visualViewport.addEventListener("resize", keepFocusInView);
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
    window.addEventListener("online", () => {
      if (screen === "send" && !$("retry").hidden) send(T.sending);
    });
  }

  // Back where the respondent was, or a new questionnaire.
  function resume() {
    clear();
    const state = readSaved();
    if (!state) {
      forget();
      showStart("", "");
      return;
    }
    answers = state.answers;
    ms = state.ms;
    instructionMs = state.instructionMs;
    code = state.code;
    free = state.free;
    if (state.screen === "start") {
      showStart(state.code, state.free);
    } else if (state.screen === "question") {
      showQuestion(state.question);
    } else {
      submission = state.submission;
      screen = "send";
      stored = true;
      sendDelay = 2000;
      send(T.pendingFound);
    }
  }

  build();
  resume();
})();
