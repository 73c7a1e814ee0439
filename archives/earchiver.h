// The one error type of the archive layer. Its text is shown to the user as it stands, by the
// application's general error handler; nothing below the user interface catches it.
#pragma once

#include <stdexcept>
#include <string>

namespace archives {

class EArchiver : public std::runtime_error {
 public:
  explicit EArchiver(const std::string &message) : std::runtime_error(message) {}
};

}  // namespace archives
