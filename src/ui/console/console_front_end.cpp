#include "ui/console/console_front_end.h"

#include <csignal>
#include <cstdio>
#include <sys/wait.h>

#include "machine/interruption.h"
#include "res/strings.h"
#include "ui/console/terminal_text.h"
#include "ui/dialog_driver.h"
#include "ui/memory_dialog.h"

namespace tpl {
namespace {

const char kClearScreen[] = "\x1b[H\x1b[2J";
const char kPrompt[] = "Your choice: ";
const char kEndOfInput[] = "[end of input]";
const char kEnterDoesNothing[] = "Enter does nothing here: type one of the keys shown.";
const char kEndOfText[] = "That is the end of the text: choose one of the keys below.";
const char kNotNow[] = "That is not available now.";
const char kMessageBoxPrompt[] = "Press Enter for OK. ";
constexpr int kShellCommandNotFound = 127;
constexpr unsigned kMbIconMask = 0xF0;
constexpr unsigned kMbIconQuestion = 0x20;
constexpr unsigned kMbIconInformation = 0x40;

bool IsStatic(ControlKind kind) {
  return kind == ControlKind::kStaticLeft || kind == ControlKind::kStaticCenter;
}

// A control peer that tells the front end when the progress bar moves or a
// caption is painted: no screen is drawn while a handler runs. A new range
// alone is not news: its bar shows from the first position set or step.
class ConsolePeer : public MemoryPeer {
 public:
  ConsolePeer(const ControlTemplate& control, int* focusedId, ConsoleFrontEnd& ui)
      : MemoryPeer(control, focusedId), ui_(ui) {}

  void Repaint() override {
    MemoryPeer::Repaint();
    if (!IsVisible()) return;
    if (IsStatic(control().kind)) {
      ui_.CaptionPainted(Text());
    } else {
      Moved();
    }
  }
  void SetPos(int position) override {
    MemoryPeer::SetPos(position);
    Moved();
  }
  void StepIt() override {
    MemoryPeer::StepIt();
    Moved();
  }

