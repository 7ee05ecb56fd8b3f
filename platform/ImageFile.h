// Image files in the common formats, through the platform's image codecs.
// Works without any display or application object.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using ImageTextChunks = std::vector<std::pair<std::string, std::string>>;

// Writes a PNG image of width x height pixels from rgb (3 bytes a pixel, rows
// top to bottom, no padding), with one text chunk per key/value pair, to the
// file open for writing on fileDescriptor (which stays open). Writing through
// the descriptor, never by name, lets a caller remove the file while this
// runs without the file coming back. On failure returns false and sets error
// to a short reason.
bool WriteRgbPng(int fileDescriptor, int width, int height, const std::uint8_t* rgb,
                 const ImageTextChunks& textChunks, std::string& error);

// A decoded image: 3 bytes a pixel, rows top to bottom, and its text chunks.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    ImageTextChunks textChunks;
};

// Reads any image file the platform can decode (meant for checking written
// files). On failure returns false and sets error.
bool ReadRgbImage(const std::string& path, RgbImage& image, std::string& error);
