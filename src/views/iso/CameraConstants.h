// The angle constants the camera works with, exactly as its arithmetic has always used them.
#pragma once

namespace varp::iso {

inline constexpr double Pi = 3.141592;
// Degrees become radians by x Pi x DegreesToRadians, radians degrees by x 180.0 x RadiansToPi.
inline constexpr double DegreesToRadians = 0.005555555555555556;
inline constexpr double RadiansToPi = 0.3183099524062959;  // the double nearest 1 / 3.141592

// Mouse pixels to degrees, and the per-pixel factors of the dolly, the push and the zoom; all
// single precision.
inline constexpr float OrbitDegreesPerPixel = 0.2f;
inline constexpr float LookDegreesPerPixel = 0.02f;
inline constexpr float DollyNearer = 0.998004f;
inline constexpr float DollyFarther = 1.002f;
inline constexpr float PushNearer = 0.99900097f;
inline constexpr float PushFarther = 1.001f;
inline constexpr float ZoomDegreesPerPixel = 0.1f;
inline constexpr double MinFieldOfView = 1.0;
inline constexpr double MaxFieldOfView = 120.0;

}  // namespace varp::iso
