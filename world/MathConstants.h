#pragma once
// The single-precision constants the program uses everywhere.
constexpr float DegToRad = 0.017453292f;
constexpr float RadToDeg = 57.295776f;
constexpr float Pi = 3.1415927f;
constexpr float OneOver180 = 0.0055555557f;
