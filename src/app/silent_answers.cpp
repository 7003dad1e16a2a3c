#include "app/silent_answers.h"

#include <algorithm>
#include <vector>

#include "host/host_version.h"
#include "res/dialogs.h"

namespace tpl {
namespace {

const int kVersionButtons[] = {kIdcFP98, kIdcFP2000, kIdcFP2002, kIdcFP2003};

// "a, b and c" of the names a dialog offered.
std::string ListOf(const std::vector<std::string>& names) {
  if (names.empty()) return "none";
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += names[i];
  }
  return text;
}

bool Usable(MemoryPeer& peer) { return peer.IsVisible() && peer.IsEnabled(); }

}  // namespace

SilentAnswers::SilentAnswers(const CommandLine& options, std::ostream& out)
    : options_(options), out_(out) {}

void SilentAnswers::Install(ScriptedFrontEnd& ui) {
  ui.SetDefault(kIddWizard, [this](DialogDriver& d) { AnswerWizard(d); });
  ui.SetDefault(kIddVersions, [this](DialogDriver& d) { AnswerVersions(d); });
  ui.SetDefault(kIddLicence, [this](DialogDriver& d) { AnswerLicence(d); });
  ui.SetDefault(kIddAbout, [](DialogDriver& d) { d.Click(kIdOk); });
}

void SilentAnswers::Fail(const std::string& error) {
  if (error_.empty()) error_ = error;
}

void SilentAnswers::AnswerWizard(DialogDriver& d) {
  MemoryPeer& createLog = d.control(kIdcCreateLog);
  if (options_.noLog && createLog.Check() == kBstChecked) d.Click(kIdcCreateLog);

  MemoryPeer& finish = d.control(kIdOk);
  for (int presses = 0; presses < kMaxNextPresses && error_.empty(); ++presses) {
    if (finish.IsEnabled()) break;  // the end screen
    if (Usable(d.control(kIdcLanguage)) && !ChooseLanguage(d)) break;
    if (!d.Click(kIdcNext)) break;
  }
  // A run stopped short (an answer not offered, or no way on) is cancelled
  // before anything is copied.
  if (!finish.IsEnabled()) d.Click(kIdCancel);

  out_ << d.control(kIdcStatusText).Text() << "\n";
  MemoryPeer& readme = d.control(kIdcViewReadme);
  if (readme.Check() == kBstChecked) d.Click(kIdcViewReadme);  // nobody to read it
  d.Click(kIdOk);
}

bool SilentAnswers::ChooseLanguage(DialogDriver& d) {
  MemoryPeer& combo = d.control(kIdcLanguage);
  if (!options_.languageGiven) return d.Select(kIdcLanguage, 0);
  std::vector<std::string> offered;
  for (int item = 0; item < combo.Count(); ++item) {
    if (static_cast<int>(combo.ItemData(item)) == options_.language) {
      return d.Select(kIdcLanguage, item);
    }
    const std::string text = combo.ItemText(item);
    if (std::find(offered.begin(), offered.end(), text) == offered.end()) offered.push_back(text);
  }
  Fail("--language " + std::to_string(options_.language) +
       " is not offered: the languages found are " + ListOf(offered));
  return false;
}

void SilentAnswers::AnswerVersions(DialogDriver& d) {
  std::vector<std::string> offered;
  for (int version = kFP98; version < kHostVersionCount; ++version) {
    if (d.control(kVersionButtons[version]).IsEnabled()) {
      offered.push_back(kHostVersionNames[version]);
    }
  }
  if (options_.versionsGiven) {
    for (int version = kFP98; version < kHostVersionCount; ++version) {
      MemoryPeer& button = d.control(kVersionButtons[version]);
      const bool wanted = std::find(options_.versions.begin(), options_.versions.end(),
                                    version) != options_.versions.end();
      if (wanted && !Usable(button)) {
        Fail(std::string("--versions: FrontPage ") + kHostVersionNames[version] +
             " is not offered: the versions found are " + ListOf(offered));
      } else if (Usable(button) && wanted != (button.Check() == kBstChecked)) {
        d.Click(kVersionButtons[version]);
      }
    }
  }
  bool anyChosen = false;
  for (int id : kVersionButtons) anyChosen = anyChosen || d.control(id).Check() == kBstChecked;
  if (!anyChosen) {
    // Without a choice the wizard would ask again and again.
    Fail("several FrontPage versions were found and none is preselected: choose with "
         "--versions (found: " + ListOf(offered) + ")");
  }
  d.Click(kIdOk);
}

void SilentAnswers::AnswerLicence(DialogDriver& d) {
  d.Click(options_.acceptLicence ? kIdOk : kIdCancel);
}

}  // namespace tpl
