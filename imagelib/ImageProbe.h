// Reads the declared pixel size from the header of a JPEG, PNG, GIF or BMP file held in memory,
// so that an absurd size is refused before a decoder allocates anything for it. This only walks
// the headers; the decoding itself is left to the imaging component.
#pragma once
#include <cstdint>
#include <vector>

// False when the data is none of the four formats or its header is cut short or malformed.
bool ProbeImageSize(const std::vector<std::uint8_t>& data, std::uint32_t& nWidth,
                    std::uint32_t& nHeight);
