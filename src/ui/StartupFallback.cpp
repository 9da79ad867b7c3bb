#include "ui/StartupFallback.h"

#include <exception>
#include <stdexcept>

namespace audio77::ui {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

StartupFallback::Outcome StartupFallback::Choose(const Subject& subject, const std::string& stored,
                                                 const std::vector<std::string>& candidates) {
  std::exception_ptr first_error;
  std::string reason;
  try {
    subject.load(stored);
    return {stored, {}};
  } catch (const std::exception& error) {
    first_error = std::current_exception();
    reason = error.what();
  }
  for (const auto& candidate : candidates) {
    if (candidate == stored) continue;
    try {
      subject.load(candidate);
    } catch (const std::exception&) {
      continue;
    }
    std::string notice = "The " + subject.kind + " " + Quoted(stored) + " (" + subject.where(stored) +
                         ") could not be loaded: " + reason + "\n\nThe " + subject.kind + " " + Quoted(candidate) +
                         " is shown instead. " + Quoted(stored) + " stays the saved choice until another " +
                         subject.kind + " is picked.";
    return {candidate, std::move(notice)};
  }
  std::rethrow_exception(first_error);
}

}  // namespace audio77::ui
