'use strict';
// The shipped town lists as the plug-in reads them: code page 1251 bytes,
// CR LF line ends, "name=code" per line. Names stay bytes, so they are
// copied exactly.
const fs = require('fs');
const path = require('path');

const root = path.resolve(__dirname, '../..');
const dataFile = (name) => path.join(root, 'data', name);
const cp1251 = new TextDecoder('windows-1251');

// Lines of a list; every line must end in CR LF and hold an "=".
function readList(name) {
    const bytes = fs.readFileSync(dataFile(name));
    const lines = [];
    let start = 0;
    while (start < bytes.length) {
        const lf = bytes.indexOf(0x0a, start);
        if (lf < 1 || bytes[lf - 1] !== 0x0d) throw new Error(`${name}: line ${lines.length + 1} does not end in CR LF`);
        const line = bytes.subarray(start, lf - 1);
        const eq = line.indexOf(0x3d);
        if (eq < 0) throw new Error(`${name}: line ${lines.length + 1} has no "="`);
        lines.push({ nameBytes: line.subarray(0, eq), code: line.subarray(eq + 1).toString('latin1') });
        start = lf + 1;
    }
    return lines.map((l) => ({ ...l, name: cp1251.decode(l.nameBytes) }));
}

module.exports = { root, dataFile, readList };
