#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/image_frame.h"

namespace orvane::fuzz {

// Reads inputs as whole FITS files from memory into one frame kept from input to input, and
// stops the process with a message when a read breaks the reader's promises: a refused input
// must leave every field of the frame as it was and name the file, an accepted one must give
// sizes and header slots the frame can hold. The read-time settings vary with the input's size,
// so the sign switch, dusky mode and the read-time calculation all take part.
class FitsReadChecker {
 public:
  FitsReadChecker();
  ~FitsReadChecker();
  // Empty when the input was read, otherwise the reader's message.
  std::string check(std::span<const std::uint8_t> input);

 private:
  // The fields a read may change as they were after the last accepted input, the pixels over
  // the part of the image a check can afford. Taken again only when an input is read, so a
  // refusal costs one comparison.
  struct Snapshot;
  void take_snapshot();
  bool frame_as_in_snapshot() const;

  std::unique_ptr<core::ImageFrame> frame_;
  std::unique_ptr<Snapshot> snapshot_;
};

}  // namespace orvane::fuzz
