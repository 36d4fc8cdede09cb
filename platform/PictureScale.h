#pragma once
// From which scale the pictures the program carries are drawn from their
// renderings at twice their size, on both systems alike. Measured against the
// icons drawn at the scale itself (bench/pictures/run): from 125 % on, the
// doubled rendering scaled down comes closer than the plain one scaled up for
// most icons and on average, with smooth and with nearest-pixel scaling.

namespace PictureScale {

inline constexpr int kDoubleFromPercent = 125;
inline constexpr int kStandardDpi = 96;
inline constexpr int kDoubleFromDpi = kStandardDpi * kDoubleFromPercent / 100;
inline constexpr double kDoubleFromRatio = kDoubleFromPercent / 100.0;

} // namespace PictureScale
