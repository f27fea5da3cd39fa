#pragma once
// Constants the RTF writer and reader share.

namespace corvel::rtf {

// Private control word with a run's exact size in 1/100 point, written after
// \fs when the size is not a whole number of half points (other readers
// ignore unknown control words and keep \fs).
inline constexpr char kExactSizeWord[] = "corvelpt";

// Largest font size kept, in 1/100 point (1638 pt, the usual word-processor
// limit); larger sizes are clamped.
inline constexpr int kMaxSizeHundredths = 163800;

} // namespace corvel::rtf
