#include "core/app/app.h"

#include "core/prefs/localisation.h"

namespace vornix {

App::App(Services services) : sys(services), currentClip(services.codePage) {}

Text App::str(int number) const { return stringText(number + languageOffset); }

int App::askQuestion(const Text& text, int defaultAnswer, bool force) {
  const bool wasOpen = modalOpen;
  if (!force && (questionSuppression || modalOpen)) return defaultAnswer;
  modalOpen = true;
  int answer = sys.boxes.question(text, str(kStrSecurityQuestion));
  modalOpen = wasOpen;
  return answer == 1 ? 1 : 2;
}

void App::showError(const Text& text) {
  if (modalOpen) return;
  modalOpen = true;
  sys.boxes.critical(text, str(kStrComment));
  modalOpen = false;
}

bool App::checkSizeLimit(long long length) const {
  if (startupFlag) return true;
  return !(options.isOn(kLimitSize) && length > static_cast<long long>(options.number(kLimitSizeKB)) * 1024);
}

}  // namespace vornix
