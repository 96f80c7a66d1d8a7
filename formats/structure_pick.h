#pragma once
// Choosing one structure of a text that holds several.
#include <string>

#include "engine/errors.h"

namespace zenphal::formats {

// The structure to read, from 1: requested 0 means the first. Throws
// InputError when requested is negative or beyond count.
inline int ChosenStructure(int requested, int count) {
  if (requested < 0) throw InputError("structure number " + std::to_string(requested) + " is not 1 or more");
  if (requested > count) {
    throw InputError("the text holds " + std::to_string(count) + (count == 1 ? " structure" : " structures") +
                     "; there is no structure " + std::to_string(requested));
  }
  return requested == 0 ? 1 : requested;
}

}  // namespace zenphal::formats
