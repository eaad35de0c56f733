#pragma once

namespace layer {

// A record for each software image layout, chosen by colour type (0 to 3) and its flags:
// colour types 0 and 1 have one per alpha and palette flag, the 8- and 16-bit single-channel
// types 2 and 3 one each. `make(type, alpha, palette)` fills the records on the first request
// (flags 0 or 1); they are kept for the process, one table per `make`. Null for another type.
template <class Make>
const auto* MemImgLayoutRecord(int color_type, int alpha_flag, int palette_flag, Make make) {
    using Record = decltype(make(0, 0, 0));
    static const Record kColor[2][2][2] = {
        {{make(0, 0, 0), make(0, 0, 1)}, {make(0, 1, 0), make(0, 1, 1)}},
        {{make(1, 0, 0), make(1, 0, 1)}, {make(1, 1, 0), make(1, 1, 1)}}};
    static const Record kSingle8 = make(2, 0, 0);
    static const Record kSingle16 = make(3, 0, 0);
    switch (color_type) {
        case 0:
        case 1:
            return &kColor[color_type][alpha_flag != 0][palette_flag != 0];
        case 2:
            return &kSingle8;
        case 3:
            return &kSingle16;
        default:
            return static_cast<const Record*>(nullptr);
    }
}

}  // namespace layer
