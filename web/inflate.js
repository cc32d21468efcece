// Inflates data in zlib's format (RFC 1950 around RFC 1951's deflate) at
// once, for the WebAssembly the page carries deflated: small, and quick
// enough for the core's few tens of kilobytes. Each Huffman code is looked up
// in a table indexed by the next LONGEST_CODE bits of the stream.

const ZLIB_HEADER_BYTES = 2;
const LONGEST_CODE = 15;
// The lengths and distances a symbol stands for: a base and extra bits.
const LENGTH_BASES = [3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59,
  67, 83, 99, 115, 131, 163, 195, 227, 258];
const LENGTH_EXTRA = [0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5,
  5, 5, 0];
const DISTANCE_BASES = [1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513,
  769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577];
const DISTANCE_EXTRA = [0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10,
  11, 11, 12, 12, 13, 13];
// The order in which a dynamic block gives the code lengths' code lengths.
const CODE_LENGTH_ORDER = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15];
const END_OF_BLOCK = 256;
const FIRST_LENGTH = 257;
// A table's entry: the symbol, shifted past the code's length.
const LENGTH_BITS = 4;

// The table of a canonical Huffman code, from each symbol's code length:
// for every LONGEST_CODE bits that start with a symbol's code (read first
// bit lowest), that symbol and its code's length.
function table(lengths) {
  const counts = new Uint16Array(LONGEST_CODE + 1);
  for (const length of lengths) {
    counts[length] += 1;
  }
  counts[0] = 0;
  const codes = new Uint16Array(LONGEST_CODE + 1);
  for (let length = 1; length < LONGEST_CODE; ++length) {
    codes[length + 1] = (codes[length] + counts[length]) << 1;
  }
  const lookup = new Uint16Array(1 << LONGEST_CODE);
  lengths.forEach((length, symbol) => {
    if (!length) {
      return;
    }
    const code = codes[length]++;
    let reversed = 0;
    for (let at = 0; at < length; ++at) {
      reversed |= (code >> at & 1) << (length - 1 - at);
    }
    for (let fill = reversed; fill < lookup.length; fill += 1 << length) {
      lookup[fill] = symbol << LENGTH_BITS | length;
    }
  });
  return lookup;
}

const FIXED_LENGTHS = table([...Array(288)].map((_, symbol) =>
  symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8));
const FIXED_DISTANCES = table(Array(30).fill(5));

// The `size` bytes that `data` (zlib's format) inflates to.
export function inflate(data, size) {
  const out = new Uint8Array(size);
  let written = 0;
  let next = ZLIB_HEADER_BYTES;
  // Bits read ahead, the first in the lowest place, and how many there are.
  let buffer = 0;
  let held = 0;
  const bits = (count) => {
    while (held < count) {
      buffer |= (data[next++] ?? 0) << held;
      held += 8;
    }
    const value = buffer & ((1 << count) - 1);
    buffer >>>= count;
    held -= count;
    return value;
  };
  const decode = (lookup) => {
    while (held < LONGEST_CODE) {
      buffer |= (data[next++] ?? 0) << held;
      held += 8;
    }
    const entry = lookup[buffer & ((1 << LONGEST_CODE) - 1)];
    const length = entry & ((1 << LENGTH_BITS) - 1);
    buffer >>>= length;
    held -= length;
    return entry >> LENGTH_BITS;
  };
  for (let last = 0; !last;) {
    last = bits(1);
    const type = bits(2);
    if (type === 0) {
      // A stored block starts at a byte: the bits read ahead go back.
      next -= held >> 3;
      buffer = 0;
      held = 0;
      const length = bits(16);
      bits(16);
      out.set(data.subarray(next, next + length), written);
      next += length;
      written += length;
      continue;
    }
    let lengths = FIXED_LENGTHS;
    let distances = FIXED_DISTANCES;
    if (type === 2) {
      const literalCount = bits(5) + FIRST_LENGTH;
      const distanceCount = bits(5) + 1;
      const codeLengthCount = bits(4) + 4;
      const codeLengths = Array(CODE_LENGTH_ORDER.length).fill(0);
      for (let at = 0; at < codeLengthCount; ++at) {
        codeLengths[CODE_LENGTH_ORDER[at]] = bits(3);
      }
      const codeLengthTable = table(codeLengths);
      const all = [];
      while (all.length < literalCount + distanceCount) {
        const symbol = decode(codeLengthTable);
        if (symbol < 16) {
          all.push(symbol);
        } else {
          const [repeated, times] = symbol === 16 ? [all[all.length - 1], 3 + bits(2)]
            : symbol === 17 ? [0, 3 + bits(3)] : [0, 11 + bits(7)];
          all.push(...Array(times).fill(repeated));
        }
      }
      lengths = table(all.slice(0, literalCount));
      distances = table(all.slice(literalCount));
    }
    for (let symbol = decode(lengths); symbol !== END_OF_BLOCK; symbol = decode(lengths)) {
      if (symbol < END_OF_BLOCK) {
        out[written++] = symbol;
        continue;
      }
      const length = LENGTH_BASES[symbol - FIRST_LENGTH] + bits(LENGTH_EXTRA[symbol - FIRST_LENGTH]);
      const code = decode(distances);
      const from = written - DISTANCE_BASES[code] - bits(DISTANCE_EXTRA[code]);
      for (let at = 0; at < length; ++at) {
        out[written++] = out[from + at];
      }
    }
  }
  return out;
}
