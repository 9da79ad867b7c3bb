#pragma once
// The error of a strict conversion; its text is what the user is shown.

#include <stdexcept>
#include <string>

namespace audio77 {

class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace audio77
