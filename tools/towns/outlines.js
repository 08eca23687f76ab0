'use strict';
// Country outlines of Natural Earth's 1:10m admin-0 shapes (world-atlas),
// by ISO 3166 numeric code, and the two questions the check asks of them.
const topojson = require('topojson-client');
const world = require('world-atlas/countries-10m.json');

const kEarthKm = 6371.0088;
const rad = (d) => (d * Math.PI) / 180;

// world-atlas keeps each outline whole across the antimeridian: a ring
// steps from 180 to -180 and back (Chukotka, Wrangel Island). Unwrapping
// makes every ring continuous, east of 180 then reading as 180..190, so a
// point is tried at its longitude and one turn either way. A ring round a
// pole (Antarctica's) cannot close that way and is left out; no town is near.
function unwrap(ring) {
    let shift = 0;
    const out = [[ring[0][0], ring[0][1]]];
    for (let k = 1; k < ring.length; ++k) {
        const step = ring[k][0] + shift - out[k - 1][0];
        if (step > 180) shift -= 360;
        else if (step < -180) shift += 360;
        out.push([ring[k][0] + shift, ring[k][1]]);
    }
    return shift === 0 ? out : null;
}

function loadOutlines() {
    const outlines = new Map();  // ISO numeric -> { name, polygons: [[ring, ...], ...], polar }
    let unwrapped = 0;
    for (const f of topojson.feature(world, world.objects.countries).features) {
        if (!f.id || !f.geometry) continue;
        const polys = f.geometry.type === 'Polygon' ? [f.geometry.coordinates] : f.geometry.coordinates;
        const outline = { name: f.properties.name, polygons: [], polar: false };
        for (const rings of polys) {
            const flat = rings.map(unwrap);
            if (flat.includes(null)) {
                outline.polar = true;
                continue;
            }
            unwrapped += flat.filter((u, r) => u.some((p, k) => p[0] !== rings[r][k][0])).length;
            outline.polygons.push(flat);
        }
        outlines.set(f.id, outline);
    }
    return { outlines, unwrapped };
}

function inPolygon(rings, x, y) {
    let inside = false;  // even-odd over all rings, so holes count
    for (const ring of rings) {
        for (let k = 1; k < ring.length; ++k) {
            const [ax, ay] = ring[k - 1];
            const [bx, by] = ring[k];
            if (ay > y !== by > y && x < ((bx - ax) * (y - ay)) / (by - ay) + ax) inside = !inside;
        }
    }
    return inside;
}

// p: { lat, lon } in degrees.
const inOutline = (outline, p) =>
    outline.polygons.some((rings) => [0, 360, -360].some((turn) => inPolygon(rings, p.lon + turn, p.lat)));

// Shortest distance from a point to an outline's edges, on a plane tangent
// at the point: good to well under a kilometre at the distances that matter.
function kmToEdge(outline, p) {
    const cx = Math.cos(rad(p.lat)) * rad(1) * kEarthKm;
    const cy = rad(1) * kEarthKm;
    // An edge's start is put within half a turn of the point, its end the
    // edge's own length from there, so no edge wraps across the plane.
    const east = (lon) => ((((lon - p.lon) % 360) + 540) % 360) - 180;
    let best = Infinity;
    for (const rings of outline.polygons) {
        for (const ring of rings) {
            for (let k = 1; k < ring.length; ++k) {
                const [a, b] = [ring[k - 1], ring[k]];
                const ax = east(a[0]) * cx;
                const bx = ax + (b[0] - a[0]) * cx;
                const [ay, by] = [(a[1] - p.lat) * cy, (b[1] - p.lat) * cy];
                const len2 = (bx - ax) ** 2 + (by - ay) ** 2;
                const t = len2 === 0 ? 0 : Math.max(0, Math.min(1, -(ax * (bx - ax) + ay * (by - ay)) / len2));
                best = Math.min(best, Math.hypot(ax + t * (bx - ax), ay + t * (by - ay)));
            }
        }
    }
    return best;
}

// Great-circle distance.
function km(a, b) {
    const h =
        Math.sin(rad(b.lat - a.lat) / 2) ** 2 +
        Math.cos(rad(a.lat)) * Math.cos(rad(b.lat)) * Math.sin(rad(b.lon - a.lon) / 2) ** 2;
    return 2 * kEarthKm * Math.asin(Math.min(1, Math.sqrt(h)));
}

module.exports = { loadOutlines, inOutline, kmToEdge, km };
