#pragma once
// From which scale the pictures the program carries are drawn from their
// renderings at twice their size, and the built-in icons from theirs at three
// times, on both systems alike. Measured against the icons drawn at the scale
// itself (bench/pictures/run): from 125 % on, the doubled rendering scaled
// down comes closer than the plain one scaled up for most icons and on
// average, with smooth and with nearest-pixel scaling; from 225 % on, the
// tripled one scaled down closer than the doubled one scaled up.

namespace PictureScale {

inline constexpr int kDoubleFromPercent = 125;
inline constexpr int kStandardDpi = 96;
inline constexpr int kDoubleFromDpi = kStandardDpi * kDoubleFromPercent / 100;
inline constexpr double kDoubleFromRatio = kDoubleFromPercent / 100.0;
inline constexpr int kTripleFromPercent = 225;
inline constexpr int kTripleFromDpi = kStandardDpi * kTripleFromPercent / 100;
inline constexpr double kTripleFromRatio = kTripleFromPercent / 100.0;

} // namespace PictureScale
