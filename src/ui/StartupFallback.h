#pragma once
// What start-up does with a skin or language that fails to load: rather than
// end the program at every start while the stored choice stays, it tries the
// other installed ones in menu order and keeps the first that loads. The
// stored choice is not touched; the notice tells the user what failed, where,
// and what is shown instead.

#include <functional>
#include <string>
#include <vector>

namespace audio77::ui {

class StartupFallback {
 public:
  struct Outcome {
    std::string chosen;
    // Empty when the stored choice itself loaded.
    std::string notice;
  };
  struct Subject {
    // "skin" or "language", as the notice names it.
    std::string kind;
    // Loads one candidate or throws; a candidate that fails leaves the
    // window as it was.
    std::function<void(const std::string&)> load;
    // The file or folder a candidate is read from, for the notice.
    std::function<std::string(const std::string&)> where;
  };

  // Loads stored, else the first of candidates that loads. When none does,
  // the stored choice's error is thrown on.
  static Outcome Choose(const Subject& subject, const std::string& stored, const std::vector<std::string>& candidates);
};

}  // namespace audio77::ui
