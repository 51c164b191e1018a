#include "settings/HistoryList.h"

#include <algorithm>
#include <utility>

namespace quoxa {

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

int IndexIgnoringCase(const std::vector<std::string>& items, const std::string& text) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (EqualIgnoringCase(items[i], text)) return static_cast<int>(i);
  }
  return -1;
}

std::string UnquoteHistoryValue(const std::string& value) {
  if (value.size() > 1 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
  return value;
}

void THistoryList::Tidy() {
  for (size_t i = Items.size(); i-- > 1;) {
    if (Items[i] == Items[0]) {
      Items.erase(Items.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  const size_t limit = static_cast<size_t>(std::max(0, HistoryCount));
  if (Items.size() > limit) Items.resize(limit);
}

void THistoryList::Add(const std::string& text) {
  if (text.empty()) return;
  int found = -1;
  if (CaseSensitive) {
    const auto it = std::find(Items.begin(), Items.end(), text);
    if (it != Items.end()) found = static_cast<int>(it - Items.begin());
  } else {
    found = IndexIgnoringCase(Items, text);
  }
  if (found < 0) {
    Items.insert(Items.begin(), text);
    Tidy();
  } else {
    std::swap(Items[0], Items[static_cast<size_t>(found)]);
  }
}

std::string THistoryList::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(Items.size())) return std::string();
  std::string chosen = Items[static_cast<size_t>(index)];
  if (index > 0) Items.insert(Items.begin(), chosen);
  return chosen;
}

int THistoryList::NextIndex(const std::string& editText) const {
  if (Items.empty()) return -1;
  const int current = IndexIgnoringCase(Items, editText);
  if (current < 0) return 0;
  return std::min(current + 1, static_cast<int>(Items.size()) - 1);
}

int THistoryList::PreviousIndex(const std::string& editText) const {
  if (Items.empty()) return -1;
  const int current = IndexIgnoringCase(Items, editText);
  return current <= 0 ? 0 : current - 1;
}

void THistoryList::Load(const TIniFile& ini, const std::string& section) {
  if (section.empty()) return;
  Items.clear();
  for (const auto& [key, value] : ini.ReadSectionValues(section)) {
    std::string entry = UnquoteHistoryValue(value);
    if (!entry.empty()) Items.push_back(std::move(entry));
  }
  Tidy();
}

bool THistoryList::Save(TIniFile& ini, const std::string& section) {
  if (section.empty()) return true;
  TIniBatch batch(ini.Path());
  if (!ini.EraseSection(section)) return false;
  Tidy();
  for (size_t i = 0; i < Items.size(); ++i) {
    if (!ini.WriteString(section, std::to_string(i), "\"" + Items[i] + "\"")) return false;
  }
  return batch.Done();
}

}  // namespace quoxa