 private:
  void Moved() {
    if (IsVisible() && control().kind == ControlKind::kProgressSmooth) {
      ui_.ProgressMoved(Pos(), RangeLower(), RangeUpper());
    }
  }
  ConsoleFrontEnd& ui_;
};

std::string IconWord(unsigned type) {
  switch (type & kMbIconMask) {
    case kMbIconStop: return "Error";
    case kMbIconExclamation: return "Warning";
    case kMbIconQuestion: return "Question";
    case kMbIconInformation: return "Information";
    default: return "";
  }
}

std::string Rule(const std::string& heading, int columns) {
  std::string rule = "--- " + heading + " ";
  const int rest = columns - 1 - DisplayWidth(rule);
  return rule + std::string(rest > 3 ? rest : 3, '-');
}

}  // namespace

ConsoleFrontEnd::ConsoleFrontEnd(Machine& machine, std::istream& in, std::ostream& out,
                                 ConsoleOptions options)
    : machine_(machine),
      in_(in),
      out_(out),
      options_(std::move(options)),
      meter_(out, options_.terminal, options_.columns, options_.clock) {}

ScreenLayout ConsoleFrontEnd::Layout() {
  if (options_.measure) options_.measure(&options_.columns, &options_.rows);
  meter_.SetColumns(options_.columns);
  ScreenLayout layout;
  layout.columns = options_.columns;
  layout.rows = options_.rows;
  layout.utf8 = options_.utf8;
  layout.colour = options_.colour;
  return layout;
}

void ConsoleFrontEnd::CaptionPainted(const std::string& text) {
  shown_.clear();
  meter_.Caption(ToTerminalText(text, options_.utf8));
}

void ConsoleFrontEnd::Show(const std::string& screen) {
  if (screen == shown_) return;
  // One write per screen: the terminal never shows half of one.
  out_ << (options_.terminal ? kClearScreen : "\n") << screen;
  shown_ = screen;
}

bool ConsoleFrontEnd::ReadAnswer(std::string* line) {
  out_ << kPrompt << std::flush;
  if (!std::getline(in_, *line)) {
    CheckInterruption();  // a signal ends the wait: the run stops here
    out_ << kEndOfInput << "\n";
    shown_.clear();
    return false;
  }
  if (!line->empty() && line->back() == '\r') line->pop_back();
  // A terminal echoes what is typed; answers from a pipe are echoed here so
  // the transcript reads like a session.
  if (!options_.inputEchoed) out_ << *line << "\n";
  return true;
}

int ConsoleFrontEnd::RunModal(CDialog& dialog) {
  meter_.Finish();
  shown_.clear();
  // The peers outlive the run, as windows outlive DoModal until the dialog
  // object goes: its controls stay readable afterwards.
  auto peers = std::make_unique<MemoryDialog>(
      dialog.Template(), [this](const ControlTemplate& control, int* focusedId) {
        return std::make_unique<ConsolePeer>(control, focusedId, *this);
      });
  MemoryDialog& run = *peers;
  StartModalRun(dialog, run);
  DialogScreen screen(run, Layout());
  DialogDriver driver(dialog, run);

  std::string notice;
  int endsOfInput = 0;
  while (!dialog.IsEnded()) {
    meter_.Finish();
    screen.SetLayout(Layout());
    Show(screen.Render());
    if (!notice.empty()) out_ << notice << "\n";
    notice.clear();

    std::string answer;
    if (!ReadAnswer(&answer)) {
      // Esc first (the wizard's Cancel); a dialog that stays open after it
      // (the wizard on its end screen) gets its default button; then the
      // run ends whatever the dialog thinks, so closed input never spins.
      ++endsOfInput;
      if (endsOfInput == 1) {
        driver.Cancel();
      } else if (endsOfInput == 2) {
        driver.PressEnter();
      } else {
        break;
      }
      continue;
    }

    ScreenAction action;
    if (!screen.Interpret(answer, &action, &notice)) continue;
    switch (action.kind) {
      case ScreenAction::Kind::kEnter:
        if (screen.ShowsLongText()) {
          if (screen.MoreText()) {
            screen.NextPage();
          } else {
            notice = kEndOfText;
          }
        } else if (!driver.PressEnter()) {
          notice = kEnterDoesNothing;
        }
        break;
      case ScreenAction::Kind::kEscape:
        driver.Cancel();
        break;
      case ScreenAction::Kind::kClick:
        if (!driver.Click(action.id)) notice = kNotNow;
        break;
      case ScreenAction::Kind::kSelect:
        if (!driver.Select(action.id, action.index)) notice = kNotNow;
        break;
      case ScreenAction::Kind::kSystemCommand:
        driver.SystemCommand(action.command);
        break;
      case ScreenAction::Kind::kPageBack:
        screen.PreviousPage();
        break;
    }
  }
  meter_.Finish();
  shown_.clear();
  lastRuns_[dialog.TemplateId()] = std::move(peers);
  return dialog.IsEnded() ? dialog.Result() : kIdCancel;
}

int ConsoleFrontEnd::ShowMessageBox(const std::string& text, unsigned type) {
  meter_.Finish();
  shown_.clear();
  const int columns = Layout().columns;
  std::string heading = LoadResString(kIdsAppTitle);
  const std::string icon = IconWord(type);
  if (!icon.empty()) heading += ": " + icon;

  std::string box = "\n" + Rule(heading, columns) + "\n";
  for (const std::string& line : WrapText(ToTerminalText(text, options_.utf8), columns - 3)) {
    box += "  " + line + "\n";
  }
  box += std::string(columns - 1, '-') + "\n" + kMessageBoxPrompt;
  out_ << box << std::flush;

  std::string answer;
  if (!std::getline(in_, answer)) {
    CheckInterruption();
    out_ << kEndOfInput << "\n";
  } else if (!options_.inputEchoed) {
    out_ << answer << "\n";
  }
  return kIdOk;
}

void ConsoleFrontEnd::OpenTextFile(const std::string& file) {
  meter_.Finish();
  shown_.clear();
  std::unique_ptr<TextReader> reader;
  const ErrorCode opened = machine_.OpenTextFile(file, &reader);
  if (opened != kErrorSuccess) {
    std::string reason = machine_.SystemMessage(opened);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
    out_ << "\n" << file << " cannot be shown" << (reason.empty() ? "." : ": " + reason) << "\n";
    return;
  }
  std::string text, line;
  while (reader->ReadLine(&line) == kErrorSuccess) text += line + "\n";
  text = ToTerminalText(text, options_.utf8);

  if (options_.terminal && !options_.pager.empty() && Page(text)) return;
  const int columns = Layout().columns;
  std::string shown = "\n" + Rule(file, columns) + "\n";
  for (const std::string& wrapped : WrapText(text, columns - 1)) shown += wrapped + "\n";
  shown += Rule("end of " + file, columns) + "\n";
  out_ << shown << std::flush;
}

bool ConsoleFrontEnd::Page(const std::string& text) {
  out_ << std::flush;
  // A pager that is quit before it has read everything must not end the
  // program with SIGPIPE.
  void (*previous)(int) = std::signal(SIGPIPE, SIG_IGN);
  FILE* pager = popen(options_.pager.c_str(), "w");
  bool shown = false;
  if (pager != nullptr) {
    std::fwrite(text.data(), 1, text.size(), pager);
    const int status = pclose(pager);
    shown = status != -1 && !(WIFEXITED(status) && WEXITSTATUS(status) == kShellCommandNotFound);
  }
  std::signal(SIGPIPE, previous);
  return shown;
}

}  // namespace tpl
