#include "core/fits_reader.h"

#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <new>
#include <vector>

#include "core/fits_decode.h"
#include "core/fits_header_parse.h"
#include "core/number_text.h"
#include "core/posix_file.h"

// The ways of reading a FITS file: from a path into the frame or into an image of its own,
// loaded ahead into memory, or from bytes already in memory. All take the same header checks
// (fits_header_parse.h) and the same decoding (fits_decode.h).
namespace orvane::core {
namespace {

// The header's fields as a read sets them; cards as read, then blank cards up to the block end.
template <typename Fields>
void commit_fields(Fields& fields, const FitsHeader& header) {
  const FitsHeaderValues& h = header.values;
  fields.width = header.width;
  fields.height = header.height;
  fields.planes = h.has_naxis3 ? round_to_i32(h.naxis3) : -1;
  fields.bitpix = header.bitpix;
  fields.is_float = header.is_float ? 1 : 0;
  fields.bzero = h.bzero;
  fields.bscale = h.bscale;
  fields.header_card_count = header.card_count;
}

void commit_header(ImageFrame& frame, FitsHeader& header, const std::string& path) {
  commit_fields(frame, header);
  const int end_card = static_cast<int>(header.cards.size());
  for (int i = 1; i <= ImageFrame::kHeaderSlots; ++i) {
    if (i <= end_card) {
      frame.header_cards[i] = std::move(header.cards[i - 1]);
    } else if (i <= header.card_count) {
      frame.header_cards[i].assign(kFitsCardLength, ' ');
    } else {
      frame.header_cards[i].clear();
    }
  }
  frame.file_path = path;
  frame.undo_available = false;
}

// An open file whose header passed every check, and where its data unit lies.
struct OpenedFile {
  FileDescriptor file;
  FitsHeader header;
  off_t data_offset = 0;
  std::size_t values = 0;  // width x height: only the first plane is read
};

Result<OpenedFile> open_fits(const std::string& path) {
  OpenedFile opened;
  opened.file = FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  const int fd = opened.file.get();
  if (fd < 0) return Error{open_error_message(path, errno)};
  struct stat status {};
  if (::fstat(fd, &status) != 0) return Error{read_error_message(path, errno)};
  if (!S_ISREG(status.st_mode)) return Error{path + ": is not a file"};
  const auto file_size = static_cast<std::uint64_t>(status.st_size);

  std::vector<std::uint8_t> header_bytes(fits_header_span(file_size));
  if (const int error = read_at(fd, 0, header_bytes.data(), header_bytes.size()); error != 0) {
    return Error{read_error_message(path, error)};
  }
  Result<FitsHeader> header = parse_fits_header(header_bytes, path);
  if (!header) return Error{header.error()};
  Result<FitsDataPlace> place = fits_data_place(*header, path, file_size);
  if (!place) return Error{place.error()};
  opened.header = std::move(*header);
  opened.data_offset = static_cast<off_t>(place->offset);
  opened.values = place->values;
  return opened;
}

ReadReport report_of(const std::string& path, const FitsExtremes& extremes) {
  ReadReport report;
  report.values_limited = extremes.limited;
  if (report.values_limited > 0) {
    report.warning = path + ": " + str_trimmed(double(report.values_limited)) +
                     (report.values_limited == 1 ? " value was" : " values were") +
                     " not finite or beyond the 32-bit range and were limited";
  }
  return report;
}

// Decodes the data unit into the frame's pixels and, when that succeeds, gives the frame the
// header. A read error in a data unit read from a file leaves the frame's other fields as they
// were.
Result<ReadReport> read_into_frame(ImageFrame& frame, const FitsDataUnit& data, FitsHeader& header,
                                   const ReadOptions& options) {
  std::int32_t* pixels = nullptr;
  try {
    pixels = frame.pixels.data();
  } catch (const std::bad_alloc&) {
    return Error{data.path + ": not enough memory for the image"};
  }
  const FitsTarget target{{pixels, PixelStore::kSide}, header.width, options};
  Result<FitsExtremes> extremes = decode_pixels(data, header, target);
  if (!extremes) return Error{extremes.error()};
  commit_header(frame, header, data.path);
  frame.max_value = extremes->max_value;
  frame.min_value = extremes->min_value;
  return report_of(data.path, *extremes);
}

}  // namespace

struct FitsLoaded {
  FitsHeader header;
  std::size_t values = 0;
  std::vector<std::uint8_t> data;  // the first plane's bytes as the file holds them
};

ReadOptions read_options_of(const ImageFrame& frame) {
  return ReadOptions{frame.sign_mode, frame.read_calc_mode, frame.read_calc_operand,
                     frame.dusky_mode};
}

ReadOptions without_calculation(ReadOptions options) {
  options.read_calc_mode = 0;
  options.read_calc_operand = 0;
  return options;
}

bool read_calculation_active(const ReadOptions& options) {
  return options.read_calc_mode == 0 ? options.read_calc_operand != 0
                                     : options.read_calc_operand != 1;
}

std::string read_calculation_text(const ReadOptions& options) {
  if (!read_calculation_active(options)) return "";
  const std::string operand = str_trimmed(options.read_calc_operand);
  if (options.read_calc_mode == 0) {
    return "Read-time calculation on: " + operand + " is added to every value read";
  }
  return "Read-time calculation on: every value read is multiplied by " + operand;
}

Result<ReadReport> fits_read(ImageFrame& frame, const std::string& path,
                             const ReadOptions& options) {
  Result<OpenedFile> opened = open_fits(path);
  if (!opened) return Error{opened.error()};
  const FitsDataUnit data{opened->file.get(), opened->data_offset, opened->values, path};
  return read_into_frame(frame, data, opened->header, options);
}

Result<ReadReport> fits_read_memory(ImageFrame& frame, std::span<const std::uint8_t> file,
                                    const std::string& name, const ReadOptions& options) {
  Result<FitsHeader> header = parse_fits_header(file.first(fits_header_span(file.size())), name);
  if (!header) return Error{header.error()};
  Result<FitsDataPlace> place = fits_data_place(*header, name, file.size());
  if (!place) return Error{place.error()};
  const FitsDataUnit data{-1, 0, place->values, name, file.data() + place->offset};
  return read_into_frame(frame, data, *header, options);
}

Status fits_load(const std::string& path, FitsBytes& bytes) {
  Result<OpenedFile> opened = open_fits(path);
  if (!opened) return Error{opened.error()};
  if (!bytes.loaded || bytes.loaded.use_count() > 1) bytes.loaded = std::make_shared<FitsLoaded>();
  FitsLoaded& loaded = *bytes.loaded;
  bytes.path = path;
  loaded.values = opened->values;
  try {
    loaded.data.resize(opened->values * std::size_t(opened->header.bitpix / 8));
  } catch (const std::bad_alloc&) {
    bytes.loaded.reset();
    return Error{path + ": not enough memory for the image"};
  }
  if (const int error =
          read_at(opened->file.get(), opened->data_offset, loaded.data.data(), loaded.data.size());
      error != 0) {
    bytes.loaded.reset();
    return Error{read_error_message(path, error)};
  }
  loaded.header = std::move(opened->header);
  return ok_status();
}

Result<FitsBytes> fits_load(const std::string& path) {
  FitsBytes bytes;
  if (Status loaded = fits_load(path, bytes); !loaded) return Error{loaded.error()};
  return bytes;
}

Result<ReadReport> fits_read(ImageFrame& frame, const FitsBytes& bytes,
                             const ReadOptions& options) {
  const FitsLoaded& loaded = *bytes.loaded;
  const FitsDataUnit data{-1, 0, loaded.values, bytes.path, loaded.data.data()};
  FitsHeader header = loaded.header;  // the cards are taken into the frame
  return read_into_frame(frame, data, header, options);
}

Result<ReadReport> fits_read(ImageFrame& frame, const std::string& path) {
  return fits_read(frame, path, read_options_of(frame));
}

Result<ReadReport> fits_read_image(FitsImage& image, const std::string& path,
                                   const ReadOptions& options) {
  Result<OpenedFile> opened = open_fits(path);
  if (!opened) return Error{opened.error()};
  // The image's old buffer is taken over, so a series of frames of one size allocates nothing.
  std::vector<std::int32_t> pixels;
  try {
    pixels.swap(image.pixels);
    pixels.resize(opened->values);
  } catch (const std::bad_alloc&) {
    pixels.swap(image.pixels);
    return Error{path + ": not enough memory for the image"};
  }
  const FitsDataUnit data{opened->file.get(), opened->data_offset, opened->values, path};
  const FitsTarget target{
      {pixels.data(), std::size_t(opened->header.width)}, opened->header.width, options};
  Result<FitsExtremes> extremes = decode_pixels(data, opened->header, target);
  if (!extremes) {
    image = FitsImage{};  // its old pixels were partly overwritten
    return Error{extremes.error()};
  }

  FitsHeader& header = opened->header;
  commit_fields(image, header);
  header.cards.resize(header.card_count, std::string(kFitsCardLength, ' '));
  image.header_cards = std::move(header.cards);
  image.pixels.swap(pixels);
  image.path = path;
  image.max_value = extremes->max_value;
  image.min_value = extremes->min_value;
  return report_of(path, *extremes);
}

void frame_header_from_image(ImageFrame& frame, const FitsImage& image) {
  frame.width = image.width;
  frame.height = image.height;
  frame.planes = image.planes;
  frame.bitpix = image.bitpix;
  frame.is_float = image.is_float;
  frame.bzero = image.bzero;
  frame.bscale = image.bscale;
  const int count = std::min<int>(image.header_card_count, ImageFrame::kHeaderSlots);
  for (int i = 1; i <= ImageFrame::kHeaderSlots; ++i) {
    if (i <= count) {
      frame.header_cards[i] = image.header_cards[i - 1];
    } else {
      frame.header_cards[i].clear();
    }
  }
  frame.header_card_count = count;
  frame.file_path = image.path;
  frame.undo_available = false;
}

bool is_fits_name(std::string_view name) {
  const auto ends_with = [name](std::string_view extension) {
    if (name.size() < extension.size()) return false;
    const std::string_view tail = name.substr(name.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
      return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
    });
  };
  return ends_with(".fit") || ends_with(".fts") || ends_with(".fits");
}

Status fits_signature(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return ok_status();  // the reader says why it cannot be opened
  char start[9] = {};
  const std::size_t got = std::fread(start, 1, sizeof start, file);
  std::fclose(file);
  if (got == sizeof start && std::string_view(start, sizeof start) == "SIMPLE  =") {
    return ok_status();
  }
  return Error{path + ": not a FITS file (it does not begin with a SIMPLE card)"};
}

}  // namespace orvane::core
