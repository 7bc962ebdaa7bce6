// The demo model and skins, made entirely by code: the model every demo, test and benchmark opens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varp::sample {

// The demo character's MD2 file; it links "models/demo/skin.pcx" and "models/demo/skin2.pcx".
std::vector<uint8_t> SampleModelBytes();

// PCX files of the demo skins: 0 = models/demo/skin.pcx (red team), 1 = models/demo/skin2.pcx
// (the same layout in blue), 2 and 3 = the 256 x 256 extras blue.pcx and gold.pcx, 4 = the
// 128 x 128 small.pcx, which the folder scan must pass over. Any other number gives skin 0.
std::vector<uint8_t> SampleSkinBytes(int which);

// A torus of exactly `triangles` triangles (clamped to 1..4096) in two frames, linking
// "models/dense/skin.pcx" (skin 0 fits it).
std::vector<uint8_t> DenseModelBytes(int triangles);

// Writes the demo base folder under the OS path `dir`: models/demo/tris.md2, skin.pcx,
// skin2.pcx and extras/{blue,gold,small}.pcx. 1 on success; 0 with a one-line reason in
// *error (when error is not null).
int WriteSampleBaseFolder(const std::string& dir, std::string* error);

}  // namespace varp::sample
