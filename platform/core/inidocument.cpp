#include "inidocument.h"

#include "text.h"

namespace platform {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool ValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const size_t start = i;
    if (NextCodePoint(s, i) == 0xFFFD && s.substr(start, i - start) != "\xEF\xBF\xBD") return false;
  }
  return true;
}

}  // namespace

IniDocument::Line IniDocument::MakeLine(std::string text) {
  Line l;
  l.text = std::move(text);
  l.cp932 = Cp932CanHold(l.text);
  Classify(l);
  return l;
}

// Section lines start with "[" (the name runs to the first "]", or to the end); key lines hold
// "="; everything else (comments, blank lines) is kept as it is and belongs to no key.
void IniDocument::Classify(Line &l) {
  const std::string_view t = Trim(l.text);
  if (!t.empty() && t.front() == '[') {
    std::string_view name = t.substr(1);
    // To the last "]": a name may hold "]" itself ("[a]b]" is the section "a]b").
    const size_t close = name.rfind(']');
    if (close != std::string_view::npos) name = name.substr(0, close);
    l.kind = Kind::Section;
    l.name = std::string(Trim(name));
    return;
  }
  const size_t eq = t.find('=');
  if (eq != std::string_view::npos && eq > 0 && t.front() != ';') {
    l.kind = Kind::Key;
    l.name = std::string(Trim(t.substr(0, eq)));
    l.value = std::string(Trim(t.substr(eq + 1)));
  }
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  if (bytes.starts_with(kBom)) {
    doc.utf8_ = true;
    bytes.remove_prefix(kBom.size());
  }
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t nl = bytes.find('\n', pos);
    if (nl == std::string_view::npos) nl = bytes.size();
    std::string_view raw = bytes.substr(pos, nl - pos);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    pos = nl + 1;
    std::string text;
    const bool ok = doc.utf8_ ? ValidUtf8(raw) : Cp932Decode(raw, text);
    Line line;
    if (ok) {
      line = MakeLine(doc.utf8_ ? std::string(raw) : std::move(text));
    } else {
      line.decoded = false;
      // A damaged section line still ends the previous section; its name matches nothing.
      if (!raw.empty() && raw.front() == '[') line.kind = Kind::Section, line.name = "\x01";
    }
    line.bytes = std::string(raw);
    line.bytesUtf8 = doc.utf8_;
    doc.lines_.push_back(std::move(line));
  }
  doc.Reindex();
  return doc;
}

std::string IniDocument::Serialize() const {
  bool needUtf8 = false;
  for (const auto &l : lines_)
    if (l.decoded && !l.cp932) needUtf8 = true;
  std::string out;
  if (needUtf8) out.append(kBom);
  std::string enc;
  for (const auto &l : lines_) {
    if (!l.decoded || (!l.bytes.empty() && l.bytesUtf8 == needUtf8)) {
      out.append(l.bytes);
    } else if (needUtf8) {
      out.append(l.text);
    } else {
      Cp932Encode(l.text, enc);
      out.append(enc);
    }
    out.append("\r\n");
  }
  return out;
}

void IniDocument::Reindex() {
  sections_.clear();
  sectionByName_.clear();
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line &l = lines_[i];
    if (l.kind == Kind::Section) {
      if (!sections_.empty()) sections_.back().end = i;
      sections_.push_back({i, lines_.size(), {}});
      if (l.decoded) sectionByName_.emplace(FoldCase(l.name), sections_.size() - 1);
    } else if (l.kind == Kind::Key && !sections_.empty()) {
      sections_.back().keys.emplace(FoldCase(l.name), i);
    }
  }
}

// Names are compared as the file holds them: without blanks around them and without case.
const IniDocument::SectionIndex *IniDocument::FindSection(std::string_view section) const {
  auto it = sectionByName_.find(FoldCase(Trim(section)));
  return it == sectionByName_.end() ? nullptr : &sections_[it->second];
}

const std::string *IniDocument::Find(std::string_view section, std::string_view key) const {
  const SectionIndex *s = FindSection(section);
  if (!s) return nullptr;
  auto k = s->keys.find(FoldCase(Trim(key)));
  return k == s->keys.end() ? nullptr : &lines_[k->second].value;
}

std::vector<IniDocument::DamagedLine> IniDocument::DamagedLines() const {
  std::vector<DamagedLine> out;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Line &l = lines_[i];
    const std::string_view t = Trim(l.text);
    const bool readable = l.decoded && (l.kind != Kind::Other || t.empty() || t.front() == ';' || t.front() == '#');
    if (!readable) out.push_back({i + 1, l.bytes});
  }
  return out;
}

std::vector<std::string> IniDocument::Sections() const {
  std::vector<std::string> out;
  for (const auto &s : sections_)
    if (lines_[s.header].decoded) out.push_back(lines_[s.header].name);
  return out;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  std::vector<std::string> out;
  if (const SectionIndex *s = FindSection(section))
    for (size_t i = s->header + 1; i < s->end; ++i)
      if (lines_[i].kind == Kind::Key) out.push_back(lines_[i].name);
  return out;
}

bool IniDocument::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

// New keys go after the last non-blank line of their section.
size_t IniDocument::InsertionPoint(const SectionIndex &s) const {
  size_t at = s.end;
  while (at > s.header + 1 && lines_[at - 1].decoded && Trim(lines_[at - 1].text).empty()) --at;
  return at;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string keyText = std::string(Trim(key));
  const SectionIndex *s = FindSection(section);
  if (!s) {
    lines_.push_back(MakeLine("[" + std::string(Trim(section)) + "]"));
    lines_.push_back(MakeLine(keyText + "=" + std::string(value)));
    Reindex();
    return;
  }
  auto k = s->keys.find(FoldCase(keyText));
  if (k != s->keys.end()) {
    Line &l = lines_[k->second];
    l = MakeLine(l.name + "=" + std::string(value));  // the key keeps its written spelling
    return;
  }
  const size_t at = InsertionPoint(*s);
  lines_.insert(lines_.begin() + static_cast<long>(at), MakeLine(keyText + "=" + std::string(value)));
  if (at + 1 == lines_.size() && s == &sections_.back()) {
    SectionIndex &last = sections_.back();  // appended at the very end: extend the index in place
    last.end = lines_.size();
    last.keys.emplace(FoldCase(keyText), at);
    return;
  }
  Reindex();
}

void IniDocument::Remove(std::string_view section, std::string_view key) {
  const SectionIndex *s = FindSection(section);
  if (!s) return;
  auto k = s->keys.find(FoldCase(Trim(key)));
  if (k == s->keys.end()) return;
  lines_.erase(lines_.begin() + static_cast<long>(k->second));
  Reindex();
}

void IniDocument::EraseSection(std::string_view section) {
  const SectionIndex *s = FindSection(section);
  if (!s) return;
  lines_.erase(lines_.begin() + static_cast<long>(s->header), lines_.begin() + static_cast<long>(s->end));
  Reindex();
}

}  // namespace platform
