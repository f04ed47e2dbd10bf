// The bridge to the calculator: the WebAssembly module in #module, its
// requests and answers (src/webapi/requests.h), and the scheduling of the
// page's work around them.

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// Starts the module; resolves once it answers.
async function startCore() {
  const binary = atob($('module').textContent.trim());
  const gzipped = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i++) gzipped[i] = binary.charCodeAt(i);
  // The module is in the page gzipped.
  const inflated = new Blob([gzipped]).stream().pipeThrough(new DecompressionStream('gzip'));
  const bytes = await new Response(inflated).arrayBuffer();
  const { module, instance } = await WebAssembly.instantiate(bytes, {});
  instance.exports._initialize();
  state.module = module;  // for the worker of a stock (stock.js)
  state.core = instance.exports;
  state.times.ready = performance.now();
  document.documentElement.dataset.ready = String(state.times.ready);
}

// The core's answer to a request of fields, one a line, as JSON text.
function askText(...fields) {
  const core = state.core;
  const request = encoder.encode(fields.map((f) => String(f).replace(/[\r\n]/g, ' ')).join('\n'));
  const room = core.qv_request_room(request.length) >>> 0;
  new Uint8Array(core.memory.buffer, room, request.length).set(request);
  const size = core.qv_answer(request.length) >>> 0;
  const at = core.qv_answer_bytes() >>> 0;
  return decoder.decode(new Uint8Array(core.memory.buffer, at, size));
}

// The same, read: an answer, or {error, input}.
const ask = (...fields) => JSON.parse(askText(...fields));

// Runs fn as a task of its own, without the timers' clamping.
const taskQueue = [];
const taskChannel = new MessageChannel();
taskChannel.port1.onmessage = () => taskQueue.shift()();
function nextTask(fn) {
  taskQueue.push(fn);
  taskChannel.port2.postMessage(0);
}

// Runs fn after the page has painted what is there now.
const afterPaint = (fn) => requestAnimationFrame(() => nextTask(fn));
