// A picture file written band by band as the bands are finished, through
// the writer its format gives (formats/), so that the renderer's files and
// the viewer's saved pictures are the same bytes for the same description.
#pragma once

#include "BandedRender.h"
#include "PictureDescription.h"
#include "PictureFormats.h"

#include <cstdint>
#include <memory>
#include <string>

class PictureWriter {
public:
    // Writes to the file open for writing on fileDescriptor (which stays
    // open), starting with the header; Error() tells if that failed. The
    // format may encode on control's threads.
    PictureWriter(int fileDescriptor, const PictureDescription& picture, ImageFormat format,
                  const RenderControl& control);

    // The colour values of the next `rows` rows of the picture: rows x K
    // sample rows of width x K values each (K the supersampling). After the
    // last row the file is complete. False on failure.
    bool WriteSampleRows(const std::uint8_t* samples, std::int32_t rows);
    // The exponents of the next `rows` rows, as WriteSampleRows takes colour
    // values: stored as they are, or coloured.
    bool WriteExponentRows(const double* exponents, std::int32_t rows);

    // Why writing failed (the system's reason where there is one).
    const std::string& Error() const { return fWriter->Error(); }

private:
    std::unique_ptr<FormatWriter> fWriter;
};

// How WritePictureFile ended. Unless written, no file was made and the one
// that was there is as it was.
enum class WriteOutcome { kWritten, kNotCreated, kInterrupted, kWriteFailed, kSourceFailed };

// Whether a picture is written from its exponents rather than its colour
// values: the formats that hold them, and a PNG whose chaos is graded.
bool WrittenFromExponents(const PictureDescription& picture, ImageFormat format);

// Renders the picture in bands on control's threads and writes it to path:
// renamed into place only when complete, so that a failure or an interrupt
// leaves no partial file. error: the reason for kNotCreated and
// kWriteFailed.
WriteOutcome WritePictureFile(const std::string& path, const PictureDescription& picture,
                              ImageFormat format, const RenderControl& control,
                              std::string& error);

// The same file made from the exponents a TIFF of ours holds (of a picture
// that differs from this one in its colours alone), without computing
// them; kSourceFailed, with the reason in error, when the TIFF cannot be read
// or does not fit the picture.
WriteOutcome RecolourPictureFile(const std::string& path, const PictureDescription& picture,
                                 ImageFormat format, const std::string& exponentsPath,
                                 const RenderControl& control, std::string& error);
