#pragma once

// The small example character used throughout the format's description:
// hexadecimal numbering, a background, two poses, an effect and a layered
// animation. CR LF line ends, as files written on the original platform have.

namespace chartest {

inline const char* const kExample = "#CHARNAME Sample\r\n"
                                    "#ANIME 80\r\n"
                                    "#DATA 16\r\n"
                                    "#CHARBMP sample.bmp\r\n"
                                    "#01 0 0 121 271\r\n"
                                    "#02 121 0 121 271\r\n"
                                    "#03 242 0 121 271\r\n"
                                    "#1A 0 280 40 40\r\n"
                                    "#1B 60 100 40 40\r\n"
                                    "#PATERN 01 0202020303\r\n"
                                    "#PATERN 06 02030203\r\n"
                                    "#LAYER 06 1A1A1A1A 1B1B1B1B\r\n";

} // namespace chartest
