#include "ui/console/dialog_screen.h"

#include <algorithm>
#include <set>

#include "machine/ascii_case.h"
#include "ui/console/terminal_text.h"

namespace tpl {
namespace {

constexpr int kMinColumns = 40;
constexpr int kMaxColumns = 120;
constexpr int kMargin = 2;          // blanks in front of every line
constexpr int kPagerOverhead = 12;  // screen lines around a page of long text
constexpr int kMinPageLines = 5;
constexpr char kPageBackKey = 'b';
const char kIndent[] = "  ";
const char kNotAvailable[] = "  (not available)";

bool IsButton(ControlKind kind) {
  return kind == ControlKind::kPushButton || kind == ControlKind::kDefPushButton;
}

bool IsToggle(ControlKind kind) {
  return kind == ControlKind::kAutoCheckBox || kind == ControlKind::kAutoRadioGroup;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A free letter for a control: its '&' letter, else the first free initial
// of its words, else any free letter of its text.
char PickLetter(const std::string& text, std::set<char>* taken) {
  std::vector<char> candidates;
  if (char mnemonic = MnemonicLetter(text); mnemonic != 0 && !IsDigit(mnemonic)) {
    candidates.push_back(mnemonic);
  }
  const std::string plain = StripMnemonic(text);
  for (size_t i = 0; i < plain.size(); ++i) {
    const bool wordStart = i == 0 || plain[i - 1] == ' ';
    if (IsLetter(plain[i]) && wordStart) candidates.push_back(AsciiLower(plain[i]));
  }
  for (char c : plain) {
    if (IsLetter(c)) candidates.push_back(AsciiLower(c));
  }
  for (char c : candidates) {
    if (taken->insert(c).second) return c;
  }
  return 0;
}

// Lower-case letters and digits, words split by one blank: what an answer
// that spells out a label is compared by.
std::string Normalize(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (IsLetter(c) || IsDigit(c)) {
      out += AsciiLower(c);
    } else if (c == ' ' && !out.empty() && out.back() != ' ') {
      out += ' ';
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::string KeyColumn(const std::string& key) {
  std::string column = key.empty() ? "" : key + ")";
  column.resize(std::max<size_t>(column.size() + 1, 4), ' ');
  return column;
}

}  // namespace

DialogScreen::DialogScreen(MemoryDialog& peers, ScreenLayout layout)
    : peers_(peers), layout_(layout) {
  for (const ControlTemplate& control : peers_.dialogTemplate().controls) {
    readingOrder_.push_back(&control);
  }
  std::stable_sort(readingOrder_.begin(), readingOrder_.end(),
                   [](const ControlTemplate* a, const ControlTemplate* b) {
                     return a->y != b->y ? a->y < b->y : a->x < b->x;
                   });

  std::set<char> taken;
  for (const ControlTemplate* control : readingOrder_) {
    if (control->kind == ControlKind::kEditReadOnlyMultiline && pagerId_ == 0) {
      pagerId_ = control->id;
      taken.insert(kPageBackKey);
    }
  }
  for (const ControlTemplate* control : readingOrder_) {
    if (IsButton(control->kind)) letters_[control->id] = PickLetter(control->text, &taken);
  }
  for (const ControlTemplate* control : readingOrder_) {
    if (control->kind == ControlKind::kAutoCheckBox) {
      letters_[control->id] = PickLetter(control->text, &taken);
    }
  }
  for (const auto& [command, text] : peers_.window().menu()) {
    if (command != 0) menuLetters_[command] = PickLetter(text, &taken);
  }
}

int DialogScreen::Width() const {
  return std::clamp(layout_.columns, kMinColumns, kMaxColumns) - kMargin - 1;
}

int DialogScreen::PageLines() const {
  return layout_.rows <= 0 ? 0 : std::max(kMinPageLines, layout_.rows - kPagerOverhead);
}

std::string DialogScreen::DisplayText(const std::string& text) const {
  return ToTerminalText(text, layout_.utf8);
}

std::string DialogScreen::Label(int id) const {
  MemoryPeer* peer = peers_.Peer(id);
  return DisplayText(StripMnemonic(peer->Text()));
}

std::string DialogScreen::Render() {
  choices_.clear();
  longTextShown_ = false;
  std::vector<std::string> lines;
  std::string title = "=== " + DisplayText(peers_.dialogTemplate().caption) + " ";
  title += std::string(std::max(3, Width() + kMargin - DisplayWidth(title)), '=');
  lines.push_back(layout_.colour ? "\x1b[1m" + title + "\x1b[0m" : title);

  const auto separate = [&lines] {
    if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
  };
  int number = 1;
  bool inToggles = false;
  for (const ControlTemplate* control : readingOrder_) {
    MemoryPeer* peer = peers_.Peer(control->id);
    if (peer != nullptr && !peer->IsVisible()) continue;
    const bool toggle = IsToggle(control->kind);
    if (!toggle) inToggles = false;
    switch (control->kind) {
      case ControlKind::kStaticLeft:
      case ControlKind::kStaticCenter: {
        const std::string text = peer != nullptr ? peer->Text() : control->text;
        if (text.empty()) break;
        std::vector<std::string> wrapped = WrapText(DisplayText(text), Width());
        while (!wrapped.empty() && wrapped.back().empty()) wrapped.pop_back();
        separate();
        for (const std::string& line : wrapped) {
          lines.push_back(kIndent + (control->kind == ControlKind::kStaticCenter
                                         ? CentreLine(line, Width())
                                         : line));
        }
        break;
      }
      case ControlKind::kAutoCheckBox:
      case ControlKind::kAutoRadioGroup:
        if (!inToggles) separate();
        inToggles = true;
        RenderToggle(*control, *peer, &number, &lines);
        break;
      case ControlKind::kDropDownList:
        separate();
        RenderCombo(*control, *peer, &number, &lines);
        break;
      case ControlKind::kProgressSmooth: {
        separate();
        const int span = peer->RangeUpper() - peer->RangeLower();
        const int done = span <= 0 ? 0 : (peer->Pos() - peer->RangeLower()) * 100 / span;
        const int barWidth = Width() - 8;
        const int filled = barWidth * std::clamp(done, 0, 100) / 100;
        lines.push_back(kIndent + std::string("[") + std::string(filled, '#') +
                        std::string(barWidth - filled, '-') + "] " + std::to_string(done) + "%");
        break;
      }
      case ControlKind::kEditReadOnlyMultiline:
        separate();
        longTextShown_ = true;
        RenderLongText(*peer, &lines);
        break;
      default:  // group boxes, icons; buttons go to the key bar
        break;
    }
  }
  separate();
  RenderKeyBar(&lines);

  std::string screen;
  for (const std::string& line : lines) {
    // No trailing blanks: the indent of an empty line would be one.
    screen.append(line, 0, line.find_last_not_of(' ') + 1);
    screen += '\n';
  }
  return screen;
}

void DialogScreen::RenderToggle(const ControlTemplate& control, MemoryPeer& peer, int* number,
                                std::vector<std::string>* lines) {
  const bool usable = peer.IsEnabled();
  std::string key;
  if (control.kind == ControlKind::kAutoRadioGroup) {
    if (usable) key = std::to_string((*number)++);
  } else if (letters_[control.id] != 0) {
    key = std::string(1, letters_[control.id]);
  }
  const std::string label = Label(control.id);
  ScreenAction action;
  action.kind = ScreenAction::Kind::kClick;
  action.id = control.id;
  if (!key.empty()) choices_.push_back({key, label, action, usable});

  std::string line = kIndent + KeyColumn(usable ? key : "") +
                     (peer.Check() == kBstChecked ? "[x] " : "[ ] ") + label;
  if (!usable) {
    // On a narrow terminal the note goes under the label rather than past the edge.
    const int noteWidth = static_cast<int>(sizeof kNotAvailable) - 1;
    if (DisplayWidth(line) + noteWidth > Width() + kMargin) {
      lines->push_back(line);
      line = kIndent + KeyColumn("") + std::string(kNotAvailable + 2);
    } else {
      line += kNotAvailable;
    }
  }
  lines->push_back(line);
}

void DialogScreen::RenderCombo(const ControlTemplate& control, MemoryPeer& peer, int* number,
                               std::vector<std::string>* lines) {
  const bool usable = peer.IsEnabled();
  for (int index = 0; index < peer.Count(); ++index) {
    const std::string label = DisplayText(peer.ItemText(index));
    std::string key;
    if (usable) {
      key = std::to_string((*number)++);
      ScreenAction action;
      action.kind = ScreenAction::Kind::kSelect;
      action.id = control.id;
      action.index = index;
      choices_.push_back({key, label, action, true});
    }
    const bool selected = peer.CurSel() == index;
    lines->push_back(kIndent + std::string(selected ? "> " : "  ") + KeyColumn(key) + label +
                     (selected ? "  (selected)" : ""));
  }
  if (!usable) lines->push_back(kIndent + std::string(kNotAvailable + 2));
}

void DialogScreen::RenderLongText(MemoryPeer& peer, std::vector<std::string>* lines) {
  std::vector<std::string> text = WrapText(DisplayText(peer.Text()), Width() - 2);
  while (!text.empty() && text.back().empty()) text.pop_back();
  pageTextLines_ = static_cast<int>(text.size());
  const int page = PageLines();
  if (page == 0 || pageTextLines_ <= page) {
    pageTop_ = 0;
    for (const std::string& line : text) lines->push_back(kIndent + std::string("  ") + line);
    return;
  }
  pageTop_ = std::clamp(pageTop_, 0, pageTextLines_ - 1);
  const int end = std::min(pageTop_ + page, pageTextLines_);
  for (int i = pageTop_; i < end; ++i) lines->push_back(kIndent + std::string("  ") + text[i]);

  std::string status = kIndent + std::string("-- lines ") + std::to_string(pageTop_ + 1) + "-" +
                       std::to_string(end) + " of " + std::to_string(pageTextLines_);
  status += end < pageTextLines_ ? "; Enter: next page" : " (end)";
  if (pageTop_ > 0) status += std::string("; ") + kPageBackKey + ": previous page";
  lines->push_back(status + " --");
  ScreenAction back;
  back.kind = ScreenAction::Kind::kPageBack;
  back.id = pagerId_;
  choices_.push_back({std::string(1, kPageBackKey), "", back, pageTop_ > 0});
}

bool DialogScreen::MoreText() const {
  const int page = PageLines();
  return pagerId_ != 0 && page > 0 && pageTop_ + page < pageTextLines_;
}

void DialogScreen::NextPage() {
  if (MoreText()) pageTop_ += PageLines();
}

void DialogScreen::PreviousPage() { pageTop_ = std::max(0, pageTop_ - PageLines()); }

void DialogScreen::RenderKeyBar(std::vector<std::string>* lines) {
  std::vector<std::string> items;
  const bool enterPages = longTextShown_;
  for (const ControlTemplate* control : readingOrder_) {
    if (!IsButton(control->kind)) continue;
    MemoryPeer* peer = peers_.Peer(control->id);
    const bool usable = peer->IsVisible() && peer->IsEnabled();
    const char letter = letters_[control->id];
    const std::string label = Label(control->id);
    ScreenAction action;
    action.kind = ScreenAction::Kind::kClick;
    action.id = control->id;
    if (letter != 0) choices_.push_back({std::string(1, letter), label, action, usable});
    if (!usable) continue;
    std::string item = (letter != 0 ? std::string(1, letter) + ") " : "") + label;
    if (!enterPages && (peer->ButtonStyle() & kBsDefPushButton)) item += " (Enter)";
    items.push_back(item);
  }
  for (const auto& [command, text] : peers_.window().menu()) {
    if (command == 0) continue;
    const char letter = menuLetters_[command];
    const std::string label = DisplayText(StripMnemonic(text));
    ScreenAction action;
    action.kind = ScreenAction::Kind::kSystemCommand;
    action.command = command;
    if (letter != 0) choices_.push_back({std::string(1, letter), label, action, true});
    items.push_back((letter != 0 ? std::string(1, letter) + ") " : "") + label);
  }

  std::string line;
  for (const std::string& item : items) {
    if (!line.empty() && DisplayWidth(line) + 3 + DisplayWidth(item) > Width()) {
      lines->push_back(kIndent + line);
      line.clear();
    }
    line += (line.empty() ? "" : "   ") + item;
  }
  if (!line.empty()) lines->push_back(kIndent + line);
}

bool DialogScreen::Interpret(const std::string& answer, ScreenAction* action,
                             std::string* problem) const {
  const std::string typed = Trim(answer);
  if (typed.empty()) {
    action->kind = ScreenAction::Kind::kEnter;
    return true;
  }
  std::string lower;
  for (char c : typed) lower += AsciiLower(c);
  if (typed == "\x1b" || lower == "esc") {
    action->kind = ScreenAction::Kind::kEscape;
    return true;
  }

  const Choice* found = nullptr;
  for (const Choice& choice : choices_) {
    if (choice.key == lower) found = &choice;
  }
  // An answer that spells out a label: the one it names exactly, else the
  // only one it starts or ends ("next", "2002" for "FrontPage 2002").
  const std::string words = Normalize(typed);
  if (found == nullptr && words.size() >= 2) {
    int partly = 0;
    const Choice* partlyNamed = nullptr;
    for (const Choice& choice : choices_) {
      const std::string label = Normalize(choice.label);
      if (label == words) {
        found = &choice;
        break;
      }
      const bool starts = label.compare(0, words.size(), words) == 0;
      const bool ends = label.size() > words.size() &&
                        label.compare(label.size() - words.size(), words.size(), words) == 0 &&
                        label[label.size() - words.size() - 1] == ' ';
      if (starts || ends) {
        ++partly;
        partlyNamed = &choice;
      }
    }
    if (found == nullptr && partly == 1) found = partlyNamed;
  }
  if (found == nullptr) {
    *problem = "\"" + DisplayText(typed) + "\" is not one of the choices shown.";
    return false;
  }
  if (!found->usable) {
    *problem = found->label.empty() ? "That is not possible now."
                                    : "\"" + found->label + "\" is not available now.";
    return false;
  }
  *action = found->action;
  return true;
}

}  // namespace tpl
