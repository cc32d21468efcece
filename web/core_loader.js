// Loads the calculation core from its WebAssembly and calls its functions with
// texts and numbers, in a browser and under Node: createEggPeriodCore given
// { wasmBinary } (the bytes) or { wasmModule } (compiled already), the core's
// format (its marks, separators and the layouts of its rows) and its messages
// by name, gives a promise of the core, whose ccall(name, "string" or
// "number", argument types, arguments) calls the function of that name, texts
// passing as UTF-8, whose fields(row, names, at) reads a row the core returned
// (or its fields), from field `at` on, by the names of its fields, and whose
// message(name, values) is the message of that name with its placeholders
// filled.
const PLACEHOLDER = /\{(\w+)\}/g;

export function createEggPeriodCore(options) {
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
    : WebAssembly.instantiate(options.wasmBinary, imports).then((result) => {
      return result.instance;
    });
  return instantiated.then((instance) => {
    const core = instance.exports;
    core._initialize();
    const encoder = new TextEncoder();
    // A text the core writes may start with a byte-order mark (the
    // spreadsheet's), which must stay.
    const decoder = new TextDecoder("utf-8", { ignoreBOM: true });
    // The memory's bytes, looked up anew each time: growing replaces them.
    const bytes = () => {
      return new Uint8Array(core.memory.buffer);
    };
    function UTF8ToString(pointer) {
      const memory = bytes();
      return decoder.decode(memory.subarray(pointer, memory.indexOf(0, pointer)));
    }
    function ccall(name, returnType, argumentTypes, values) {
      const texts = [];
      const args = values.map((value, index) => {
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
      try {
        const returned = core[name](...args);
        return returnType === "string" ? (returned === 0 ? null : UTF8ToString(returned))
          : returned;
      } finally {
        for (const pointer of texts) {
          core.free(pointer);
        }
      }
    }
    function fields(row, names, at = 0) {
      const values = Array.isArray(row) ? row : row.split(options.format.fieldSeparator);
      return Object.fromEntries(names.map((name, index) => {
        return [name, values[at + index]];
      }));
    }
    function message(name, values = {}) {
      return options.messages[name].replace(PLACEHOLDER, (placeholder, key) => {
        return values[key];
      });
    }
    return { ccall, fields, message, UTF8ToString, exports: core, format: options.format };
  });
}
