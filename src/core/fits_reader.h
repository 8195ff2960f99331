#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/image_frame.h"
#include "core/result.h"

namespace orvane::core {

struct ReadReport {
  // -32 values that were NaN, infinite or beyond the 32-bit range and were limited.
  std::int64_t values_limited = 0;
  // Empty, or one line telling the user about the limited values.
  std::string warning;
};

// The settings the reader applies to every value it reads.
struct ReadOptions {
  int sign_mode = 1;       // +1 "Non Sign Integer" on (BZERO added), -1 off (BZERO taken away)
  int read_calc_mode = 0;  // 0 add read_calc_operand, otherwise multiply by it
  double read_calc_operand = 0;
  bool dusky_mode = false;  // values of 60000 and more never become max_value
};

// The read-time settings the frame holds.
ReadOptions read_options_of(const ImageFrame& frame);

// The same settings without the read-time calculation: dark and flat references are read so.
ReadOptions without_calculation(ReadOptions options);

// Whether the read-time calculation changes the values read (add 0 and multiply by 1 do not).
bool read_calculation_active(const ReadOptions& options);

// The sentence that names an active read-time calculation, e.g. "Read-time calculation on:
// 100 is added to every value read"; empty when it is not active.
std::string read_calculation_text(const ReadOptions& options);

// Reads the FITS file at path into the frame with the given read-time settings (the frame's own
// settings fields are not changed). On success file_path is path and "UnDo" is no longer
// available. A refused file leaves every field of the frame as it was; the error is the path
// followed by the reason ("img.fitBITPIX error"). The caller shows statistics_show afterwards in
// both cases.
Result<ReadReport> fits_read(ImageFrame& frame, const std::string& path,
                             const ReadOptions& options);

// The same with the frame's own read-time settings.
Result<ReadReport> fits_read(ImageFrame& frame, const std::string& path);

// Reads a whole FITS file held in memory (its bytes from the first to the last), with the same
// checks, messages and frame fields as fits_read from a file; `name` stands where the path
// stands, in the messages and in file_path. A refused file leaves the frame as it was.
Result<ReadReport> fits_read_memory(ImageFrame& frame, std::span<const std::uint8_t> file,
                                    const std::string& name, const ReadOptions& options);

// A FITS file read into a buffer of its own, sized to the file: a dark or flat reference, or a
// member of a composite, kept beside the frame.
struct FitsImage {
  std::string path;
  int width = 0;    // NAXIS1
  int height = 0;   // NAXIS2
  int planes = -1;  // NAXIS3, -1 when absent
  int bitpix = -1;  // absolute BITPIX: 8, 16 or 32
  int is_float = 0;
  double bzero = 0;
  double bscale = 1;
  // Cards 1..header_card_count (element 0 is card 1): the cards up to END, then blank cards.
  std::vector<std::string> header_cards;
  int header_card_count = 0;
  // width x height values, row after row.
  std::vector<std::int32_t> pixels;
  std::int32_t max_value = -1;
  std::int32_t min_value = 2147483647;

  std::int32_t at(int x, int y) const { return pixels[x + std::size_t(width) * y]; }
  const std::int32_t* row(int y) const { return pixels.data() + std::size_t(width) * y; }
};

// Reads the file at path into image, with the same checks and messages as fits_read. The image's
// buffer is reused when it is large enough, so a series of frames of one size costs no new
// memory. A file refused for its header or size leaves the image as it was; a read error in the
// data unit (the file shrank, the disk failed) leaves it empty.
Result<ReadReport> fits_read_image(FitsImage& image, const std::string& path,
                                   const ReadOptions& options);

// Gives the frame the image's header: sizes, BITPIX, BZERO, BSCALE, cards and file_path, as a
// read of that file would; "UnDo" is no longer available. Pixels and extremes are the caller's.
void frame_header_from_image(ImageFrame& frame, const FitsImage& image);

// A FITS file read into memory with its header checked, as fits_read checks it. Decoding it
// into a frame needs no more file access, so a run over many frames can read the next file
// while the current one is measured.
struct FitsLoaded;
struct FitsBytes {
  std::string path;
  std::shared_ptr<FitsLoaded> loaded;
};
Result<FitsBytes> fits_load(const std::string& path);
// The same into `bytes`, whose memory is reused when no copy of it is shared: a series of
// frames of one size then costs no new memory (fresh memory is slow to touch).
Status fits_load(const std::string& path, FitsBytes& bytes);

// The loaded file decoded into the frame, exactly as fits_read(frame, path, options) reads it.
Result<ReadReport> fits_read(ImageFrame& frame, const FitsBytes& bytes, const ReadOptions& options);

// Whether the file begins as every FITS file does, with "SIMPLE  =": refused with a message
// naming the file when it does not. A file that cannot be read passes (the reader tells why).
// Checked before a frame is opened from the dialog, a drop or the command line, so a picture or
// a text file is named as what it is rather than as a damaged header.
Status fits_signature(const std::string& path);

// Open by name (dropped files, command line): true for names ending in .fit, .fts or .fits in
// any letter case.
bool is_fits_name(std::string_view name);

}  // namespace orvane::core
