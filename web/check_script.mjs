// SPDX-License-Identifier: GPL-3.0-or-later
// Refuses a linked page script in which the page's own functions (the EM_JS
// code of web/, all named page_*) call something the script does not define:
// Emscripten leaves out the runtime helpers nobody declared, and such a page
// would stop at its first call, before it deals.
//   node check_script.mjs SCRIPT.js
import fs from 'node:fs';
import vm from 'node:vm';

const [scriptPath] = process.argv.slice(2);
const script = fs.readFileSync(scriptPath, 'utf8');

// A script's functions and variables exist before its first statement runs:
// a throw in front of it keeps the script itself (and its WebAssembly) from running.
const context = vm.createContext({});
const unreached = 'declarations only';
try {
  vm.runInContext(`throw ${JSON.stringify(unreached)};\n${script}`, context, { filename: scriptPath });
} catch (thrown) {
  if (thrown !== unreached) throw thrown;
}
const defined = (name) => vm.runInContext(`${JSON.stringify(name)} in globalThis`, context);

const notCalls = new Set(['if', 'for', 'while', 'switch', 'catch', 'return', 'function', 'typeof']);
const own = vm.runInContext('Object.getOwnPropertyNames(globalThis)', context)
  .filter((name) => name.startsWith('page_') && typeof context[name] === 'function');
if (own.length === 0) {
  console.error(`${scriptPath}: none of the page's own functions (page_*) found`);
  process.exit(1);
}
const missing = [];
for (const name of own) {
  // A name called as a function, not as a member of an object.
  for (const [, called] of context[name].toString().matchAll(/(?<![\w$.])([A-Za-z_$][\w$]*)\s*\(/g))
    if (called !== name && !notCalls.has(called) && !defined(called)) missing.push(`${name} calls ${called}`);
}
if (missing.length) {
  console.error(`${scriptPath}: the runtime lacks what the page's code calls:\n  ${missing.join('\n  ')}\n` +
    'Declare it beside the EM_JS code with EM_JS_DEPS.');
  process.exit(1);
}
