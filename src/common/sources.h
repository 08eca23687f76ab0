#pragma once
// The two weather sources, by SourceIndex: 0 the Gismeteo informer, 1 the
// Weather Underground feed. Every table indexed by SourceIndex has this many
// rows.

namespace ow {

inline constexpr int kSourceCount = 2;

// A stored or selected source that names none of the sources is source 0.
constexpr int SourceIndexFrom(int index) { return (index >= 0 && index < kSourceCount) ? index : 0; }

}  // namespace ow
