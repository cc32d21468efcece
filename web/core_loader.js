// Loads the calculation core from its WebAssembly and calls its functions with
// texts and numbers, in a browser and under Node: createEggPeriodCore given
// { wasmBinary } (the bytes) or { wasmModule } (compiled already) gives a
// promise of the core, whose ccall(name, "string" or "number", argument
// types, arguments) calls the function of that name, texts passing as UTF-8.
function createEggPeriodCore(options) {
  "use strict";
  // All the core asks of its host: to be told when its memory grows, and
  // where to go should it stop.
  const imports = {
    env: { emscripten_notify_memory_growth() {} },
    wasi_snapshot_preview1: {
      proc_exit(code) {
        throw new Error(`the calculation core stopped (${code})`);
      },
    },
  };
  // A compiled module is small enough to instantiate at once.
  const instantiated = options.wasmModule
    ? Promise.resolve(new WebAssembly.Instance(options.wasmModule, imports))
    : WebAssembly.instantiate(options.wasmBinary, imports).then(function (result) {
      return result.instance;
    });
  return instantiated.then(function (instance) {
    const core = instance.exports;
    core._initialize();
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();
    // The memory's bytes, looked up anew each time: growing replaces them.
    const bytes = function () {
      return new Uint8Array(core.memory.buffer);
    };
    function UTF8ToString(pointer) {
      const memory = bytes();
      return decoder.decode(memory.subarray(pointer, memory.indexOf(0, pointer)));
    }
    function ccall(name, returnType, argumentTypes, values) {
      const texts = [];
      const args = values.map(function (value, index) {
        if (argumentTypes[index] !== "string") {
          return value;
        }
        const text = encoder.encode(value);
        const pointer = core.malloc(text.length + 1);
        bytes().set(text, pointer);
        bytes()[pointer + text.length] = 0;
        texts.push(pointer);
        return pointer;
      });
      const returned = core[name](...args);
      const result = returnType === "string" ? (returned === 0 ? null : UTF8ToString(returned))
        : returned;
      for (const pointer of texts) {
        core.free(pointer);
      }
      return result;
    }
    return { ccall, UTF8ToString, exports: core };
  });
}
if (typeof module !== "undefined") {
  module.exports = createEggPeriodCore;
}
