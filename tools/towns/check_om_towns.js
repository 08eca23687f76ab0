'use strict';
// Plausibility of data/om_towns.ini as shipped: the towns of gis_towns.ini
// with the same name bytes in the same order, two decimal numbers in range
// per line, no two towns on one point, and every point inside the outline of
// its country in Natural Earth's 1:10m admin-0 shapes (world-atlas). Prints
// what it found; exits 1 on any fault.
const countries = require('i18n-iso-countries');
const { loadOutlines, inOutline, kmToEdge, km } = require('./outlines');
const { readList } = require('./town_files');
const table = require('./towns_table');

// The plug-in's built-in town for this source.
const kDefaultTown = { en: 'Irkutsk', code: '52.2978,104.2964' };

// GeoNames files Crimea under UA, Natural Earth 4.1.0 draws it inside its
// Russia outline: Simferopol is looked for in that outline, and this entry
// must stay needed (the point outside the UA outline).
const kOtherOutline = { Simferopol: 'RU' };

const faults = [];
const fault = (text) => faults.push(text);

const gis = readList('gis_towns.ini');
const om = readList('om_towns.ini');
if (om.length !== gis.length) fault(`om_towns.ini has ${om.length} lines, gis_towns.ini ${gis.length}`);
if (table.length !== gis.length) fault(`the table has ${table.length} towns, gis_towns.ini ${gis.length}`);

// --- names and numbers ---
const kNumber = /^-?\d+\.\d{4}$/;
const points = [];
for (let i = 0; i < Math.min(om.length, gis.length, table.length); ++i) {
    const where = `line ${i + 1} (${table[i].en})`;
    if (!om[i].nameBytes.equals(gis[i].nameBytes)) fault(`${where}: name ${om[i].name}, gis_towns.ini has ${gis[i].name}`);
    const halves = om[i].code.split(',');
    if (halves.length !== 2 || !halves.every((h) => kNumber.test(h))) {
        fault(`${where}: code "${om[i].code}" is not two decimals with four places`);
        continue;
    }
    const [lat, lon] = halves.map(Number);
    if (lat < -90 || lat > 90 || lon < -180 || lon > 180) fault(`${where}: ${om[i].code} out of range`);
    points.push({ en: table[i].en, country: table[i].country, code: om[i].code, lat, lon });
}

const builtIn = points.find((p) => p.en === kDefaultTown.en);
if (!builtIn) fault(`no ${kDefaultTown.en}`);
else if (builtIn.code !== kDefaultTown.code) {
    fault(`${kDefaultTown.en} is ${builtIn.code}, the built-in town is ${kDefaultTown.code}`);
}

// --- distances ---
const byCode = new Map();
for (const p of points) {
    if (byCode.has(p.code)) fault(`${p.en} and ${byCode.get(p.code).en} share ${p.code}`);
    byCode.set(p.code, p);
}
let closest = null;
for (let i = 0; i < points.length; ++i) {
    for (let j = i + 1; j < points.length; ++j) {
        const d = km(points[i], points[j]);
        if (!closest || d < closest.d) closest = { a: points[i], b: points[j], d };
    }
}

// --- outlines ---
// A coastal town's point may fall a little into the sea of the simplified
// 1:10m coast: it passes when it lies in no outline at all, within kCoastKm
// of its own and nearer to its own than to any other.
const kCoastKm = 5;
const { outlines, unwrapped } = loadOutlines();
const report = [];
const inside = [];
const coast = [];
for (const p of points) {
    const own = outlines.get(countries.alpha2ToNumeric(p.country));
    if (!own) {
        fault(`${p.en}: no outline for ${p.country}`);
        continue;
    }
    if (own.polar) fault(`${p.en}: ${own.name} has a ring round a pole, which the test leaves out`);
    const containing = [...outlines.values()].filter((o) => inOutline(o, p));
    const names = containing.map((o) => o.name).join(', ') || 'none';
    const other = kOtherOutline[p.en];
    if (other) {
        const drawn = outlines.get(countries.alpha2ToNumeric(other));
        if (inOutline(own, p)) fault(`${p.en}: inside ${own.name} after all; drop its other outline`);
        else if (containing.length !== 1 || containing[0] !== drawn) fault(`${p.en} ${p.code}: in ${names}, not ${drawn.name}`);
        else report.push(`${p.en} ${p.code} (${p.country} in GeoNames): inside Natural Earth's ${drawn.name} outline`);
        continue;
    }
    if (containing.length === 1 && containing[0] === own) {
        inside.push({ p, km: kmToEdge(own, p), name: own.name });
        continue;
    }
    const ownKm = kmToEdge(own, p);
    if (containing.length === 0 && ownKm <= kCoastKm) {
        const nearer = [...outlines.values()].filter((o) => o !== own && kmToEdge(o, p) < ownKm);
        if (nearer.length === 0) {
            coast.push({ p, km: ownKm, name: own.name });
            continue;
        }
    }
    fault(`${p.en} ${p.code}: in ${names}, ${ownKm.toFixed(1)} km from ${own.name}`);
}

inside.sort((a, b) => a.km - b.km);
coast.sort((a, b) => b.km - a.km);
const line = (m, where) => `  ${m.p.en} ${m.p.code}: ${m.km.toFixed(1)} km ${where} ${m.name}`;
console.log(`${points.length} towns; outlines from Natural Earth 1:10m, ${unwrapped} rings unwrapped at the antimeridian`);
console.log(`inside their own country's outline: ${inside.length}; nearest its edge:`);
for (const m of inside.slice(0, 5)) console.log(line(m, 'inside'));
console.log(`on the coast, in the sea of the simplified outline (at most ${kCoastKm} km): ${coast.length}`);
for (const m of coast) console.log(line(m, 'off'));
for (const r of report) console.log(r);
console.log('the exclave and the town by the antimeridian:');
for (const en of ['Kaliningrad', 'Anadyr']) {
    const m = [...inside, ...coast].find((x) => x.p.en === en);
    if (m) console.log(line(m, inside.includes(m) ? 'inside' : 'off'));
}
if (closest) console.log(`closest pair: ${closest.a.en} and ${closest.b.en}, ${closest.d.toFixed(1)} km`);
if (builtIn) console.log(`built-in town: ${builtIn.en}=${builtIn.code}`);
for (const f of faults) console.log(`FAULT: ${f}`);
console.log(faults.length ? `${faults.length} faults` : 'no faults');
process.exitCode = faults.length ? 1 : 0;
